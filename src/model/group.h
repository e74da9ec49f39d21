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
#include <vector>

#include "model/hidden_lists.h"

class Pdb_Database;
struct Pdb_CategoryNode;

/* A node found in a group, with the database whose tree holds it. */
struct Pdb_Located {
  Pdb_Database *db;
  Pdb_CategoryNode *node;
};

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
   *----------------------------------------------------------------------
   *
   * Pdb_Group::findFirst --
   *
   *	Calls visit(handle, db) for each database in table order until visit
   *	returns true.
   *
   * Results:
   *	The database for which visit returned true, or nullptr.
   *
   * Side effects:
   *	Those of visit, which must not add or remove databases.
   *
   *----------------------------------------------------------------------
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

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_Group::forEachDatabase --
   *
   *	Calls visit(db) for each database in table order.
   *
   * Results:
   *	None.
   *
   * Side effects:
   *	Those of visit, which must not add or remove databases.
   *
   *----------------------------------------------------------------------
   */

  template <typename Visit> void forEachDatabase(Visit visit) const {
    findFirst([&](const char *, Pdb_Database *db) {
      visit(db);
      return false;
    });
  }

  /*
   * Lookups across the group's databases, in table order (the merged
   * view). Reference modes are those of Pdb_Database::lookupPath.
   */

  /* The first node that a database's lookupPath finds, or nullptr. */
  Pdb_CategoryNode *lookupPathInGroup(int mode, const char *path) const;

  /* The node at path in every database that holds one, without following
   * references: the targets of a category reference to path. */
  std::vector<Pdb_Located> locateAll(const char *path) const;

  /* The help text the group records for path; "" when none holds it. */
  const char *categoryHelp(const char *path) const;

  /* The help of a node lookupPathInGroup found: for a reference that of
   * the category it designates; "" for nullptr or a missing target. */
  const char *helpOfFound(const Pdb_CategoryNode *node) const;

  /* True when placing a reference to targetPath under node would make a
   * cycle. */
  bool isCircularReference(const Pdb_CategoryNode *node,
                           const char *targetPath) const;

  /*
   * True when a category reference to targetPath placed under the
   * category at parentPath would stand at a path the group already finds
   * (references followed): parentPath followed by the last component of
   * targetPath ("/x/" and "/a/b/" give "/x/b/"). targetPath ends in "/".
   */
  bool referencePlaceTaken(const char *parentPath,
                           const char *targetPath) const;

  /* True when x can be reached from n, through references too. */
  bool reachesCategory(const Pdb_CategoryNode *x,
                       const Pdb_CategoryNode *n) const;

private:
  void destroyDatabases();

  bool dismantlingAll = false;
};

#endif /* TOVPART_MODEL_GROUP_H */
