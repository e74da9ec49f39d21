/*
 * position_map.h --
 *
 *	The image writer's position map: memory address of a structure to the
 *	image offset where it was laid out. An open-addressing table of
 *	one-word keys, since a large database enters millions of structures.
 */

#ifndef TOVPART_FILES_POSITION_MAP_H
#define TOVPART_FILES_POSITION_MAP_H

#include <cstddef>
#include <cstdint>

class Pdb_PositionMap {
public:
  Pdb_PositionMap() = default;
  ~Pdb_PositionMap();
  Pdb_PositionMap(const Pdb_PositionMap &) = delete;
  Pdb_PositionMap &operator=(const Pdb_PositionMap &) = delete;

  /* Starts loading the slot where address would be into the cache. */
  void prefetch(const void *address) const {
    if (capacity != 0) {
      __builtin_prefetch(&slots[home(reinterpret_cast<uintptr_t>(address))]);
    }
  }

  /* Makes room for entries in all at once; false when memory runs out. */
  bool expect(std::size_t entries);

  /* The offset entered for address; false when there is none. */
  bool find(const void *address, uint32_t *offset) const;

  /*
   * Enters address at offset; a second entry for an address is ignored.
   * Returns false when memory runs out.
   */
  bool enter(const void *address, uint32_t offset);

private:
  struct Slot {
    uintptr_t key; /* 0 while free */
    uint32_t offset;
  };

  /* The first slot to probe for key: a multiplicative hash of it. */
  std::size_t home(uintptr_t key) const {
    uint64_t mixed = static_cast<uint64_t>(key >> 2) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::size_t>(mixed >> 32) & (capacity - 1);
  }
  bool grow(std::size_t minimum);

  Slot *slots = nullptr;
  std::size_t capacity = 0; /* a power of two, or 0 */
  std::size_t used = 0;
};

#endif /* TOVPART_FILES_POSITION_MAP_H */
