/*
 * part_list.h --
 *
 *	The growable, sortable list of part entries that every category holds
 *	and that a binary image keeps of all its parts. Slots are offsets from
 *	the list's own address, so a list and its storage move as one.
 */

#ifndef TOVPART_MODEL_PART_LIST_H
#define TOVPART_MODEL_PART_LIST_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "model/address_set.h"
#include "model/part.h"
#include "model/relptr.h"

struct Pdb_PartList {
  Pdb_RelPtr storage; /* array of capacity 32-bit slots */
  int32_t count;      /* slots in use */
  int32_t capacity;   /* slots allocated; 0 in a mapped image */
  int32_t sorted;     /* 1 when the slots are in name order */

  /* A new list in the window; nullptr when the window is full. */
  static Pdb_PartList *create(int initialCapacity);

  /* Frees the storage and the list; the entries are not owned. */
  static void destroy(Pdb_PartList *list);

  /* The entry in slot index (searches call it once per entry: inline). */
  Pdb_PartEntry *entry(int index) const {
    Pdb_RelPtr link{slots()[index]};
    return link.get<Pdb_PartEntry>(this);
  }

  /* Appends at the end; false only when the storage cannot grow. */
  bool append(Pdb_PartEntry *entry);

  /* Sorts the slots by part name and sets the sorted flag. */
  void sort();

  /* The entry (not resolved) whose name equals name, or nullptr. */
  Pdb_PartEntry *find(const char *name) const;

  bool containsPart(const Pdb_Part *part) const;
  bool containsEntry(const Pdb_PartEntry *entry) const;

  /*
   * Removes the entry that is or resolves to target; frees a reference.
   * Returns false when no entry matched.
   */
  bool remove(const void *target);

  /* Removes every entry whose part is in parts; returns how many went. */
  int removeAllIn(const Pdb_AddressSet &parts);

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_PartList::removeIf --
   *
   *	Removes, in one compacting pass that keeps the order of the others,
   *	every entry whose resolved part test(part) accepts; removed references
   *	are freed.
   *
   * Results:
   *	How many entries went.
   *
   * Side effects:
   *	As described; allocates nothing.
   *
   *----------------------------------------------------------------------
   */

  template <typename Test> int removeIf(Test test) {
    int32_t *slot = slots();
    int kept = 0;
    for (int i = 0; i < count; i++) {
      Pdb_PartEntry *candidate = entry(i);
      if (candidate != nullptr && test(Pdb_ResolveEntry(candidate))) {
        if (candidate->kind == PDB_ENTRY_REFERENCE) {
          Pdb_DestroyEntry(candidate);
        }
        continue;
      }
      slot[kept++] = slot[i];
    }
    int removed = count - kept;
    for (int i = kept; i < count; i++) {
      slot[i] = 0;
    }
    count = kept;
    return removed;
  }

private:
  int32_t *slots() const { return storage.get<int32_t>(this); }
};

static_assert(std::is_standard_layout_v<Pdb_PartList>);
static_assert(sizeof(Pdb_PartList) == 16);
static_assert(offsetof(Pdb_PartList, count) == 4);
static_assert(offsetof(Pdb_PartList, capacity) == 8);
static_assert(offsetof(Pdb_PartList, sorted) == 12);

#endif /* TOVPART_MODEL_PART_LIST_H */
