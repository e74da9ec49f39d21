/*
 * group.h --
 *
 *	A group of open databases: the databases by handle ("zq_pdb%u"),
 *	which the group owns, and the entries hidden from its searches. The
 *	group is the merged view that lookups across databases walk, in the
 *	order of its database table.
 */

#ifndef TOVPART_MODEL_GROUP_H
#define TOVPART_MODEL_GROUP_H

#include <tcl.h>

#include "model/hidden_lists.h"

class Pdb_Database;

enum { PDB_GROUP_NAME_MAX = 24 };

class Pdb_Group {
public:
  Tcl_HashTable databases; /* handle -> Pdb_Database; owns them */
  Pdb_HiddenLists hidden;
  char name[PDB_GROUP_NAME_MAX + 1];

  /* An empty group named name (at most PDB_GROUP_NAME_MAX characters). */
  explicit Pdb_Group(const char *name);
  ~Pdb_Group();
  Pdb_Group(const Pdb_Group &) = delete;
  Pdb_Group &operator=(const Pdb_Group &) = delete;

  /* Destroys every database and forgets every hidden entry; the name
   * stays. Allocates nothing. */
  void reset();

  /* Enters db under handle; a different database there is destroyed. */
  void addDatabase(const char *handle, Pdb_Database *db);

  /* The database entered under handle, or nullptr. */
  Pdb_Database *findDatabase(const char *handle) const;

  /*
   * Calls visit(handle, db) for each database in table order until visit
   * returns true; returns that database, or nullptr.
   */
  template <typename Visit> Pdb_Database *findFirst(Visit visit) const {
    Tcl_HashTable *table = const_cast<Tcl_HashTable *>(&databases);
    Tcl_HashSearch search;
    for (Tcl_HashEntry *e = Tcl_FirstHashEntry(table, &search); e != nullptr;
         e = Tcl_NextHashEntry(&search)) {
      Pdb_Database *db = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
      if (visit(static_cast<const char *>(Tcl_GetHashKey(table, e)), db)) {
        return db;
      }
    }
    return nullptr;
  }

  /*
   * True while reset or destruction dismantles the whole group: a dying
   * database then need not clean the others, which die with it.
   */
  bool dismantling() const { return dismantlingAll; }

  /* Calls visit(db) for each database in table order. */
  template <typename Visit> void forEachDatabase(Visit visit) const {
    findFirst([&](const char *, Pdb_Database *db) {
      visit(db);
      return false;
    });
  }

private:
  void destroyDatabases();

  bool dismantlingAll = false;
};

#endif /* TOVPART_MODEL_GROUP_H */
