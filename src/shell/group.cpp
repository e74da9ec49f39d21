/*
 * group.cpp --
 *
 *	Groups of open databases (Pdb_Group), the registry that holds them
 *	and the database handles.
 */

#include <cstdio>
#include <cstring>
#include <new>

#include "model/database.h"
#include "shell/conventions.h"
#include "shell/group.h"

Pdb_GroupRegistry pdbRegistry = {{}, nullptr, 0, 1};

/* The group table holds a valid (possibly empty) Tcl hash table. */
static bool registryTableLive = false;

static void DestroyAllGroups();

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::construct --
 *
 *	Sets up an empty group: its database table, fresh hidden lists
 *	(filter on) and its name, either givenName (at most
 *	PDB_GROUP_NAME_MAX characters) or "group%d" from the registry's
 *	counter, which then moves on.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Group::construct(const char *givenName) {
  Tcl_InitHashTable(&databases, TCL_STRING_KEYS);
  hidden = new (std::nothrow) Pdb_HiddenLists;
  if (hidden == nullptr) {
    Tcl_Panic("tovpart: out of memory creating the hidden lists of a group");
  }
  hidden->filter = 1;
  Tcl_InitHashTable(&hidden->parts, TCL_ONE_WORD_KEYS);
  Tcl_InitHashTable(&hidden->categories, TCL_STRING_KEYS);
  if (givenName != nullptr) {
    strncpy(name, givenName, PDB_GROUP_NAME_MAX);
    name[PDB_GROUP_NAME_MAX] = '\0';
  } else {
    snprintf(name, sizeof(name), "group%d", pdbRegistry.nameCounter++);
  }
}

/*
 * Destroys every database of the group through its virtual destructor,
 * then the database table and the hidden lists.
 */

void Pdb_Group::destroy() {
  /*
   * Take every database out of the table before destroying any, so that
   * no destructor that asks the group about its databases meets one that
   * is already gone. The array comes from Tcl's allocator, which never
   * throws.
   */
  int count = databases.numEntries;
  Pdb_Database **held = reinterpret_cast<Pdb_Database **>(Tcl_Alloc(
      static_cast<unsigned>((count > 0 ? count : 1) * sizeof(Pdb_Database *))));
  int taken = 0;
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&databases, &search); e != nullptr;
       e = Tcl_FirstHashEntry(&databases, &search)) {
    held[taken++] = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
    Tcl_DeleteHashEntry(e);
  }
  for (int i = 0; i < taken; i++) {
    delete held[i];
  }
  Tcl_Free(reinterpret_cast<char *>(held));
  Tcl_DeleteHashTable(&databases);
  Tcl_DeleteHashTable(&hidden->parts);
  Tcl_DeleteHashTable(&hidden->categories);
  delete hidden;
  hidden = nullptr;
}

Pdb_Group::Pdb_Group(const char *givenName) { construct(givenName); }

Pdb_Group::~Pdb_Group() { destroy(); }

/* Empties the group in place; its name stays and no counter moves. */

void Pdb_Group::reset() {
  char kept[PDB_GROUP_NAME_MAX + 1];
  memcpy(kept, name, sizeof(kept));
  destroy();
  construct(kept);
}

/*
 * Enters db under handle. A different database already entered under the
 * same handle is destroyed, since the group owns it and nothing else could
 * reach it any more.
 */

void Pdb_Group::addDatabase(const char *handle, Pdb_Database *db) {
  int isNew = 0;
  Tcl_HashEntry *e = Tcl_CreateHashEntry(&databases, handle, &isNew);
  if (!isNew) {
    Pdb_Database *old = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
    if (old != db) {
      delete old;
    }
  }
  Tcl_SetHashValue(e, db);
}

Pdb_Database *Pdb_Group::findDatabase(const char *handle) {
  Tcl_HashEntry *e = Tcl_FindHashEntry(&databases, handle);
  return e != nullptr ? static_cast<Pdb_Database *>(Tcl_GetHashValue(e))
                      : nullptr;
}

/* Destroys and frees every group of the registry's table. */

static void DestroyAllGroups() {
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&pdbRegistry.groups, &search);
       e != nullptr; e = Tcl_NextHashEntry(&search)) {
    delete static_cast<Pdb_Group *>(Tcl_GetHashValue(e));
  }
  Tcl_DeleteHashTable(&pdbRegistry.groups);
}

void Pdb_InitRegistry() {
  if (registryTableLive) {
    DestroyAllGroups();
  }
  Tcl_InitHashTable(&pdbRegistry.groups, TCL_STRING_KEYS);
  registryTableLive = true;
  pdbRegistry.current = Pdb_NewGroup();
}

void Pdb_ClearRegistry() {
  if (registryTableLive) {
    DestroyAllGroups();
  }
  Tcl_InitHashTable(&pdbRegistry.groups, TCL_STRING_KEYS);
  registryTableLive = true;
  pdbRegistry.current = nullptr;
}

/* A new nameless group, entered into the registry under its name. */

Pdb_Group *Pdb_NewGroup() {
  Pdb_Group *group = new (std::nothrow) Pdb_Group(nullptr);
  if (group == nullptr) {
    Tcl_Panic("tovpart: out of memory creating a group");
  }
  int isNew = 0;
  Tcl_HashEntry *e =
      Tcl_CreateHashEntry(&pdbRegistry.groups, group->name, &isNew);
  if (!isNew) {
    Tcl_Panic("tovpart: group name \"%s\" is taken twice", group->name);
  }
  Tcl_SetHashValue(e, group);
  return group;
}

Pdb_Group *Pdb_FindGroup(Tcl_Interp *interp, const char *name) {
  Tcl_HashEntry *e = Tcl_FindHashEntry(&pdbRegistry.groups, name);
  if (e == nullptr) {
    Pdb_UnknownGroup(interp, name);
    return nullptr;
  }
  return static_cast<Pdb_Group *>(Tcl_GetHashValue(e));
}

Pdb_Group *Pdb_ResolveGroup(Tcl_Interp *interp, const char *name) {
  if (name != nullptr) {
    return Pdb_FindGroup(interp, name);
  }
  if (pdbRegistry.current == nullptr) {
    Pdb_NoCurrentGroup(interp);
  }
  return pdbRegistry.current;
}

void Pdb_FormatNextHandle(char *buffer) {
  snprintf(buffer, 24, "zq_pdb%u", pdbRegistry.handleCounter);
}
