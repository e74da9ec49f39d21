/*
 * address_set.h --
 *
 *	A set of addresses kept in a Tcl hash table with one-word keys; the
 *	node and part sets of subtree deletion and the part sets of list
 *	removal are of this kind.
 */

#ifndef TOVPART_MODEL_ADDRESS_SET_H
#define TOVPART_MODEL_ADDRESS_SET_H

#include <tcl.h>

class Pdb_AddressSet {
public:
  Pdb_AddressSet() { Tcl_InitHashTable(&table, TCL_ONE_WORD_KEYS); }
  ~Pdb_AddressSet() { Tcl_DeleteHashTable(&table); }
  Pdb_AddressSet(const Pdb_AddressSet &) = delete;
  Pdb_AddressSet &operator=(const Pdb_AddressSet &) = delete;

  /* Adds address; true when it was not yet a member. */
  bool insert(const void *address) {
    int isNew = 0;
    Tcl_CreateHashEntry(&table, static_cast<const char *>(address), &isNew);
    return isNew != 0;
  }
  bool contains(const void *address) const {
    return Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&table),
                             static_cast<const char *>(address)) != nullptr;
  }
  int size() const { return table.numEntries; }

  /* Calls visit(address) for every member, in hash-table order. */
  template <typename Visit> void forEach(Visit visit) const {
    Tcl_HashSearch search;
    Tcl_HashTable *t = const_cast<Tcl_HashTable *>(&table);
    for (Tcl_HashEntry *e = Tcl_FirstHashEntry(t, &search); e != nullptr;
         e = Tcl_NextHashEntry(&search)) {
      visit(static_cast<void *>(Tcl_GetHashKey(t, e)));
    }
  }

private:
  Tcl_HashTable table;
};

#endif /* TOVPART_MODEL_ADDRESS_SET_H */
