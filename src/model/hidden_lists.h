/*
 * hidden_lists.h --
 *
 *	The entries a group hides from its searches: part records, by
 *	address, and category paths. While the filter is off nothing counts
 *	as hidden.
 */

#ifndef TOVPART_MODEL_HIDDEN_LISTS_H
#define TOVPART_MODEL_HIDDEN_LISTS_H

#include <tcl.h>

struct Pdb_Part;

class Pdb_HiddenLists {
public:
  Pdb_HiddenLists();
  ~Pdb_HiddenLists();
  Pdb_HiddenLists(const Pdb_HiddenLists &) = delete;
  Pdb_HiddenLists &operator=(const Pdb_HiddenLists &) = delete;

  /* Forgets every hidden entry and switches the filter on. */
  void clear();

  /* The filter: while it is off every is-hidden test answers false. */
  bool filterOn() const { return filter != 0; }
  void setFilter(bool on) { filter = on ? 1 : 0; }

  /* Each returns true when the lists changed (new entry, entry gone). */
  bool hidePart(const Pdb_Part *part);
  bool unhidePart(const Pdb_Part *part);
  bool hideCategory(const char *path);
  bool unhideCategory(const char *path);

  /* Drops part whether the filter is on or not; nothing when absent. */
  void forgetPart(const Pdb_Part *part);

  /* Filter on and the entry listed (a path compared whole). */
  bool isPartHidden(const Pdb_Part *part) const;
  bool isCategoryHidden(const char *path) const;

  /* Filter on and some hidden path is a bytewise prefix of path. */
  bool isUnderHiddenCategory(const char *path) const;

  int hiddenPartCount() const { return parts.numEntries; }
  int hiddenCategoryCount() const { return categories.numEntries; }

  /* Calls visit(part) or visit(path) for each entry, in table order. */
  template <typename Visit> void forEachHiddenPart(Visit visit) const {
    forEachKey(&parts, [&](const char *key) {
      visit(reinterpret_cast<const Pdb_Part *>(key));
    });
  }
  template <typename Visit> void forEachHiddenCategory(Visit visit) const {
    forEachKey(&categories, visit);
  }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_HiddenLists::forgetPartsWhere --
   *
   *	Calls drop(part) for each hidden part and forgets those for which it
   *	returns true, for the teardown of the database that owns them.
   *
   * Results:
   *	None.
   *
   * Side effects:
   *	Removes entries; allocates nothing.
   *
   *----------------------------------------------------------------------
   */

  template <typename Drop> void forgetPartsWhere(Drop drop) {
    Tcl_HashSearch search;
    Tcl_HashEntry *e = Tcl_FirstHashEntry(&parts, &search);
    while (e != nullptr) {
      Tcl_HashEntry *current = e;
      e = Tcl_NextHashEntry(&search);
      if (drop(reinterpret_cast<const Pdb_Part *>(
              Tcl_GetHashKey(&parts, current)))) {
        Tcl_DeleteHashEntry(current);
      }
    }
  }

private:
  template <typename Visit>
  static void forEachKey(const Tcl_HashTable *table, Visit visit) {
    Tcl_HashTable *t = const_cast<Tcl_HashTable *>(table);
    Tcl_HashSearch search;
    for (Tcl_HashEntry *e = Tcl_FirstHashEntry(t, &search); e != nullptr;
         e = Tcl_NextHashEntry(&search)) {
      visit(static_cast<const char *>(Tcl_GetHashKey(t, e)));
    }
  }

  unsigned char filter;     /* while 0 nothing counts as hidden */
  Tcl_HashTable parts;      /* one-word keys: hidden Pdb_Part addresses */
  Tcl_HashTable categories; /* string keys: hidden category paths */
};

/*
 * Switches a group's filter off for the lifetime of the object and on
 * again when it ends, on every path out of the scope.
 */
class Pdb_FilterOff {
public:
  explicit Pdb_FilterOff(Pdb_HiddenLists &lists) : lists(lists) {
    lists.setFilter(false);
  }
  ~Pdb_FilterOff() { lists.setFilter(true); }
  Pdb_FilterOff(const Pdb_FilterOff &) = delete;
  Pdb_FilterOff &operator=(const Pdb_FilterOff &) = delete;

private:
  Pdb_HiddenLists &lists;
};

#endif /* TOVPART_MODEL_HIDDEN_LISTS_H */
