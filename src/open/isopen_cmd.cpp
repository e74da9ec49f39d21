/*
 * isopen_cmd.cpp --
 *
 *	pdb:isopen: tells whether a database of the current group was opened
 *	under exactly the given file name.
 */

#include "model/group.h"
#include "model/group_queries.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

/*
 *----------------------------------------------------------------------
 *
 * TovPartIsOpenCmd --
 *
 *	pdb:isopen filename_withpath. Takes no options and does not trace.
 *
 * Results:
 *	"1" with TCL_ERROR when the file is open in the current group, "0"
 *	with TCL_OK when it is not: scripts outside this module rely on
 *	these statuses. TCL_ERROR with an empty result when there is no
 *	current group.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int TovPartIsOpenCmd(ClientData, Tcl_Interp *interp, int argc,
                     const char **argv) {
  if (argc != 2) {
    return Pdb_WrongNumArgs(interp, argv[0], "?filename_withpath?");
  }
  Pdb_Group *group = pdbRegistry.current;
  if (group == nullptr) {
    Tcl_ResetResult(interp);
    return TCL_ERROR;
  }
  bool open = Pdb_IsFileOpen(group, argv[1]);
  Tcl_SetResult(interp, const_cast<char *>(open ? "1" : "0"), TCL_STATIC);
  return open ? TCL_ERROR : TCL_OK;
}
