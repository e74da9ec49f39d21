/*
 * part_list.cpp --
 *
 *	The growable, sortable list of part entries.
 */

#include "model/part_list.h"

#include <cstdlib>
#include <cstring>

#include "model/window.h"

/* The list whose slots the sort and search comparison resolve against. */
static const Pdb_PartList *comparedList = nullptr;

/* The name a binary search looks for, stood for by the key slot below. */
static const char *searchedName = nullptr;
static const int32_t searchKey = 0;

static const char *GetSlotName(const int32_t *slot) {
  if (slot == &searchKey) {
    return searchedName;
  }
  const char *entry = reinterpret_cast<const char *>(comparedList) + *slot;
  return Pdb_GetEntryName(reinterpret_cast<const Pdb_PartEntry *>(entry));
}

static int CompareSlots(const void *a, const void *b) {
  return std::strcmp(GetSlotName(static_cast<const int32_t *>(a)),
                     GetSlotName(static_cast<const int32_t *>(b)));
}

static int32_t ComputeSlot(const Pdb_PartList *list, const void *entry) {
  Pdb_RelPtr link;
  link.set(list, entry);
  return link.offset;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::create --
 *
 *	Makes a new, empty, unsorted list in the address window with room for
 *	initialCapacity entries (none below 1).
 *
 * Results:
 *	The list, or nullptr when the window is full.
 *
 * Side effects:
 *	Allocates; Pdb_PartList::destroy frees it.
 *
 *----------------------------------------------------------------------
 */

Pdb_PartList *Pdb_PartList::create(int initialCapacity) {
  auto *list =
      static_cast<Pdb_PartList *>(Pdb_WindowAlloc(sizeof(Pdb_PartList)));
  if (list == nullptr) {
    return nullptr;
  }
  list->storage.set(list, nullptr);
  list->count = 0;
  list->sorted = 0;
  list->capacity = initialCapacity;
  if (initialCapacity >= 1) {
    void *slots = Pdb_WindowAlloc(sizeof(int32_t) *
                                  static_cast<std::size_t>(initialCapacity));
    if (slots == nullptr) {
      Pdb_WindowFree(list);
      return nullptr;
    }
    list->storage.set(list, slots);
  }
  return list;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::destroy --
 *
 *	Frees the slot array and the list; the entries are not the list's and
 *	stay. nullptr is ignored.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The memory goes back to the address window.
 *
 *----------------------------------------------------------------------
 */

void Pdb_PartList::destroy(Pdb_PartList *list) {
  if (list == nullptr) {
    return;
  }
  Pdb_WindowFree(list->storage.get(list));
  Pdb_WindowFree(list);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::append --
 *
 *	Stores entry in the next slot, growing the storage to 16 slots and
 *	then by doubling. Clears the sorted flag. Returns false, leaving the
 *	list as it was, when the storage cannot grow.
 *
 * Results:
 *	True; false when the storage cannot grow.
 *
 * Side effects:
 *	May move the slot array.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartList::append(Pdb_PartEntry *newEntry) {
  sorted = 0;
  if (capacity <= 0 || count >= capacity) {
    int grown = capacity <= 0 ? 16 : capacity * 2;
    auto *bigger = static_cast<int32_t *>(
        Pdb_WindowAlloc(sizeof(int32_t) * static_cast<std::size_t>(grown)));
    if (bigger == nullptr) {
      return false;
    }
    int32_t *old = slots();
    if (old != nullptr) {
      std::memcpy(bigger, old,
                  sizeof(int32_t) * static_cast<std::size_t>(count));
      Pdb_WindowFree(old);
    }
    storage.set(this, bigger);
    capacity = grown;
  }
  slots()[count++] = ComputeSlot(this, newEntry);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::sort --
 *
 *	Sorts the slots by the names of the parts they resolve to, as strcmp
 *	orders them, and sets the sorted flag.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Reorders the slots.
 *
 *----------------------------------------------------------------------
 */

void Pdb_PartList::sort() {
  if (count > 1) {
    comparedList = this;
    std::qsort(slots(), static_cast<std::size_t>(count), sizeof(int32_t),
               CompareSlots);
    comparedList = nullptr;
  }
  sorted = 1;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::find --
 *
 *	Finds the entry named name: by binary search when the list is sorted
 *	(the key is compared by its name alone, so nothing is allocated),
 *	else by a scan from the first slot. (A heap tree's editor finds
 *	entries of long lists through its index first.)
 *
 * Results:
 *	The entry (not resolved), or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_PartEntry *Pdb_PartList::find(const char *name) const {
  if (count <= 0) {
    return nullptr;
  }
  if (sorted == 1) {
    comparedList = this;
    searchedName = name;
    void *hit =
        std::bsearch(&searchKey, slots(), static_cast<std::size_t>(count),
                     sizeof(int32_t), CompareSlots);
    comparedList = nullptr;
    searchedName = nullptr;
    if (hit == nullptr) {
      return nullptr;
    }
    Pdb_RelPtr link{*static_cast<int32_t *>(hit)};
    return link.get<Pdb_PartEntry>(this);
  }
  for (int i = 0; i < count; i++) {
    Pdb_PartEntry *candidate = entry(i);
    if (candidate != nullptr &&
        std::strcmp(Pdb_GetEntryName(candidate), name) == 0) {
      return candidate;
    }
  }
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::containsPart --
 *
 *	Tells whether some entry of the list is or resolves to part.
 *
 * Results:
 *	True when one does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartList::containsPart(const Pdb_Part *part) const {
  for (int i = 0; i < count; i++) {
    Pdb_PartEntry *candidate = entry(i);
    if (candidate != nullptr && Pdb_ResolveEntry(candidate) == part) {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::containsEntry --
 *
 *	Tells whether the list holds exactly the entry wanted.
 *
 * Results:
 *	True when it does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartList::containsEntry(const Pdb_PartEntry *wanted) const {
  for (int i = 0; i < count; i++) {
    if (entry(i) == wanted) {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::remove --
 *
 *	Removes the first entry that is target or resolves to it, keeping the
 *	order of the others; a removed part reference is freed. Returns
 *	whether an entry went.
 *
 * Results:
 *	True when an entry went.
 *
 * Side effects:
 *	As described; allocates nothing.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartList::remove(const void *target) {
  int32_t *slot = slots();
  for (int i = 0; i < count; i++) {
    Pdb_PartEntry *candidate = entry(i);
    if (candidate == nullptr ||
        (candidate != target && Pdb_ResolveEntry(candidate) != target)) {
      continue;
    }
    if (candidate->kind == PDB_ENTRY_REFERENCE) {
      Pdb_DestroyEntry(candidate);
    }
    std::memmove(slot + i, slot + i + 1,
                 sizeof(int32_t) * static_cast<std::size_t>(count - i - 1));
    slot[--count] = 0;
    return true;
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartList::removeAllIn --
 *
 *	Removes every entry whose resolved part is in parts, keeping the order
 *	of the others; removed references are freed.
 *
 * Results:
 *	How many entries went.
 *
 * Side effects:
 *	As described; allocates nothing.
 *
 *----------------------------------------------------------------------
 */

int Pdb_PartList::removeAllIn(const Pdb_AddressSet &parts) {
  return removeIf([&](const Pdb_Part *part) { return parts.contains(part); });
}
