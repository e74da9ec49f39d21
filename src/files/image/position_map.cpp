/*
 * position_map.cpp --
 *
 *	The image writer's position map, an open-addressing table with
 *	linear probing kept at most three quarters full.
 */

#include "files/image/position_map.h"

#include "files/image/bulk_memory.h"

static bool IsCrowded(std::size_t count, std::size_t capacity);

Pdb_PositionMap::~Pdb_PositionMap() {
  Pdb_BulkFree(slots, capacity * sizeof(Slot));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PositionMap::find --
 *
 *	Looks up the image offset entered for a memory address.
 *
 * Results:
 *	True with the offset in *offset; false when address has none.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PositionMap::find(const void *address, uint32_t *offset) const {
  uintptr_t key = reinterpret_cast<uintptr_t>(address);
  if (capacity == 0 || key == 0) {
    return false;
  }
  for (std::size_t i = home(key);; i = (i + 1) & (capacity - 1)) {
    if (slots[i].key == key) {
      *offset = slots[i].offset;
      return true;
    }
    if (slots[i].key == 0) {
      return false;
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * grow --
 *
 *	Rebuilds the table with at least minimum slots (a power of two, 1024
 *	at least) and enters every key again. Returns false, leaving the
 *	table as it was, when memory runs out.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PositionMap::grow(std::size_t minimum) {
  std::size_t bigger = 1024;
  while (bigger < minimum) {
    bigger *= 2;
  }
  Slot *fresh = static_cast<Slot *>(Pdb_BulkAlloc(bigger * sizeof(Slot)));
  if (fresh == nullptr) {
    return false;
  }
  Slot *old = slots;
  std::size_t oldCapacity = capacity;
  slots = fresh;
  capacity = bigger;
  for (std::size_t i = 0; i < oldCapacity; i++) {
    if (old[i].key != 0) {
      std::size_t j = home(old[i].key);
      while (slots[j].key != 0) {
        j = (j + 1) & (capacity - 1);
      }
      slots[j] = old[i];
    }
  }
  Pdb_BulkFree(old, oldCapacity * sizeof(Slot));
  return true;
}

/* True when count entries would fill more than three quarters. */
static bool IsCrowded(std::size_t count, std::size_t capacity) {
  return 4 * count > 3 * capacity;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PositionMap::expect --
 *
 *	Makes room for entries addresses in all at once, so that entering them
 *	does not rebuild the table.
 *
 * Results:
 *	True; false when memory runs out (the table stays as it was).
 *
 * Side effects:
 *	May rebuild the table.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PositionMap::expect(std::size_t entries) {
  return !IsCrowded(entries, capacity) || grow(entries * 4 / 3 + 1);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PositionMap::enter --
 *
 *	Enters address at offset; a later entry for the same address is
 *	ignored, so the first place a structure was laid out wins.
 *
 * Results:
 *	True; false when the table cannot grow.
 *
 * Side effects:
 *	May rebuild the table.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PositionMap::enter(const void *address, uint32_t offset) {
  uintptr_t key = reinterpret_cast<uintptr_t>(address);
  if (IsCrowded(used + 1, capacity) && !grow(2 * capacity)) {
    return false;
  }
  std::size_t i = home(key);
  while (slots[i].key != 0) {
    if (slots[i].key == key) {
      return true;
    }
    i = (i + 1) & (capacity - 1);
  }
  slots[i].key = key;
  slots[i].offset = offset;
  used++;
  return true;
}
