/*
 * debug_cmd.cpp --
 *
 *	The pdb:debug command: switches command tracing.
 */

#include "shell/commands.h"
#include "shell/conventions.h"

static const char *const DEBUG_MSG_TOO_MANY =
    "Too many argmuents. Should be \"pdb:debug -trace integer.\"";

static const Tov_ArgvInfo debugOptions[] = {
    {"-trace", TOV_ARGV_INT, nullptr, &pdbTraceSwitch,
     "control command tracing"},
    {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};

/*
 *----------------------------------------------------------------------
 *
 * TovPartDebugCmd --
 *
 *	pdb:debug ?-trace integer?. Traces itself before parsing, so the
 *	command that switches tracing off is still echoed.
 *
 * Results:
 *	Empty on success.
 *
 * Side effects:
 *	"-trace" stores its value in the trace switch.
 *
 *----------------------------------------------------------------------
 */

int TovPartDebugCmd(ClientData, Tcl_Interp *interp, int argc,
                    const char **argv) {
  Pdb_TraceArgv(argc, argv);
  Tcl_ResetResult(interp);
  if (Tov_ParseArgv(interp, &argc, argv, debugOptions, 0) != 0) {
    return TCL_ERROR;
  }
  if (argc > 1) {
    Tcl_AppendResult(interp, DEBUG_MSG_TOO_MANY, (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}
