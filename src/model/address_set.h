/*
 * address_set.h --
 *
 *	A set of addresses in one flat array with open addressing: the node
 *	and part sets of subtree deletion and the part sets of list removal.
 *	A set of a hundred thousand parts stays a few contiguous megabytes,
 *	so building and probing it does not chase one heap block per member.
 */

#ifndef TOVPART_MODEL_ADDRESS_SET_H
#define TOVPART_MODEL_ADDRESS_SET_H

#include <cstddef>
#include <cstdint>
#include <vector>

class Pdb_AddressSet {
public:
  Pdb_AddressSet() = default;
  Pdb_AddressSet(const Pdb_AddressSet &) = delete;
  Pdb_AddressSet &operator=(const Pdb_AddressSet &) = delete;

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_AddressSet::insert --
   *
   *	Adds address, which is not nullptr, to the set.
   *
   * Results:
   *	True when it was not yet a member.
   *
   * Side effects:
   *	May grow the slot array, which may throw std::bad_alloc.
   *
   *----------------------------------------------------------------------
   */

  bool insert(const void *address) {
    if (2 * (count + 1) > slots.size()) {
      grow();
    }
    std::size_t at = find(address);
    if (slots[at] != 0) {
      return false;
    }
    slots[at] = reinterpret_cast<std::uintptr_t>(address);
    count++;
    return true;
  }

  bool contains(const void *address) const {
    return count > 0 && slots[find(address)] != 0;
  }

  int size() const { return static_cast<int>(count); }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_AddressSet::forEach --
   *
   *	Calls visit(address) for every member, in no particular order.
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
    for (std::uintptr_t slot : slots) {
      if (slot != 0) {
        visit(reinterpret_cast<void *>(slot));
      }
    }
  }

  /* The members in ascending address order. May throw std::bad_alloc. */
  std::vector<void *> sortedMembers() const;

private:
  /* The slot holding address, or the empty slot where it would go. */
  std::size_t find(const void *address) const {
    std::uintptr_t key = reinterpret_cast<std::uintptr_t>(address);
    std::size_t mask = slots.size() - 1;
    /* Fibonacci hashing: the high bits of the product spread aligned
     * addresses over the whole table. */
    std::size_t at = static_cast<std::size_t>((static_cast<std::uint64_t>(key) *
                                               UINT64_C(0x9E3779B97F4A7C15)) >>
                                              (64 - shift)) &
                     mask;
    while (slots[at] != 0 && slots[at] != key) {
      at = (at + 1) & mask;
    }
    return at;
  }

  void grow();

  std::vector<std::uintptr_t> slots; /* 0: empty; a power of two long */
  std::size_t count = 0;
  unsigned shift = 0; /* log2 of the number of slots */
};

#endif /* TOVPART_MODEL_ADDRESS_SET_H */
