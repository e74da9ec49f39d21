/*
 * group_queries.cpp --
 *
 *	Questions asked of a group about the databases it holds.
 */

#include "model/group_queries.h"

#include "host/nullable_string.h"
#include "model/database.h"
#include "model/group.h"

bool Pdb_IsUserDatabase(const Pdb_Database *db) {
  return db->kind == PDB_KIND_USER || db->kind == PDB_KIND_USER_BUILD;
}

Pdb_Database *Pdb_FindUserDatabase(Pdb_Group *group) {
  return group->findFirst(
      [](const char *, Pdb_Database *db) { return Pdb_IsUserDatabase(db); });
}

Pdb_Database *Pdb_FindSiteDatabase(Pdb_Group *group) {
  return group->findFirst(
      [](const char *, Pdb_Database *db) { return db->kind == PDB_KIND_SITE; });
}

bool Pdb_IsFileOpen(Pdb_Group *group, const char *fileName) {
  return group->findFirst([&](const char *, Pdb_Database *db) {
    return Pdb_StrEqualNullable(db->fileName(), fileName);
  }) != nullptr;
}

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

void Pdb_ListHandles(Tcl_Interp *interp, Pdb_Group *group) {
  group->findFirst([&](const char *handle, Pdb_Database *) {
    Tcl_AppendElement(interp, handle);
    return false;
  });
}

const Pdb_Part *Pdb_FindPartInGroup(Pdb_Group *group, const char *partName) {
  const Pdb_Part *found = nullptr;
  group->findFirst([&](const char *, Pdb_Database *db) {
    found = db->findPart(partName);
    return found != nullptr;
  });
  return found;
}
