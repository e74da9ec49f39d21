/*
 * entry.cpp --
 *
 *	The module's entry and exit points and its command table.
 */

#include "host/tov_host.h"
#include "model/window.h"
#include "shell/commands.h"
#include "shell/registry.h"

struct CommandRow {
  const char *name;
  Tcl_CmdProc *stringProc; /* string commands */
  Tcl_ObjCmdProc *objProc; /* object commands */
};

/* The fifteen commands, in the order they are registered. */
static const CommandRow commandTable[] = {
    {"pdb:open", TovPartOpenCmd, nullptr},
    {"pdb:isopen", TovPartIsOpenCmd, nullptr},
    {"pdb:read", TovPartReadCmd, nullptr},
    {"pdb:find", nullptr, TovPartFindObjCmd},
    {"pdb:info", TovPartInfoCmd, nullptr},
    {"pdb:add", TovPartAddCmd, nullptr},
    {"pdb:delete", TovPartDeleteCmd, nullptr},
    {"pdb:save", TovPartSaveCmd, nullptr},
    {"pdb:unload", nullptr, TovPartUnloadObjCmd},
    {"pdb:write", TovPartWriteCmd, nullptr},
    {"pdb:hide", TovPartHideCmd, nullptr},
    {"pdb:print", TovPartPrintCmd, nullptr},
    {"pdb:debug", TovPartDebugCmd, nullptr},
    {"pdb:group", nullptr, TovPartGroupObjCmd},
    {"pdb:version", TovPartVersionCmd, nullptr},
};

/*
 *----------------------------------------------------------------------
 *
 * TovPart_Init --
 *
 *	Entry point: starts the group registry afresh with the default group
 *	(made current) and registers the commands in interp, without client
 *	data or delete procedures.
 *
 * Results:
 *	TCL_OK; TCL_ERROR with a message, and no command registered, only
 *	when there is no memory for the default group.
 *
 * Side effects:
 *	Destroys the groups of an earlier load; creates the commands.
 *
 *----------------------------------------------------------------------
 */

int TovPart_Init(Tcl_Interp *interp) {
  if (Pdb_InitRegistry(interp) != TCL_OK) {
    return TCL_ERROR;
  }
  for (const CommandRow &row : commandTable) {
    if (row.stringProc != nullptr) {
      Tcl_CreateCommand(interp, row.name, row.stringProc, nullptr, nullptr);
    } else {
      Tcl_CreateObjCommand(interp, row.name, row.objProc, nullptr, nullptr);
    }
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * tovPart_Init --
 *
 *	The entry point under the lower-case name that some loaders look up.
 *
 * Results:
 *	Those of TovPart_Init.
 *
 * Side effects:
 *	Those of TovPart_Init.
 *
 *----------------------------------------------------------------------
 */

int tovPart_Init(Tcl_Interp *interp) { return TovPart_Init(interp); }

/*
 *----------------------------------------------------------------------
 *
 * TovPart_Term --
 *
 *	Exit point: deletes the commands from interp and destroys every group
 *	with its databases. The registry is left empty, without a current
 *	group, so that commands still registered in another interpreter find
 *	no group instead of freed memory. The address window is given back
 *	to the system once nothing lives in it, so that loading and unloading
 *	the module again and again does not pile up reservations, and what
 *	the list splitter kept for its callers is freed.
 *
 * Results:
 *	TCL_OK.
 *
 * Side effects:
 *	As described.
 *
 *----------------------------------------------------------------------
 */

int TovPart_Term(Tcl_Interp *interp) {
  for (const CommandRow &row : commandTable) {
    Tcl_DeleteCommand(interp, row.name);
  }
  Pdb_ClearRegistry();
  Tov_SplitListRelease();
  Pdb_WindowRelease();
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * tovPart_Term --
 *
 *	The exit point under the lower-case name that some loaders look up.
 *
 * Results:
 *	Those of TovPart_Term.
 *
 * Side effects:
 *	Those of TovPart_Term.
 *
 *----------------------------------------------------------------------
 */

int tovPart_Term(Tcl_Interp *interp) { return TovPart_Term(interp); }
