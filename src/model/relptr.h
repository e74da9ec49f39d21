/*
 * relptr.h --
 *
 *	The self-relative link: a signed 32-bit offset from the start of the
 *	structure that holds it to the structure it designates. Links mean the
 *	same in heap memory and in a mapped image; no other code does raw
 *	offset arithmetic on them.
 */

#ifndef TOVPART_MODEL_RELPTR_H
#define TOVPART_MODEL_RELPTR_H

#include <cstdint>
#include <type_traits>

struct Pdb_RelPtr {
  int32_t offset; /* target address minus the base; 0 means null */

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_RelPtr::get --
   *
   *	Resolves the link against base, the address of the structure that
   *	holds it.
   *
   * Results:
   *	The target, or nullptr when the stored value is 0 or resolves to
   *	address 0.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  template <typename T = void> T *get(const void *base) const {
    if (offset == 0) {
      return nullptr;
    }
    uintptr_t target = reinterpret_cast<uintptr_t>(base) +
                       static_cast<uintptr_t>(static_cast<intptr_t>(offset));
    return target == 0 ? nullptr : reinterpret_cast<T *>(target);
  }

  bool isNull(const void *base) const { return get(base) == nullptr; }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_RelPtr::set --
   *
   *	Points the link held by the structure at base to target (nullptr
   *	stores 0). Both addresses must lie in the address window, so that the
   *	distance fits the 32-bit field.
   *
   * Results:
   *	None.
   *
   * Side effects:
   *	Overwrites the stored offset.
   *
   *----------------------------------------------------------------------
   */

  void set(const void *base, const void *target) {
    if (target == nullptr) {
      offset = 0;
      return;
    }
    uintptr_t distance =
        reinterpret_cast<uintptr_t>(target) - reinterpret_cast<uintptr_t>(base);
    offset = static_cast<int32_t>(static_cast<uint32_t>(distance));
  }
};

static_assert(sizeof(Pdb_RelPtr) == 4, "a link is one 32-bit word");
static_assert(std::is_standard_layout_v<Pdb_RelPtr>);

#endif /* TOVPART_MODEL_RELPTR_H */
