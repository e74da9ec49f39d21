/*
 * write_cmd.cpp --
 *
 *	The pdb:write command: writes an ASCII database as a binary image
 *	file that pdb:open maps in place.
 */

#include <cerrno>
#include <cstring>
#include <tcl.h>

#include "files/image/image_writer.h"
#include "model/database.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char *const WRITE_BINARY_WORD = "-binary";
static const char MSG_WRONG_ARGS[] = "Wrong # args for ";
static const char MSG_ILLEGAL_ARGS[] = "Illegal args for ";

/*
 *----------------------------------------------------------------------
 *
 * WriteCommand --
 *
 *	pdb:write -binary handle file: lays out the image of the database
 *	behind handle and writes it to file. Returns TCL_OK with an empty
 *	result, or TCL_ERROR with a message. A binary database, and one
 *	that has not been read, are refused; the database is never changed.
 *
 *----------------------------------------------------------------------
 */

static int WriteCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc != 4) {
    Tcl_AppendResult(interp, MSG_WRONG_ARGS, argv[0], (char *)nullptr);
    return TCL_ERROR;
  }
  if (std::strcmp(argv[1], WRITE_BINARY_WORD) != 0) {
    Tcl_AppendResult(interp, MSG_ILLEGAL_ARGS, argv[0], (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_Database *db = Pdb_ResolveHandle(interp, pdbGroupOption, argv[2]);
  if (db == nullptr) {
    return TCL_ERROR;
  }
  if (db->partsTable() == nullptr) {
    Tcl_AppendResult(interp, "Cannot write database \"", argv[2],
                     "\": it is a binary image, only ASCII databases can be "
                     "written as images",
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (!db->read) {
    Tcl_AppendResult(interp, PDB_MSG_NOT_READ, (char *)nullptr);
    return TCL_ERROR;
  }

  return Pdb_WriteDatabaseImage(interp, db, argv[3]);
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartWriteCmd --
 *
 *	The command procedure of pdb:write: runs WriteCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	WriteCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of WriteCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartWriteCmd(ClientData, Tcl_Interp *interp, int argc,
                    const char **argv) {
  return Pdb_Guard(interp, [&] { return WriteCommand(interp, argc, argv); });
}
