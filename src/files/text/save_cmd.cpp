/*
 * save_cmd.cpp --
 *
 *	pdb:save: writes a database back to its file in the ASCII form and
 *	keeps the previous file as "<file>.bak". The new content replaces the
 *	file only once it is completely written. The file is the one the
 *	database was opened from, wherever the current directory has moved.
 */

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/text/ascii_writer.h"
#include "host/file_names.h"
#include "model/database.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char USAGE[] = "?zq_pdb handle?";
static const char BACKUP_SUFFIX[] = ".bak";

static const char MSG_BINARY[] = "Cannot save database \"";
static const char MSG_BINARY_REASON[] =
    "\": it is a binary image, only ASCII databases can be saved";
static const char MSG_NO_BACKUP[] =
    "Could not create backup of user parts database \"";

static Pdb_Database *ChooseDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                    int argc, const char **argv);
static int SaveDatabase(Tcl_Interp *interp, Pdb_Database *db);
static int ReportSaveFailure(Tcl_Interp *interp, const char *text,
                             const char *fileName, const char *middle,
                             bool fromWriter);
static bool FileExists(const char *name);
static int RenameNative(const char *from, const char *to);
static int MakeBackup(const char *fileName, const char *backupName,
                      bool *moved);
static int CopyFile(const char *from, const char *to);

/*
 *----------------------------------------------------------------------
 *
 * SaveCommand --
 *
 *	pdb:save ?-group group? ?-db name? ?handle?
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Rewrites the database file and its backup.
 *
 *----------------------------------------------------------------------
 */

static int SaveCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc > 2) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Pdb_Database *db = ChooseDatabase(interp, group, argc, argv);
  if (db == nullptr) {
    return TCL_ERROR;
  }
  return SaveDatabase(interp, db);
}

/*
 *----------------------------------------------------------------------
 *
 * ChooseDatabase --
 *
 *	With -db site the group's site database; else the database of the
 *	handle, or without one the group's user database. It must have been
 *	read, and it must not be a binary image, which pdb:save would turn
 *	into text.
 *
 * Results:
 *	The database, or nullptr with a message appended to the result.
 *
 *----------------------------------------------------------------------
 */

static Pdb_Database *ChooseDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                    int argc, const char **argv) {
  Pdb_Database *db = Pdb_IsSiteRoleChosen() || argc == 1
                         ? Pdb_FindRoleDatabase(interp, group)
                         : Pdb_LookupHandle(interp, group, argv[1]);
  if (db == nullptr) {
    return nullptr;
  }
  if (db->binary) {
    Tcl_AppendResult(interp, MSG_BINARY, db->fileName(), MSG_BINARY_REASON,
                     (char *)nullptr);
    return nullptr;
  }
  if (!db->read) {
    Tcl_AppendResult(interp,
                     argc == 1 ? PDB_MSG_ROLE_NOT_READ : PDB_MSG_NOT_READ,
                     (char *)nullptr);
    return nullptr;
  }
  return db;
}

/*
 *----------------------------------------------------------------------
 *
 * SaveDatabase --
 *
 *	Writes the tree to a replace-on-close handle on the database's
 *	path, backs the current file up once the content is completely
 *	written and then lets the close put the new content under the name.
 *	When the content cannot be written or the backup cannot be made, the
 *	write is abandoned: no temporary file stays and the database file is
 *	as it was. When the close fails after the file was moved to its
 *	backup, it is moved back.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message naming the database's file.
 *
 *----------------------------------------------------------------------
 */

static int SaveDatabase(Tcl_Interp *interp, Pdb_Database *db) {
  const char *fileName = db->fileName();
  const char *path = db->filePath();
  Tov_RobustFile *handle = Pdb_WriteAsciiFile(interp, db->tree, path, fileName);
  if (handle == nullptr) {
    return TCL_ERROR;
  }
  Tcl_DString backup;
  Tcl_DStringInit(&backup);
  Tcl_DStringAppend(&backup, path, -1);
  Tcl_DStringAppend(&backup, BACKUP_SUFFIX, -1);
  bool moved = false;
  int status = TCL_OK;
  if (FileExists(path) &&
      MakeBackup(path, Tcl_DStringValue(&backup), &moved) != 0) {
    Tov_RobustFabandonForWrite(handle);
    status = ReportSaveFailure(interp, MSG_NO_BACKUP, fileName, "\": ", false);
  } else if (Tov_RobustFcloseForWrite(nullptr, handle) != 0) {
    if (moved) {
      RenameNative(Tcl_DStringValue(&backup), path);
    }
    status = ReportSaveFailure(interp, PDB_MSG_CANNOT_WRITE_DB, fileName,
                               "\": ", true);
  }
  Tcl_DStringFree(&backup);
  return status;
}

/*
 * Resets the result to text "name" middle and the reason: of the writer's
 * last failure (fromWriter) or of errno, with the POSIX error code.
 * Returns TCL_ERROR.
 */
static int ReportSaveFailure(Tcl_Interp *interp, const char *text,
                             const char *fileName, const char *middle,
                             bool fromWriter) {
  int error = errno;
  Tcl_ResetResult(interp);
  errno = error;
  const char *reason =
      fromWriter ? Tov_RobustFailureText(interp) : Tcl_PosixError(interp);
  Tcl_AppendResult(interp, text, fileName, middle, reason, (char *)nullptr);
  return TCL_ERROR;
}

/* Whether a file of the UTF-8 name exists. */
static bool FileExists(const char *name) {
  Tcl_DString native;
  bool exists = access(Pdb_MakeNativeName(name, &native), F_OK) != -1;
  Tcl_DStringFree(&native);
  return exists;
}

/* rename of UTF-8 names under their system forms; 0 or -1 with errno. */
static int RenameNative(const char *from, const char *to) {
  Tcl_DString nativeFrom;
  Tcl_DString nativeTo;
  int status = rename(Pdb_MakeNativeName(from, &nativeFrom),
                      Pdb_MakeNativeName(to, &nativeTo));
  int error = errno;
  Tcl_DStringFree(&nativeFrom);
  Tcl_DStringFree(&nativeTo);
  errno = error;
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * MakeBackup --
 *
 *	Makes backupName hold the file's current content, removing an older
 *	backup first. The backup is a hard link to the content when the file
 *	system allows one, so that the name never disappears during the save;
 *	otherwise the file is renamed to the backup (*moved is then set). A
 *	name that is a symbolic link stays one (the new content replaces its
 *	target), so its content is linked or, failing that, copied.
 *
 * Results:
 *	0, or -1 with errno set.
 *
 *----------------------------------------------------------------------
 */

static int MakeBackup(const char *fileName, const char *backupName,
                      bool *moved) {
  Tcl_DString nativeFile;
  Tcl_DString nativeBackup;
  const char *file = Pdb_MakeNativeName(fileName, &nativeFile);
  const char *backup = Pdb_MakeNativeName(backupName, &nativeBackup);
  unlink(backup);
  int status = linkat(AT_FDCWD, file, AT_FDCWD, backup, AT_SYMLINK_FOLLOW);
  if (status != 0) {
    struct stat info;
    bool symbolic = lstat(file, &info) == 0 && S_ISLNK(info.st_mode);
    status = symbolic ? CopyFile(file, backup) : rename(file, backup);
    *moved = status == 0 && !symbolic;
  }
  int savedErrno = errno;
  Tcl_DStringFree(&nativeFile);
  Tcl_DStringFree(&nativeBackup);
  errno = savedErrno;
  return status;
}

/* Copies the content of from into a new file to (system names); 0 or -1
 * with errno. */
static int CopyFile(const char *from, const char *to) {
  FILE *in = fopen(from, "rb");
  if (in == nullptr) {
    return -1;
  }
  FILE *out = fopen(to, "wb");
  if (out == nullptr) {
    int savedErrno = errno;
    fclose(in);
    errno = savedErrno;
    return -1;
  }
  char buffer[BUFSIZ];
  size_t n;
  int status = 0;
  while ((n = fread(buffer, 1, sizeof buffer, in)) > 0) {
    if (fwrite(buffer, 1, n, out) != n) {
      status = -1;
      break;
    }
  }
  int savedErrno = errno;
  if (ferror(in)) {
    status = -1;
  }
  fclose(in);
  if (fclose(out) != 0) {
    status = -1;
    savedErrno = errno;
  }
  if (status != 0) {
    unlink(to);
  }
  errno = savedErrno;
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartSaveCmd --
 *
 *	The command procedure of pdb:save: runs SaveCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	SaveCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of SaveCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartSaveCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return SaveCommand(interp, argc, argv); });
}
