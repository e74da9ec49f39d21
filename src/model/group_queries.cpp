/*
 * group_queries.cpp --
 *
 *	Questions asked of a group about the databases it holds.
 */

#include "model/group_queries.h"

#include "host/nullable_string.h"
#include "model/database.h"
#include "model/group.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsUserDatabase --
 *
 *	Whether db is a user database.
 *
 * Results:
 *	True for the kinds user and user_build.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsUserDatabase(const Pdb_Database *db) {
  return db->kind == PDB_KIND_USER || db->kind == PDB_KIND_USER_BUILD;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindUserDatabase --
 *
 *	Finds the user database of group: the first database, in table order,
 *	of kind user or user_build.
 *
 * Results:
 *	The database, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_FindUserDatabase(Pdb_Group *group) {
  return group->findFirst(
      [](const char *, Pdb_Database *db) { return Pdb_IsUserDatabase(db); });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindSiteDatabase --
 *
 *	Finds the site database of group: the first database, in table order,
 *	of kind site.
 *
 * Results:
 *	The database, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_FindSiteDatabase(Pdb_Group *group) {
  return group->findFirst(
      [](const char *, Pdb_Database *db) { return db->kind == PDB_KIND_SITE; });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsFileOpen --
 *
 *	Tells whether some database of group was opened under exactly fileName
 *	(the stored names compared byte for byte; a null name equals only a
 *	null name).
 *
 * Results:
 *	True when one was.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsFileOpen(Pdb_Group *group, const char *fileName) {
  return group->findFirst([&](const char *, Pdb_Database *db) {
    return Pdb_StrEqualNullable(db->fileName(), fileName);
  }) != nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_DefinedOutsideUserDatabases --
 *
 *	Tells whether a part (objectKind PDB_OBJECT_PART) or a category
 *	(PDB_OBJECT_CATEGORY, references followed across the group) of that
 *	name is defined in a database whose kind is neither user nor
 *	user_build: whether it is protected.
 *
 * Results:
 *	True when such a database has it.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_DefinedOutsideUserDatabases(Pdb_Group *group, int objectKind,
                                     const char *name) {
  return group->findFirst([&](const char *, Pdb_Database *db) {
    bool has = false;
    if (objectKind == PDB_OBJECT_PART) {
      has = db->findPart(name) != nullptr;
    } else if (objectKind == PDB_OBJECT_CATEGORY) {
      has = db->lookupPath(group, PDB_REFS_GROUP, name) != nullptr;
    }
    return has && !Pdb_IsUserDatabase(db);
  }) != nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ListHandles --
 *
 *	Appends every handle of group to the interpreter result as a list
 *	element, in table order.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ListHandles(Tcl_Interp *interp, Pdb_Group *group) {
  group->findFirst([&](const char *handle, Pdb_Database *) {
    Tcl_AppendElement(interp, handle);
    return false;
  });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindPartInGroup --
 *
 *	Finds a part record by name in the group's databases, in table order.
 *
 * Results:
 *	The first record of that name, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_FindPartInGroup(Pdb_Group *group, const char *partName) {
  const Pdb_Part *found = nullptr;
  group->findFirst([&](const char *, Pdb_Database *db) {
    found = db->findPart(partName);
    return found != nullptr;
  });
  return found;
}
