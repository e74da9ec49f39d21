/*
 * version_cmd.cpp --
 *
 *	pdb:version: the binary image format version this module writes and
 *	accepts, or the format version a database was found to have when it
 *	was read.
 */

#include <cstdio>

#include "model/database.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

/* The binary image format version of this module. */
static const int IMAGE_FORMAT_VERSION = 2;

static const char USAGE[] = "?zq_pdb handle?";

static void SetNumberResult(Tcl_Interp *interp, int number);

/*
 *----------------------------------------------------------------------
 *
 * TovPartVersionCmd --
 *
 *	pdb:version ?-group group? ?-db name? ?handle?
 *
 * Results:
 *	TCL_OK with a decimal number, or TCL_ERROR with a message.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int TovPartVersionCmd(ClientData, Tcl_Interp *interp, int argc,
                      const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc > 2) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  if (argc == 1) {
    SetNumberResult(interp, IMAGE_FORMAT_VERSION);
    return TCL_OK;
  }
  Pdb_Database *db = Pdb_ResolveHandle(interp, pdbGroupOption, argv[1]);
  if (db == nullptr) {
    return TCL_ERROR;
  }
  if (!db->read) {
    Tcl_AppendResult(interp, PDB_MSG_NOT_READ, (char *)nullptr);
    return TCL_ERROR;
  }
  SetNumberResult(interp, db->version);
  return TCL_OK;
}

static void SetNumberResult(Tcl_Interp *interp, int number) {
  char text[16];
  snprintf(text, sizeof text, "%d", number);
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, text, (char *)nullptr);
}
