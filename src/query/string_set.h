/*
 * string_set.h --
 *
 *	A set of strings kept in a Tcl hash table with string keys: the
 *	result set of a search, where a string found twice is kept once.
 */

#ifndef TOVPART_QUERY_STRING_SET_H
#define TOVPART_QUERY_STRING_SET_H

#include <tcl.h>

class Pdb_StringSet {
public:
  Pdb_StringSet() { Tcl_InitHashTable(&table, TCL_STRING_KEYS); }
  ~Pdb_StringSet() { Tcl_DeleteHashTable(&table); }
  Pdb_StringSet(const Pdb_StringSet &) = delete;
  Pdb_StringSet &operator=(const Pdb_StringSet &) = delete;

  /* Adds a copy of string; true when it was not yet a member. */
  bool insert(const char *string) {
    int isNew = 0;
    Tcl_CreateHashEntry(&table, string, &isNew);
    return isNew != 0;
  }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_StringSet::remove --
   *
   *	Removes string from the set.
   *
   * Results:
   *	True when it was a member.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  bool remove(const char *string) {
    Tcl_HashEntry *e = Tcl_FindHashEntry(&table, string);
    if (e == nullptr) {
      return false;
    }
    Tcl_DeleteHashEntry(e);
    return true;
  }

  bool contains(const char *string) const {
    return Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&table), string) !=
           nullptr;
  }

  int size() const { return table.numEntries; }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_StringSet::forEach --
   *
   *	Calls visit(string) for every member, in hash-table order (which
   *	depends only on the strings and the order they were added).
   *
   * Results:
   *	None.
   *
   * Side effects:
   *	Those of visit, which must not change the set.
   *
   *----------------------------------------------------------------------
   */

  template <typename Visit> void forEach(Visit visit) const {
    Tcl_HashTable *t = const_cast<Tcl_HashTable *>(&table);
    Tcl_HashSearch search;
    for (Tcl_HashEntry *e = Tcl_FirstHashEntry(t, &search); e != nullptr;
         e = Tcl_NextHashEntry(&search)) {
      visit(static_cast<const char *>(Tcl_GetHashKey(t, e)));
    }
  }

private:
  Tcl_HashTable table;
};

#endif /* TOVPART_QUERY_STRING_SET_H */
