/*
 * open_cmd.cpp --
 *
 *	pdb:open: finds and opens the file of a user, site, library or named
 *	database, builds the ASCII or binary database object by the file's
 *	first byte and enters it into the group under a new handle.
 */

#include <cerrno>
#include <cstring>
#include <new>

#include "files/image/binary_loader.h"
#include "host/file_names.h"
#include "model/ascii_db.h"
#include "model/binary_db.h"
#include "model/group.h"
#include "open/open_files.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char WRONG_ARGS_USAGE[] =
    "?user? ?site? ?veltrum_dravo? ?veltrum_dravolib? ?veltrum_plume? "
    "?veltrum_tessel? ?veltrum_kestrin? ?veltrum_zolmar? ?veltrum_brellis? "
    "?veltrum_quillet? ?-file name?";
static const char INVALID_ARGS_USAGE[] =
    "?user? ?user_build? ?site? ?veltrum_dravo? ?veltrum_dravolib? "
    "?veltrum_tessel? ?veltrum_plume? ?veltrum_kestrin? ?veltrum_zolmar? "
    "?veltrum_brellis? ?veltrum_quillet? ?-file name?";

/* The library databases by keyword; file names are below DRAVO_HOME. */
static const struct {
  const char *keyword;
  const char *file;
} LIBRARIES[] = {
    {"veltrum", "lib/veltrum_dravo.zq_pdb_bi"},
    {"veltrum_dravo", "lib/veltrum_dravo.zq_pdb_bi"},
    {"veltrum_dravolib", "lib/veltrum_dravolib.zq_pdb_bi"},
    {"veltrum_tessel", "lib/veltrum_tessel.zq_pdb_bi"},
    {"veltrum_kestrin", "lib/veltrum_kestrin.zq_pdb_bi"},
    {"veltrum_zolmar", "lib/veltrum_zolmar.zq_pdb_bi"},
    {"veltrum_brellis", "lib/veltrum_brellis.zq_pdb_bi"},
    {"veltrum_quillet", "lib/veltrum_quillet.zq_pdb_bi"},
};

static const char BINARY_MARK = 'b';
static const char MSG_CANNOT_CREATE_DB[] = "Could not create parts database";
static const char MSG_RESEEK[] = "Could not re-seek to start of file";

/* What the words of a pdb:open ask for. */
struct Pdb_OpenRequest {
  int kind;                /* a Pdb_DbKind */
  const char *libraryFile; /* for PDB_KIND_VELTRUM */
  const char *fileName;    /* for PDB_KIND_FILE */
};

static bool ParseRequest(int argc, const char **argv, Pdb_OpenRequest *req);
static FILE *OpenRequestedFile(Tcl_Interp *interp, Pdb_Group *group,
                               const Pdb_OpenRequest &req, Tcl_DString *name);
static Pdb_Database *BuildDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                   FILE *file, int kind, const char *name,
                                   const char *typed);

/*
 *----------------------------------------------------------------------
 *
 * OpenCommand --
 *
 *	pdb:open ?-group group? ?-db name? user|user_build|site|<library>
 *	pdb:open ?-group group? -file name
 *
 * Results:
 *	TCL_OK with the new handle, or TCL_ERROR with a message; a failure
 *	leaves the group and the handle counter as they were.
 *
 * Side effects:
 *	May create an empty user or site database file. The database keeps
 *	the absolute form of its file's name, to be written back there.
 *
 *----------------------------------------------------------------------
 */

static int OpenCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc != 2 && argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], WRONG_ARGS_USAGE);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Pdb_OpenRequest req;
  if (!ParseRequest(argc, argv, &req)) {
    return Pdb_InvalidArgs(interp, argv[0], INVALID_ARGS_USAGE);
  }
  Tcl_DString name;
  FILE *file = OpenRequestedFile(interp, group, req, &name);
  if (file == nullptr) {
    return TCL_ERROR;
  }
  Pdb_Database *db = BuildDatabase(interp, group, file, req.kind,
                                   Tcl_DStringValue(&name), argv[1]);
  if (db == nullptr) {
    Tcl_DStringFree(&name);
    return TCL_ERROR;
  }
  Tcl_DString absolute;
  db->setFilePath(Pdb_MakeAbsoluteName(Tcl_DStringValue(&name), &absolute));
  Tcl_DStringFree(&absolute);
  Tcl_DStringFree(&name);
  char handle[24];
  Pdb_FormatNextHandle(handle);
  group->addDatabase(handle, db);
  pdbRegistry.handleCounter++;
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, handle, (char *)nullptr);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * ParseRequest --
 *
 *	Chooses the kind by the first character of word 1: "user" and
 *	"user_build" exactly, any prefix of "site", a library keyword
 *	exactly (all with two words), or a prefix of "-file" with a name.
 *
 * Results:
 *	False for any other word or word count.
 *
 *----------------------------------------------------------------------
 */

static bool ParseRequest(int argc, const char **argv, Pdb_OpenRequest *req) {
  const char *word = argv[1];
  size_t length = strlen(word);
  req->libraryFile = nullptr;
  req->fileName = nullptr;
  switch (word[0]) {
  case 'u':
    if (argc == 2 && strcmp(word, "user") == 0) {
      req->kind = PDB_KIND_USER;
      return true;
    }
    if (argc == 2 && strcmp(word, "user_build") == 0) {
      req->kind = PDB_KIND_USER_BUILD;
      return true;
    }
    return false;
  case 's':
    req->kind = PDB_KIND_SITE;
    return argc == 2 && strncmp(word, "site", length) == 0;
  case 'v':
    if (argc != 2) {
      return false;
    }
    for (const auto &library : LIBRARIES) {
      if (strcmp(word, library.keyword) == 0) {
        req->kind = PDB_KIND_VELTRUM;
        req->libraryFile = library.file;
        return true;
      }
    }
    return false;
  case '-':
    req->kind = PDB_KIND_FILE;
    req->fileName = argc == 3 ? argv[2] : nullptr;
    return argc == 3 && strncmp(word, "-file", length) == 0;
  default:
    return false;
  }
}

static FILE *OpenRequestedFile(Tcl_Interp *interp, Pdb_Group *group,
                               const Pdb_OpenRequest &req, Tcl_DString *name) {
  switch (req.kind) {
  case PDB_KIND_USER:
  case PDB_KIND_USER_BUILD:
    return Pdb_OpenUserFile(interp, group, name);
  case PDB_KIND_SITE:
    return Pdb_OpenSiteFile(interp, group, pdbDbOption, name);
  case PDB_KIND_VELTRUM:
    return Pdb_OpenLibraryFile(interp, group, req.libraryFile, name);
  default:
    return Pdb_OpenNamedFile(interp, group, req.fileName, name);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * BuildDatabase --
 *
 *	Looks at the first byte of the file: "b" makes a binary database,
 *	mapped at once by the loader; anything else, or an empty file, an
 *	ASCII database to be filled by pdb:read.
 *
 * Results:
 *	The database, which owns the stream, or nullptr with a message and
 *	the stream closed.
 *
 *----------------------------------------------------------------------
 */

static Pdb_Database *BuildDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                   FILE *file, int kind, const char *name,
                                   const char *typed) {
  int first = getc(file);
  if (fseek(file, 0, SEEK_SET) != 0) {
    int savedErrno = errno;
    fclose(file);
    errno = savedErrno;
    Pdb_OpenFailure(interp, MSG_RESEEK, typed, Tcl_PosixError(interp), nullptr);
    return nullptr;
  }
  if (first == BINARY_MARK) {
    Pdb_BinaryDb *db = new (std::nothrow) Pdb_BinaryDb(file, kind, name);
    if (db == nullptr) {
      fclose(file);
      errno = ENOMEM;
      Tcl_AppendResult(interp, MSG_CANNOT_CREATE_DB, ": ",
                       Tcl_PosixError(interp), (char *)nullptr);
      return nullptr;
    }
    if (Pdb_LoadBinary(db, interp) != 0) {
      delete db;
      return nullptr;
    }
    return db;
  }
  Pdb_AsciiDb *db = new (std::nothrow) Pdb_AsciiDb(group, file, kind, name);
  if (db == nullptr || db->tree == nullptr) {
    if (db != nullptr) {
      delete db;
    } else {
      fclose(file);
    }
    errno = ENOMEM;
    Tcl_AppendResult(interp, MSG_CANNOT_CREATE_DB, ": ", Tcl_PosixError(interp),
                     (char *)nullptr);
    return nullptr;
  }
  return db;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartOpenCmd --
 *
 *	The command procedure of pdb:open: runs OpenCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	OpenCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of OpenCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartOpenCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return OpenCommand(interp, argc, argv); });
}
