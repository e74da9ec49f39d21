/*
 * edit_target.cpp --
 *
 *	Choosing the database that pdb:add and pdb:delete change.
 */

#include "edit/edit_target.h"

#include "model/ascii_db.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char MSG_USER_IMAGE[] =
    "User parts database is a read-only binary image and cannot be edited";
static const char MSG_SITE_IMAGE[] =
    "Site parts database is a read-only binary image and cannot be edited";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveEditTarget --
 *
 *	Resolves the group of the current command (its -group value, else
 *	the current group) and chooses the database by its -db value (the
 *	site database for "site", else the user database), which must have
 *	been read and must have a tree that can be changed.
 *
 * Results:
 *	The database, an ASCII database with its editor and parts table,
 *	with *groupPtr set to the group; or nullptr with a message in the
 *	result: the group is unknown, or the database is not open, has not
 *	been read, or is a binary image mapped read-only.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_AsciiDb *Pdb_ResolveEditTarget(Tcl_Interp *interp, Pdb_Group **groupPtr) {
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return nullptr;
  }
  *groupPtr = group;
  Pdb_Database *db = Pdb_FindRoleDatabase(interp, group);
  if (db == nullptr) {
    return nullptr;
  }
  if (!db->read) {
    Tcl_AppendResult(interp, PDB_MSG_ROLE_NOT_READ, (char *)nullptr);
    return nullptr;
  }
  auto *ascii = dynamic_cast<Pdb_AsciiDb *>(db);
  if (ascii == nullptr || ascii->tree == nullptr) {
    Tcl_AppendResult(interp,
                     Pdb_IsSiteRoleChosen() ? MSG_SITE_IMAGE : MSG_USER_IMAGE,
                     (char *)nullptr);
    return nullptr;
  }
  return ascii;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_EditFailure --
 *
 *	Appends message to the interpreter result.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_EditFailure(Tcl_Interp *interp, const char *message) {
  Tcl_AppendResult(interp, message, (char *)nullptr);
  return TCL_ERROR;
}
