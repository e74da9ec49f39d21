/*
 * unload_cmd.cpp --
 *
 *	The pdb:unload command: empties a group, destroying its databases
 *	unsaved and forgetting its hidden entries.
 */

#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char *const UNLOAD_USAGE = "?-group group? -all";
static const char *const unloadOptions[] = {"-all", "-group", nullptr};
enum UnloadOption { UNLOAD_ALL, UNLOAD_GROUP };

/*
 *----------------------------------------------------------------------
 *
 * TovPartUnloadObjCmd --
 *
 *	pdb:unload ?-group group? -all. Options are matched with Tcl's own
 *	index lookup (unique abbreviations allowed). "-all" is required and
 *	is checked before the group is looked up.
 *
 * Results:
 *	Empty on success.
 *
 * Side effects:
 *	Resets the group: every database is destroyed without being saved
 *	and the hidden lists are emptied; the group keeps its name, its
 *	registry entry and its being current.
 *
 *----------------------------------------------------------------------
 */

int TovPartUnloadObjCmd(ClientData, Tcl_Interp *interp, int objc,
                        Tcl_Obj *const objv[]) {
  Pdb_TraceObjv(objc, objv);
  if (objc < 2) {
    Tcl_WrongNumArgs(interp, 1, objv, UNLOAD_USAGE);
    return TCL_ERROR;
  }
  bool all = false;
  const char *groupName = nullptr;
  for (int i = 1; i < objc; i++) {
    int index = 0;
    if (Tcl_GetIndexFromObj(interp, objv[i], unloadOptions, "option", 0,
                            &index) != TCL_OK) {
      return TCL_ERROR;
    }
    if (index == UNLOAD_ALL) {
      all = true;
    } else {
      if (i + 1 >= objc) {
        Tcl_WrongNumArgs(interp, 1, objv, UNLOAD_USAGE);
        return TCL_ERROR;
      }
      groupName = Tcl_GetString(objv[++i]);
    }
  }
  if (!all) {
    return Pdb_InvalidArgs(interp, Tcl_GetString(objv[0]), UNLOAD_USAGE);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, groupName);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  group->reset();
  return TCL_OK;
}
