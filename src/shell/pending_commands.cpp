/*
 * pending_commands.cpp --
 *
 *	Placeholders for the commands that are not implemented yet. Each
 *	answers an error saying so; a command's placeholder goes away when
 *	the command is implemented.
 */

#include "shell/commands.h"

/* "<command>: not implemented yet"; TCL_ERROR. */

static int NotImplemented(Tcl_Interp *interp, const char *command) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, command, ": not implemented yet", (char *)nullptr);
  return TCL_ERROR;
}

int TovPartFindObjCmd(ClientData, Tcl_Interp *interp, int,
                      Tcl_Obj *const objv[]) {
  return NotImplemented(interp, Tcl_GetString(objv[0]));
}

int TovPartInfoCmd(ClientData, Tcl_Interp *interp, int, const char **argv) {
  return NotImplemented(interp, argv[0]);
}

int TovPartHideCmd(ClientData, Tcl_Interp *interp, int, const char **argv) {
  return NotImplemented(interp, argv[0]);
}
