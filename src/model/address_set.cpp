/*
 * address_set.cpp --
 *
 *	Growing the flat address set and listing its members in order.
 */

#include "model/address_set.h"

#include <algorithm>

/* Doubles the table (16 slots at first) and puts every member back. */
void Pdb_AddressSet::grow() {
  std::vector<std::uintptr_t> old(slots.empty() ? 16 : 2 * slots.size(), 0);
  old.swap(slots);
  shift = 0;
  while ((std::size_t{1} << shift) < slots.size()) {
    shift++;
  }
  for (std::uintptr_t key : old) {
    if (key != 0) {
      slots[find(reinterpret_cast<const void *>(key))] = key;
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AddressSet::sortedMembers --
 *
 *	Lists the members of the set, for freeing them in address order.
 *
 * Results:
 *	The members in ascending address order, in a new vector.
 *
 * Side effects:
 *	None; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

std::vector<void *> Pdb_AddressSet::sortedMembers() const {
  std::vector<void *> members;
  members.reserve(count);
  forEach([&](void *address) { members.push_back(address); });
  std::sort(members.begin(), members.end());
  return members;
}
