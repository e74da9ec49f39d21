/*
 * hidden_lists.cpp --
 *
 *	The hidden parts and hidden categories of a group.
 */

#include "model/hidden_lists.h"

#include <cstring>

static bool AddKey(Tcl_HashTable *table, const char *key);
static bool RemoveKey(Tcl_HashTable *table, const char *key);

Pdb_HiddenLists::Pdb_HiddenLists() : filter(1) {
  Tcl_InitHashTable(&parts, TCL_ONE_WORD_KEYS);
  Tcl_InitHashTable(&categories, TCL_STRING_KEYS);
}

Pdb_HiddenLists::~Pdb_HiddenLists() {
  Tcl_DeleteHashTable(&parts);
  Tcl_DeleteHashTable(&categories);
}

void Pdb_HiddenLists::clear() {
  Tcl_DeleteHashTable(&parts);
  Tcl_DeleteHashTable(&categories);
  Tcl_InitHashTable(&parts, TCL_ONE_WORD_KEYS);
  Tcl_InitHashTable(&categories, TCL_STRING_KEYS);
  filter = 1;
}

/* Adds key; true when it was not there yet. */
static bool AddKey(Tcl_HashTable *table, const char *key) {
  int isNew = 0;
  Tcl_CreateHashEntry(table, key, &isNew);
  return isNew != 0;
}

/* Removes key; true when it was there. */
static bool RemoveKey(Tcl_HashTable *table, const char *key) {
  Tcl_HashEntry *e = Tcl_FindHashEntry(table, key);
  if (e == nullptr) {
    return false;
  }
  Tcl_DeleteHashEntry(e);
  return true;
}

bool Pdb_HiddenLists::hidePart(const Pdb_Part *part) {
  return AddKey(&parts, reinterpret_cast<const char *>(part));
}

bool Pdb_HiddenLists::unhidePart(const Pdb_Part *part) {
  return RemoveKey(&parts, reinterpret_cast<const char *>(part));
}

bool Pdb_HiddenLists::hideCategory(const char *path) {
  return AddKey(&categories, path);
}

bool Pdb_HiddenLists::unhideCategory(const char *path) {
  return RemoveKey(&categories, path);
}

void Pdb_HiddenLists::forgetPart(const Pdb_Part *part) {
  RemoveKey(&parts, reinterpret_cast<const char *>(part));
}

bool Pdb_HiddenLists::isPartHidden(const Pdb_Part *part) const {
  return filter != 0 && parts.numEntries > 0 &&
         Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&parts),
                           reinterpret_cast<const char *>(part)) != nullptr;
}

bool Pdb_HiddenLists::isCategoryHidden(const char *path) const {
  return filter != 0 && categories.numEntries > 0 &&
         Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&categories), path) !=
             nullptr;
}

bool Pdb_HiddenLists::isUnderHiddenCategory(const char *path) const {
  if (filter == 0 || categories.numEntries == 0) {
    return false;
  }
  bool under = false;
  forEachKey(&categories, [&](const char *hidden) {
    under = under || std::strncmp(path, hidden, std::strlen(hidden)) == 0;
  });
  return under;
}
