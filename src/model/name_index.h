/*
 * name_index.h --
 *
 *	A side index that speeds up name lookups in a large sorted part list
 *	(the list of a mapped image) without changing it: for the top levels
 *	of the binary search tree it keeps, in one compact array, eight bytes
 *	of each node's middle name, taken after the prefix that all names of
 *	the node's range share, so later searches read the list's records
 *	only in the last few levels.
 */

#ifndef TOVPART_MODEL_NAME_INDEX_H
#define TOVPART_MODEL_NAME_INDEX_H

#include <cstdint>
#include <memory>

struct Pdb_PartEntry;
struct Pdb_PartList;

class Pdb_NameIndex {
public:
  /* An index over list, which must be sorted and never change; nothing
   * is known yet. levels is from 1 to MAX_LEVELS. */
  static std::unique_ptr<Pdb_NameIndex> create(const Pdb_PartList *list,
                                               int levels);

  /* The levels worth keeping for a list of count entries; 0 when a plain
   * binary search is as good. */
  static int levelsFor(int count);

  /* The entry named name, or nullptr; learns the chunks it meets. */
  const Pdb_PartEntry *find(const char *name);

  static constexpr int MAX_LEVELS = 16;

private:
  Pdb_NameIndex(const Pdb_PartList *list, int levels, uint64_t *chunks);

  struct FreeDeleter {
    void operator()(uint64_t *p) const;
  };

  const Pdb_PartList *list;
  uint32_t nodes; /* 2^levels: chunks[1 .. nodes-1] are the tree */
  std::unique_ptr<uint64_t[], FreeDeleter> chunks; /* 0: not known yet */
};

#endif /* TOVPART_MODEL_NAME_INDEX_H */
