/*
 * read_cmd.cpp --
 *
 *	pdb:read: fills an opened ASCII database from its file; a binary
 *	database is only marked read.
 */

#include <cstdlib>
#include <cstring>

#include "files/text/ascii_reader.h"
#include "model/ascii_db.h"
#include "model/database.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char USAGE[] = "zq_pdb handle ?-update?";
static const char UPDATE_OPTION[] = "-update";

static const char MSG_ALREADY_READ[] = "The database has been read.";

/*
 *----------------------------------------------------------------------
 *
 * ReadCommand --
 *
 *	pdb:read ?-group group? ?-db name? handle ?-update?
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message; the
 *	reader's own failures also set the error code {PDB word file line}.
 *
 * Side effects:
 *	Fills the database; closes its file in every outcome.
 *
 *----------------------------------------------------------------------
 */

static int ReadCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc != 2 && argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  if (argc == 3 && strcmp(argv[2], UPDATE_OPTION) != 0) {
    return Pdb_InvalidArgs(interp, argv[0], USAGE);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Pdb_Database *db = Pdb_LookupHandle(interp, group, argv[1]);
  if (db == nullptr) {
    return TCL_ERROR;
  }
  if (db->read) {
    db->closeFile();
    Tcl_AppendResult(interp, MSG_ALREADY_READ, (char *)nullptr);
    return TCL_ERROR;
  }
  db->version = 2;
  if (db->binary) {
    db->read = true;
    db->closeFile();
    return TCL_OK;
  }
  if (db->file == nullptr) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, "A previous read of \"", db->fileName(),
                     "\" failed.  It cannot be read in this session.",
                     (char *)nullptr);
    return TCL_ERROR;
  }
  int status = Pdb_ReadAsciiDatabase(
      interp, group, static_cast<Pdb_AsciiDb *>(db), argc == 3, nullptr);
  db->closeFile();
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartReadCmd --
 *
 *	The command procedure of pdb:read: runs ReadCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	ReadCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of ReadCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartReadCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return ReadCommand(interp, argc, argv); });
}
