/*
 * hidden_lists.cpp --
 *
 *	The hidden parts and hidden categories of a group.
 */

#include "model/hidden_lists.h"

#include <cstring>

static bool AddKey(Tcl_HashTable *table, const char *key);
static bool RemoveKey(Tcl_HashTable *table, const char *key);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::Pdb_HiddenLists --
 *
 *	Makes empty hidden lists with the filter on.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_HiddenLists::Pdb_HiddenLists() : filter(1) {
  Tcl_InitHashTable(&parts, TCL_ONE_WORD_KEYS);
  Tcl_InitHashTable(&categories, TCL_STRING_KEYS);
}

Pdb_HiddenLists::~Pdb_HiddenLists() {
  Tcl_DeleteHashTable(&parts);
  Tcl_DeleteHashTable(&categories);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::clear --
 *
 *	Forgets every hidden entry and switches the filter on (behind
 *	pdb:unload).
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the tables' entries.
 *
 *----------------------------------------------------------------------
 */

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

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::hidePart --
 *
 *	Hides part.
 *
 * Results:
 *	True when it was not hidden yet.
 *
 * Side effects:
 *	Adds it to the hidden parts.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::hidePart(const Pdb_Part *part) {
  return AddKey(&parts, reinterpret_cast<const char *>(part));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::unhidePart --
 *
 *	Shows part again.
 *
 * Results:
 *	True when it was hidden.
 *
 * Side effects:
 *	Removes it from the hidden parts.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::unhidePart(const Pdb_Part *part) {
  return RemoveKey(&parts, reinterpret_cast<const char *>(part));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::hideCategory --
 *
 *	Hides the category at path, and so everything below it.
 *
 * Results:
 *	True when the path was not hidden yet.
 *
 * Side effects:
 *	Adds a copy of path to the hidden categories.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::hideCategory(const char *path) {
  return AddKey(&categories, path);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::unhideCategory --
 *
 *	Shows the category at path again.
 *
 * Results:
 *	True when the path was hidden.
 *
 * Side effects:
 *	Removes it from the hidden categories.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::unhideCategory(const char *path) {
  return RemoveKey(&categories, path);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::forgetPart --
 *
 *	Drops part from the hidden parts whether the filter is on or not, for
 *	a record that is about to be freed; nothing when it is absent.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	As described.
 *
 *----------------------------------------------------------------------
 */

void Pdb_HiddenLists::forgetPart(const Pdb_Part *part) {
  RemoveKey(&parts, reinterpret_cast<const char *>(part));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::isPartHidden --
 *
 *	Tells whether searches leave part out: the filter is on and the part
 *	is listed.
 *
 * Results:
 *	True when they do.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::isPartHidden(const Pdb_Part *part) const {
  return filter != 0 && parts.numEntries > 0 &&
         Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&parts),
                           reinterpret_cast<const char *>(part)) != nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::isCategoryHidden --
 *
 *	Tells whether the filter is on and path is listed, compared whole.
 *
 * Results:
 *	True when it is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_HiddenLists::isCategoryHidden(const char *path) const {
  return filter != 0 && categories.numEntries > 0 &&
         Tcl_FindHashEntry(const_cast<Tcl_HashTable *>(&categories), path) !=
             nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HiddenLists::isUnderHiddenCategory --
 *
 *	Tells whether the filter is on and some hidden path is a bytewise
 *	prefix of path.
 *
 * Results:
 *	True when one is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

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
