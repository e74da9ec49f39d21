/*
 * tovpart_package.c --
 *
 *	The package shim: Tcl's load command derives the init function's
 *	name from the library's file name, so this small library carries the
 *	names load looks for and provides package tovpart on top of the
 *	module's own entry and exit points.
 */

#include <tcl.h>

#include "shell/commands.h"

#define SHIM_EXPORT __attribute__((visibility("default")))

SHIM_EXPORT int Tovpart_Init(Tcl_Interp *interp);
SHIM_EXPORT int Tovpart_Unload(Tcl_Interp *interp, int flags);

/* Starts the module in interp and provides the package. */

int Tovpart_Init(Tcl_Interp *interp) {
  if (TovPart_Init(interp) != TCL_OK) {
    return TCL_ERROR;
  }
  return Tcl_PkgProvide(interp, "tovpart", "1.0");
}

/* Runs the module's exit point for interp (unload). */

int Tovpart_Unload(Tcl_Interp *interp, int flags) {
  (void)flags;
  return TovPart_Term(interp);
}
