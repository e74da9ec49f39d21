/*
 * registry.cpp --
 *
 *	The registry of groups, the current group, the group-name and handle
 *	counters, and the resolution of group names and database handles.
 */

#include "shell/registry.h"

#include <cstdio>
#include <new>

#include "model/group.h"
#include "shell/conventions.h"

Pdb_GroupRegistry pdbRegistry = {{}, nullptr, 0, 1};

/* The group table holds a valid (possibly empty) Tcl hash table. */
static bool registryTableLive = false;

static const char *const MSG_NO_MEMORY_GROUP =
    "Out of memory: cannot create a group.";

static void DestroyAllGroups();
static void StartEmptyRegistry();

/* Destroys and frees every group of the registry's table. */

static void DestroyAllGroups() {
  if (!registryTableLive) {
    return;
  }
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&pdbRegistry.groups, &search);
       e != nullptr; e = Tcl_NextHashEntry(&search)) {
    delete static_cast<Pdb_Group *>(Tcl_GetHashValue(e));
  }
  Tcl_DeleteHashTable(&pdbRegistry.groups);
  registryTableLive = false;
}

/* An empty group table and no current group. */

static void StartEmptyRegistry() {
  DestroyAllGroups();
  Tcl_InitHashTable(&pdbRegistry.groups, TCL_STRING_KEYS);
  registryTableLive = true;
  pdbRegistry.current = nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InitRegistry --
 *
 *	Starts the registry afresh: groups left from an earlier start are
 *	destroyed, and a new default group, named from the group-name
 *	counter, is made current.
 *
 * Results:
 *	TCL_OK; TCL_ERROR with a message when memory ran out, the registry
 *	then being empty with no current group.
 *
 * Side effects:
 *	Advances the group-name counter.
 *
 *----------------------------------------------------------------------
 */

int Pdb_InitRegistry(Tcl_Interp *interp) {
  StartEmptyRegistry();
  pdbRegistry.current = Pdb_NewGroup(interp);
  return pdbRegistry.current != nullptr ? TCL_OK : TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ClearRegistry --
 *
 *	Destroys every group with its databases and leaves the registry empty
 *	with no current group; commands still registered in another
 *	interpreter then find no group instead of freed memory. Allocates
 *	nothing.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees every database of every group.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ClearRegistry() { StartEmptyRegistry(); }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NewGroup --
 *
 *	Creates an empty group named "group<N>" from the group-name counter,
 *	which moves on, and enters it into the registry. A name that is
 *	already taken (a counter that wrapped) is skipped.
 *
 * Results:
 *	The group, or nullptr with a message appended when out of memory.
 *
 * Side effects:
 *	Advances the group-name counter.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group *Pdb_NewGroup(Tcl_Interp *interp) {
  char name[PDB_GROUP_NAME_MAX + 1];
  int isNew = 0;
  Tcl_HashEntry *e = nullptr;
  do {
    std::snprintf(name, sizeof(name), "group%d", pdbRegistry.nameCounter++);
    e = Tcl_CreateHashEntry(&pdbRegistry.groups, name, &isNew);
  } while (!isNew);
  Pdb_Group *group = new (std::nothrow) Pdb_Group(name);
  if (group == nullptr) {
    Tcl_DeleteHashEntry(e);
    Tcl_AppendResult(interp, MSG_NO_MEMORY_GROUP, (char *)nullptr);
    return nullptr;
  }
  Tcl_SetHashValue(e, group);
  return group;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindGroup --
 *
 *	Looks a group up by name in the registry.
 *
 * Results:
 *	The group, or nullptr with "\"name\" is not a group handle." as the
 *	result.
 *
 * Side effects:
 *	None beyond the message.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group *Pdb_FindGroup(Tcl_Interp *interp, const char *name) {
  Tcl_HashEntry *e = Tcl_FindHashEntry(&pdbRegistry.groups, name);
  if (e == nullptr) {
    Pdb_UnknownGroup(interp, name);
    return nullptr;
  }
  return static_cast<Pdb_Group *>(Tcl_GetHashValue(e));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveGroup --
 *
 *	Chooses the group a command works on: the one named by its -group
 *	value, or the current group when name is nullptr.
 *
 * Results:
 *	The group; nullptr with a message when no group has that name or the
 *	registry has no current group.
 *
 * Side effects:
 *	None beyond the message.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group *Pdb_ResolveGroup(Tcl_Interp *interp, const char *name) {
  if (name != nullptr) {
    return Pdb_FindGroup(interp, name);
  }
  if (pdbRegistry.current == nullptr) {
    Pdb_NoCurrentGroup(interp);
  }
  return pdbRegistry.current;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FormatNextHandle --
 *
 *	Formats the handle the next database will get ("zq_pdb" and the
 *	handle counter) into buffer, which holds at least 24 bytes.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None: pdb:open advances the counter once the database is entered, so
 *	handles are never reused.
 *
 *----------------------------------------------------------------------
 */

void Pdb_FormatNextHandle(char *buffer) {
  std::snprintf(buffer, 24, "zq_pdb%u", pdbRegistry.handleCounter);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LookupHandle --
 *
 *	Looks a database handle up in group.
 *
 * Results:
 *	The database, or nullptr with "Not a zq_pdb \"handle\""
 *	appended to the result.
 *
 * Side effects:
 *	None beyond the message.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_LookupHandle(Tcl_Interp *interp, Pdb_Group *group,
                               const char *handle) {
  Pdb_Database *db = group->findDatabase(handle);
  if (db == nullptr) {
    Pdb_NotA(interp, PDB_HANDLE_KIND, handle);
  }
  return db;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveHandle --
 *
 *	Resolves the group named groupName (nullptr: the current group), then
 *	looks handle up in it.
 *
 * Results:
 *	The database, or nullptr with the message of whichever step failed.
 *
 * Side effects:
 *	None beyond the message.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_ResolveHandle(Tcl_Interp *interp, const char *groupName,
                                const char *handle) {
  Pdb_Group *group = Pdb_ResolveGroup(interp, groupName);
  return group == nullptr ? nullptr : Pdb_LookupHandle(interp, group, handle);
}
