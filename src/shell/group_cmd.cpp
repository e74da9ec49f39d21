/*
 * group_cmd.cpp --
 *
 *	The pdb:group command: creating groups, choosing the current one and
 *	listing them.
 */

#include <cstring>

#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char *const GROUP_USAGE = "subcommand ?handle?";
static const char *const GROUP_CHOICES =
    "new, setCurrent, getCurrent or groups";

static bool IsPrefixOf(const char *word, const char *full);
static int GroupNew(Tcl_Interp *interp, int objc, const char *command);
static int GroupSetCurrent(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                           const char *command);
static int GroupGetCurrent(Tcl_Interp *interp, int objc, const char *command);
static int GroupList(Tcl_Interp *interp, int objc, const char *command);

/* True when word is full or a prefix of it (the empty word included). */

static bool IsPrefixOf(const char *word, const char *full) {
  return strncmp(word, full, strlen(word)) == 0;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartGroupObjCmd --
 *
 *	pdb:group subcommand ?handle?. The subcommand is chosen by its first
 *	letter and must be a prefix of the subcommand's name; "g" and other
 *	prefixes of both getCurrent and groups mean getCurrent.
 *
 * Results:
 *	new: the new group's name; getCurrent: the current group's name;
 *	groups: the list of all group names; setCurrent: empty.
 *
 * Side effects:
 *	new adds a group to the registry; setCurrent changes the current
 *	group.
 *
 *----------------------------------------------------------------------
 */

int TovPartGroupObjCmd(ClientData, Tcl_Interp *interp, int objc,
                       Tcl_Obj *const objv[]) {
  Pdb_TraceObjv(objc, objv);
  const char *command = Tcl_GetString(objv[0]);
  if (objc < 2 || objc > 3) {
    return Pdb_WrongNumArgs(interp, command, GROUP_USAGE);
  }
  const char *word = Tcl_GetString(objv[1]);
  switch (word[0]) {
  case 'n':
    if (IsPrefixOf(word, "new")) {
      return GroupNew(interp, objc, command);
    }
    break;
  case 's':
    if (IsPrefixOf(word, "setCurrent")) {
      return GroupSetCurrent(interp, objc, objv, command);
    }
    break;
  case 'g':
    if (IsPrefixOf(word, "getCurrent")) {
      return GroupGetCurrent(interp, objc, command);
    }
    if (IsPrefixOf(word, "groups")) {
      return GroupList(interp, objc, command);
    }
    break;
  default:
    break;
  }
  return Pdb_BadOption(interp, word, GROUP_CHOICES);
}

/* pdb:group new: a nameless group, entered but not made current. */

static int GroupNew(Tcl_Interp *interp, int objc, const char *command) {
  if (objc != 2) {
    return Pdb_WrongNumArgs(interp, command, "new");
  }
  Pdb_Group *group = Pdb_NewGroup(interp);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Tcl_AppendResult(interp, group->name, (char *)nullptr);
  return TCL_OK;
}

/* pdb:group setCurrent name: makes an existing group current. */

static int GroupSetCurrent(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                           const char *command) {
  if (objc != 3) {
    return Pdb_WrongNumArgs(interp, command, "setCurrent handle");
  }
  Pdb_Group *group = Pdb_FindGroup(interp, Tcl_GetString(objv[2]));
  if (group == nullptr) {
    return TCL_ERROR;
  }
  pdbRegistry.current = group;
  return TCL_OK;
}

/* pdb:group getCurrent: the current group's name. */

static int GroupGetCurrent(Tcl_Interp *interp, int objc, const char *command) {
  if (objc != 2) {
    return Pdb_WrongNumArgs(interp, command, "getCurrent");
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, nullptr);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Tcl_AppendResult(interp, group->name, (char *)nullptr);
  return TCL_OK;
}

/* pdb:group groups: every group name, in the registry's order. */

static int GroupList(Tcl_Interp *interp, int objc, const char *command) {
  if (objc != 2) {
    return Pdb_WrongNumArgs(interp, command, "groups");
  }
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&pdbRegistry.groups, &search);
       e != nullptr; e = Tcl_NextHashEntry(&search)) {
    Tcl_AppendElement(interp, static_cast<const char *>(
                                  Tcl_GetHashKey(&pdbRegistry.groups, e)));
  }
  return TCL_OK;
}
