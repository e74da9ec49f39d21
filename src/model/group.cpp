/*
 * group.cpp --
 *
 *	Groups of open databases: construction, emptying, and the database
 *	table.
 */

#include "model/group.h"

#include <cstring>

#include "model/database.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::Pdb_Group --
 *
 *	Makes an empty group named name (cut to PDB_GROUP_NAME_MAX
 *	characters), with empty hidden lists and the filter on.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group::Pdb_Group(const char *givenName) {
  Tcl_InitHashTable(&databases, TCL_STRING_KEYS);
  std::strncpy(name, givenName, PDB_GROUP_NAME_MAX);
  name[PDB_GROUP_NAME_MAX] = '\0';
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::~Pdb_Group --
 *
 *	Destroys every database of the group (see destroyDatabases) and its
 *	table; the hidden lists go with the group.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the databases. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

Pdb_Group::~Pdb_Group() {
  destroyDatabases();
  Tcl_DeleteHashTable(&databases);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::destroyDatabases --
 *
 *	Destroys every database of the group through its virtual
 *	destructor. Each database leaves the table before it is destroyed,
 *	so no destructor that asks the group about its databases meets one
 *	that is gone; while this runs dismantling() is true, so that none
 *	spends time cleaning databases that are about to go as well.
 *
 * Side effects:
 *	The table is empty afterwards. Allocates nothing.
 *
 * Results:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Group::destroyDatabases() {
  dismantlingAll = true;
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&databases, &search); e != nullptr;
       e = Tcl_FirstHashEntry(&databases, &search)) {
    Pdb_Database *db = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
    Tcl_DeleteHashEntry(e);
    delete db;
  }
  dismantlingAll = false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::reset --
 *
 *	Destroys every database and forgets every hidden entry (behind
 *	pdb:unload); the name and the registry entry stay.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the databases. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Group::reset() {
  destroyDatabases();
  hidden.clear();
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::addDatabase --
 *
 *	Enters db under handle. A different database already entered under
 *	the same handle is destroyed, since the group owns it and nothing else
 *	could reach it any more.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The group owns db from now on; may destroy the database it replaces.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Group::addDatabase(const char *handle, Pdb_Database *db) {
  int isNew = 0;
  Tcl_HashEntry *e = Tcl_CreateHashEntry(&databases, handle, &isNew);
  Pdb_Database *old =
      isNew ? nullptr : static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
  Tcl_SetHashValue(e, db);
  if (old != nullptr && old != db) {
    delete old;
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::findDatabase --
 *
 *	Looks a database up by handle.
 *
 * Results:
 *	The database entered under handle, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database *Pdb_Group::findDatabase(const char *handle) const {
  Tcl_HashEntry *e =
      Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&databases), handle);
  return e != nullptr ? static_cast<Pdb_Database *>(Tcl_GetHashValue(e))
                      : nullptr;
}
