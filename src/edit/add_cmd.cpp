/*
 * add_cmd.cpp --
 *
 *	pdb:add: the checks its forms share and the choice of form.
 */

#include "edit/add_forms.h"
#include "edit/edit_target.h"
#include "model/ascii_db.h"
#include "model/category_tree.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"

static const char USAGE[] =
    "category ?category|part|part {symbol lib props} {template td}|hdl?";

static const char MSG_BAD_PATH[] = "Bad category name \"";
static const char MSG_QUOTE_END[] = "\"";

/*
 *----------------------------------------------------------------------
 *
 * AddCommand --
 *
 *	pdb:add ?-group group? ?-db name? category ?second? ?symbol-record
 *	template-record ?hdl??
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Changes the group's user database, or its site database with
 *	-db site, in memory.
 *
 *----------------------------------------------------------------------
 */

static int AddCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc != 2 && argc != 3 && argc != 5 && argc != 6) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  Pdb_Group *group = nullptr;
  Pdb_AsciiDb *target = Pdb_ResolveEditTarget(interp, &group);
  if (target == nullptr) {
    return TCL_ERROR;
  }
  const char *path = argv[1];
  if (!Pdb_IsCategoryPath(path)) {
    Tcl_AppendResult(interp, MSG_BAD_PATH, path, MSG_QUOTE_END,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_AddContext add = {interp, group, target, path};
  switch (argc) {
  case 2:
    return Pdb_AddCategory(add, "");
  case 3:
    return Pdb_AddReference(add, argv[2]);
  default:
    return Pdb_AddPart(add, argv[2], argv[3], argv[4],
                       argc == 6 ? argv[5] : nullptr);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartAddCmd --
 *
 *	The command procedure of pdb:add: runs AddCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	AddCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of AddCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartAddCmd(ClientData, Tcl_Interp *interp, int argc, const char **argv) {
  return Pdb_Guard(interp, [&] { return AddCommand(interp, argc, argv); });
}
