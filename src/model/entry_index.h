/*
 * entry_index.h --
 *
 *	Name indexes of the long unsorted part lists of one heap tree, so
 *	that the duplicate checks of a growing list stay constant time. An
 *	index lives beside its list and never changes the list's layout or
 *	order; lists of a mapped image are never indexed.
 */

#ifndef TOVPART_MODEL_ENTRY_INDEX_H
#define TOVPART_MODEL_ENTRY_INDEX_H

#include <memory>
#include <unordered_map>

struct Pdb_PartList;
struct Pdb_PartEntry;
class Pdb_ListNameIndex;

class Pdb_EntryIndex {
public:
  Pdb_EntryIndex();
  ~Pdb_EntryIndex();
  Pdb_EntryIndex(const Pdb_EntryIndex &) = delete;
  Pdb_EntryIndex &operator=(const Pdb_EntryIndex &) = delete;

  /*
   * The first entry of list named name: through the list's index, which
   * is built on first use once the list is long enough, else by the
   * list's own search. May throw std::bad_alloc while building.
   */
  Pdb_PartEntry *find(const Pdb_PartList *list, const char *name) const;

  /* Keeps an existing index of list current after an append (or drops
   * it when it cannot grow). */
  void noteAppend(const Pdb_PartList *list, Pdb_PartEntry *entry) noexcept;

  /* Drops the index of list (after a removal, or when it is destroyed).
   * Allocates nothing. */
  void forget(const Pdb_PartList *list);

private:
  mutable std::unordered_map<const Pdb_PartList *,
                             std::unique_ptr<Pdb_ListNameIndex>>
      indexes;
};

#endif /* TOVPART_MODEL_ENTRY_INDEX_H */
