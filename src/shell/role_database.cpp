/*
 * role_database.cpp --
 *
 *	Choosing the user or the site database of a group by the role that
 *	the -db value names, for the commands that edit or save it.
 */

#include "model/group_queries.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char MSG_NO_SITE[] = "Site parts database is not open";
static const char MSG_NO_USER[] = "User parts database is not open";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsSiteRoleChosen --
 *
 *	Tells whether the command chose the site database by its role.
 *
 * Results:
 *	True when the -db value of the current command is "site".
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsSiteRoleChosen() {
  return Pdb_StrEqualNullable(pdbDbOption, PDB_SITE_ROLE);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindRoleDatabase --
 *
 *	The group's site database when the -db value is "site", else its
 *	user database (the first of kind user or user_build).
 *
 * Results:
 *	The database, or nullptr with "Site parts database is not open" or
 *	"User parts database is not open" appended to the result.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_FindRoleDatabase(Tcl_Interp *interp, Pdb_Group *group) {
  bool site = Pdb_IsSiteRoleChosen();
  Pdb_Database *db =
      site ? Pdb_FindSiteDatabase(group) : Pdb_FindUserDatabase(group);
  if (db == nullptr) {
    Tcl_AppendResult(interp, site ? MSG_NO_SITE : MSG_NO_USER, (char *)nullptr);
  }
  return db;
}
