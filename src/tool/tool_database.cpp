/*
 * tool_database.cpp --
 *
 *	Opening database files for pdbtool: each into a group of the
 *	subcommand's own, as pdb:open -file and pdb:read would, with a
 *	progress bar while a text file is read and the full verifier run on
 *	every binary image before anything walks it.
 */

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <sys/stat.h>

#include "files/image/binary_loader.h"
#include "files/image/image_verifier.h"
#include "files/text/ascii_reader.h"
#include "host/file_names.h"
#include "model/ascii_db.h"
#include "model/binary_db.h"
#include "model/group.h"
#include "tool/progress.h"
#include "tool/tool.h"

static const char BINARY_MARK = 'b';
static const char MSG_NO_MEMORY[] = "not enough memory for the database of";
static const char MSG_CANNOT_OPEN[] = "cannot open";

/* The observer pdbtool reads with: the caller's bad-line hook and the bar. */
struct ToolReadContext {
  const Pdb_ReadObserver *caller;
  Pdb_Progress *progress;
};

static Pdb_Database *OpenImage(Tcl_Interp *interp, FILE *file,
                               const char *fileName);
static Pdb_Database *ReadText(Tcl_Interp *interp, Pdb_Group *group, FILE *file,
                              const char *fileName,
                              const Pdb_ToolReadOptions &options);
static void ForwardBadLine(void *context, int line, const char *word,
                           const char *text);
static void ShowProgress(void *context, long bytesRead);
static void SetFailure(Tcl_Interp *interp, const char *text,
                       const char *fileName, const char *detail);
static void MakeToolHandle(char *handle);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolOpenDatabase --
 *
 *	Opens fileName, chooses the form by its first byte as pdb:open does,
 *	and enters the database into group.
 *
 * Results:
 *	See tool.h.
 *
 * Side effects:
 *	Maps an image; reads a text file; may draw a progress bar.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_ToolOpenDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                   const char *fileName,
                                   const Pdb_ToolReadOptions &options) {
  Tcl_DString native;
  FILE *file = std::fopen(Pdb_MakeNativeName(fileName, &native), "rb");
  int error = errno;
  Tcl_DStringFree(&native);
  if (file == nullptr) {
    SetFailure(interp, MSG_CANNOT_OPEN, fileName, std::strerror(error));
    return nullptr;
  }
  /* The byte goes back into the stream rather than the stream back to
   * its start, so that pipes and other unseekable files read whole. */
  int first = std::ungetc(std::getc(file), file);
  Pdb_Database *db = first == BINARY_MARK
                         ? OpenImage(interp, file, fileName)
                         : ReadText(interp, group, file, fileName, options);
  if (db != nullptr && db->binary) {
    char handle[32];
    MakeToolHandle(handle);
    group->addDatabase(handle, db);
  }
  return db;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolOpenWith --
 *
 *	Opens the databases that stand for the rest of the group, then the
 *	one the subcommand works on.
 *
 * Results:
 *	See tool.h.
 *
 * Side effects:
 *	Opens files and reads or maps them into group.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_ToolOpenWith(Tcl_Interp *interp, Pdb_Group *group,
                               const std::vector<const char *> &withFiles,
                               const char *fileName,
                               const Pdb_ToolReadOptions &options) {
  Pdb_ToolReadOptions quiet = options;
  quiet.observer = nullptr;
  for (const char *with : withFiles) {
    if (Pdb_ToolOpenDatabase(interp, group, with, quiet) == nullptr) {
      return nullptr;
    }
  }
  return Pdb_ToolOpenDatabase(interp, group, fileName, options);
}

/*
 *----------------------------------------------------------------------
 *
 * OpenImage --
 *
 *	Maps the image as pdb:open does and runs the full verifier on it.
 *
 * Results:
 *	The database, not yet in a group; nullptr with a message.
 *
 *----------------------------------------------------------------------
 */

static Pdb_Database *OpenImage(Tcl_Interp *interp, FILE *file,
                               const char *fileName) {
  Pdb_BinaryDb *db =
      new (std::nothrow) Pdb_BinaryDb(file, PDB_KIND_FILE, fileName);
  if (db == nullptr) {
    std::fclose(file);
    SetFailure(interp, MSG_NO_MEMORY, fileName, nullptr);
    return nullptr;
  }
  if (Pdb_LoadBinary(db, interp) != 0) {
    delete db;
    return nullptr;
  }
  Pdb_ImageProblem problem;
  if (!Pdb_VerifyImage(db->mapBase, db->mapSize, &problem)) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, PDB_MSG_CORRUPT_IMAGE, fileName,
                     "\": ", problem.text, (char *)nullptr);
    delete db;
    return nullptr;
  }
  db->read = true;
  db->version = 2;
  return db;
}

/*
 *----------------------------------------------------------------------
 *
 * ReadText --
 *
 *	Enters a text database into the group and reads it, as pdb:open
 *	-file and pdb:read do.
 *
 * Results:
 *	The database; nullptr with a message when it cannot be made or (with
 *	no observer for bad lines) when a line is bad.
 *
 *----------------------------------------------------------------------
 */

static Pdb_Database *ReadText(Tcl_Interp *interp, Pdb_Group *group, FILE *file,
                              const char *fileName,
                              const Pdb_ToolReadOptions &options) {
  Pdb_AsciiDb *db =
      new (std::nothrow) Pdb_AsciiDb(group, file, PDB_KIND_FILE, fileName);
  if (db == nullptr || db->tree == nullptr) {
    if (db != nullptr) {
      delete db;
    } else {
      std::fclose(file);
    }
    SetFailure(interp, MSG_NO_MEMORY, fileName, nullptr);
    return nullptr;
  }
  char handle[32];
  MakeToolHandle(handle);
  group->addDatabase(handle, db);

  struct stat info;
  long size = fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode)
                  ? info.st_size
                  : 0;
  Pdb_Progress progress(fileName, size);
  ToolReadContext context = {options.observer, &progress};
  Pdb_ReadObserver observer = {nullptr, nullptr, &context};
  if (options.observer != nullptr && options.observer->badLine != nullptr) {
    observer.badLine = ForwardBadLine;
  }
  if (options.progress) {
    observer.progress = ShowProgress;
  }
  db->version = 2;
  int status =
      Pdb_ReadAsciiDatabase(interp, group, db, options.update, &observer);
  progress.finish();
  db->closeFile();
  if (status != TCL_OK && observer.badLine == nullptr) {
    return nullptr;
  }
  return db;
}

static void ForwardBadLine(void *context, int line, const char *word,
                           const char *text) {
  const Pdb_ReadObserver *caller =
      static_cast<ToolReadContext *>(context)->caller;
  caller->badLine(caller->context, line, word, text);
}

static void ShowProgress(void *context, long bytesRead) {
  static_cast<ToolReadContext *>(context)->progress->update(bytesRead);
}

/* Sets the result to "text "file"" and, when given, ": detail". */
static void SetFailure(Tcl_Interp *interp, const char *text,
                       const char *fileName, const char *detail) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, text, " \"", fileName, "\"", (char *)nullptr);
  if (detail != nullptr) {
    Tcl_AppendResult(interp, ": ", detail, (char *)nullptr);
  }
}

/* A handle no other database of the tool's groups has. */
static void MakeToolHandle(char *handle) {
  static unsigned counter = 0;
  std::snprintf(handle, 32, "zq_pdb%u", ++counter);
}

/* Groups left for the exit, reachable so that leak checkers see them. */
static std::vector<Pdb_Group *> groupsKeptUntilExit;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolNewGroup --
 *
 *	Makes the group a subcommand opens its databases into.
 *
 * Results:
 *	The group; throws std::bad_alloc when memory runs out, which ends the
 *	tool with a message.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group *Pdb_ToolNewGroup(const char *name) { return new Pdb_Group(name); }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolEndGroup --
 *
 *	Ends a group of Pdb_ToolNewGroup: destroys it, or, when it is the last
 *	the process needs, keeps it for the process's exit to reclaim (taking a
 *	database of a million parts apart block by block would cost about as
 *	much as reading it).
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the group's databases, or keeps the group reachable so that leak
 *	checkers see it.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ToolEndGroup(Pdb_Group *group, bool last) {
  if (last) {
    groupsKeptUntilExit.push_back(group);
  } else {
    delete group;
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolReportResult --
 *
 *	Writes "pdbtool: " and the interpreter result to standard error.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to standard error.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ToolReportResult(Tcl_Interp *interp) {
  std::fprintf(stderr, "pdbtool: %s\n", Tcl_GetStringResult(interp));
}
