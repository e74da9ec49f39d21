/*
 * save_cmd.cpp --
 *
 *	pdb:save: writes a database back to its file in the ASCII form and
 *	keeps the previous file as "<file>.bak". The new content replaces the
 *	file only once it is completely written.
 */

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/text/ascii_writer.h"
#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char USAGE[] = "?zq_pdb handle?";
static const char BACKUP_SUFFIX[] = ".bak";

static const char MSG_NO_SITE[] = "Site parts database is not open";
static const char MSG_NO_USER[] = "User parts database is not open";
static const char MSG_USER_NOT_READ[] = "User parts database has not been read";
static const char MSG_NOT_READ[] = "Database has not been read";

static Pdb_Database *ChooseDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                    int argc, const char **argv);
static int SaveDatabase(Tcl_Interp *interp, Pdb_Database *db);
static int MakeBackup(const char *fileName);
static int CopyFile(const char *from, const char *to);

/*
 * SaveCommand --
 *
 *	pdb:save ?-group group? ?-db name? ?handle?
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Rewrites the database file and its backup.
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
 * ChooseDatabase --
 *
 *	With -db site the group's site database; else the database of the
 *	handle, or without one the group's user database. It must have been
 *	read.
 *
 * Results:
 *	The database, or nullptr with a message appended to the result.
 */
static Pdb_Database *ChooseDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                    int argc, const char **argv) {
  Pdb_Database *db;
  if (Pdb_StrEqualNullable(pdbDbOption, PDB_SITE_ROLE)) {
    db = Pdb_FindSiteDatabase(group);
    if (db == nullptr) {
      Tcl_AppendResult(interp, MSG_NO_SITE, (char *)nullptr);
      return nullptr;
    }
  } else if (argc == 1) {
    db = Pdb_FindUserDatabase(group);
    if (db == nullptr) {
      Tcl_AppendResult(interp, MSG_NO_USER, (char *)nullptr);
      return nullptr;
    }
  } else {
    db = Pdb_LookupHandle(interp, group, argv[1]);
    if (db == nullptr) {
      return nullptr;
    }
  }
  if (!db->read) {
    Tcl_AppendResult(interp, argc == 1 ? MSG_USER_NOT_READ : MSG_NOT_READ,
                     (char *)nullptr);
    return nullptr;
  }
  return db;
}

/*
 * SaveDatabase --
 *
 *	Writes the tree to a replace-on-close handle, backs the current file
 *	up once the content is complete and then lets the close put the new
 *	content under the name. When the content cannot be written or the
 *	backup cannot be made, the write is abandoned: its temporary file is
 *	removed and the database file stays as it was.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 */
static int SaveDatabase(Tcl_Interp *interp, Pdb_Database *db) {
  const char *fileName = db->fileName();
  Tov_RobustFile *handle = Pdb_WriteAsciiFile(interp, db->tree, fileName);
  if (handle == nullptr) {
    return TCL_ERROR;
  }
  if (access(fileName, F_OK) != -1 && MakeBackup(fileName) != 0) {
    const char *error = Tcl_PosixError(interp);
    Tov_RobustFabandonForWrite(handle);
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp,
                     "Could not create backup of user parts database \"",
                     fileName, "\": ", error, (char *)nullptr);
    return TCL_ERROR;
  }
  return Tov_RobustFcloseForWrite(interp, handle) == 0 ? TCL_OK : TCL_ERROR;
}

/*
 * MakeBackup --
 *
 *	Makes "<file>.bak" hold the file's current content, removing an older
 *	backup first. The backup is a hard link to the content when the file
 *	system allows one, so that the name never disappears during the save;
 *	otherwise the file is renamed to the backup. A name that is a
 *	symbolic link stays one (the new content replaces its target), so its
 *	content is linked or, failing that, copied.
 *
 * Results:
 *	0, or -1 with errno set.
 */
static int MakeBackup(const char *fileName) {
  Tcl_DString backup;
  Tcl_DStringInit(&backup);
  Tcl_DStringAppend(&backup, fileName, -1);
  Tcl_DStringAppend(&backup, BACKUP_SUFFIX, -1);
  const char *backupName = Tcl_DStringValue(&backup);
  unlink(backupName);
  int status =
      linkat(AT_FDCWD, fileName, AT_FDCWD, backupName, AT_SYMLINK_FOLLOW);
  if (status != 0) {
    struct stat info;
    bool symbolic = lstat(fileName, &info) == 0 && S_ISLNK(info.st_mode);
    status = symbolic ? CopyFile(fileName, backupName)
                      : rename(fileName, backupName);
  }
  int savedErrno = errno;
  Tcl_DStringFree(&backup);
  errno = savedErrno;
  return status;
}

/* Copies the content of from into a new file to; 0 or -1 with errno. */
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

/* The command procedure: SaveCommand, with no exception escaping. */
int TovPartSaveCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return SaveCommand(interp, argc, argv); });
}
