/*
 * entry_index.cpp --
 *
 *	Name indexes of long heap part lists.
 */

#include "model/entry_index.h"

#include <new>
#include <string_view>
#include <vector>

#include "model/part_list.h"

/* Lists shorter than this are scanned; the index would not pay. */
static constexpr int INDEX_THRESHOLD = 32;

/*
 * An open-addressing table of entries keyed by their part name, at most
 * three quarters full, probed linearly. A slot holds the entry's offset
 * from the list (as the list's own slots do; 0 is empty), so the table
 * takes under 11 bytes per entry, against some 64 for a node-based map.
 * Entries are never removed one by one: a removal from the list drops the
 * whole index.
 */
class Pdb_ListNameIndex {
public:
  Pdb_ListNameIndex(const Pdb_PartList *list, std::size_t expected)
      : list(list) {
    std::size_t size = 64;
    while (size * 3 < expected * 4) {
      size *= 2;
    }
    slots.assign(size, 0);
  }

  /* Adds entry unless an entry of its name is already there. */
  void add(Pdb_PartEntry *entry) {
    if ((used + 1) * 4 > slots.size() * 3) {
      grow();
    }
    std::string_view name = Pdb_GetEntryName(entry);
    std::size_t i = probeStart(name);
    while (slots[i] != 0) {
      if (Pdb_GetEntryName(entryAt(i)) == name) {
        return;
      }
      i = (i + 1) & (slots.size() - 1);
    }
    Pdb_RelPtr link;
    link.set(list, entry);
    slots[i] = link.offset;
    used++;
  }

  Pdb_PartEntry *find(std::string_view name) const {
    for (std::size_t i = probeStart(name); slots[i] != 0;
         i = (i + 1) & (slots.size() - 1)) {
      if (Pdb_GetEntryName(entryAt(i)) == name) {
        return entryAt(i);
      }
    }
    return nullptr;
  }

private:
  Pdb_PartEntry *entryAt(std::size_t i) const {
    return Pdb_RelPtr{slots[i]}.get<Pdb_PartEntry>(list);
  }

  std::size_t probeStart(std::string_view name) const {
    return std::hash<std::string_view>()(name) & (slots.size() - 1);
  }

  void grow() {
    std::vector<int32_t> old;
    old.swap(slots);
    slots.assign(old.size() * 2, 0);
    used = 0;
    for (int32_t offset : old) {
      if (offset != 0) {
        add(Pdb_RelPtr{offset}.get<Pdb_PartEntry>(list));
      }
    }
  }

  const Pdb_PartList *list;
  std::vector<int32_t> slots;
  std::size_t used = 0;
};

Pdb_EntryIndex::Pdb_EntryIndex() = default;
Pdb_EntryIndex::~Pdb_EntryIndex() = default;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_EntryIndex::find --
 *
 *	Finds the first entry of list named name (not resolved): through the
 *	list's name index, which is built on first use once an unsorted list
 *	with slots to spare is long enough, else by the list's own search.
 *
 * Results:
 *	The entry, or nullptr.
 *
 * Side effects:
 *	May build the index; may throw std::bad_alloc while building it.
 *
 *----------------------------------------------------------------------
 */

Pdb_PartEntry *Pdb_EntryIndex::find(const Pdb_PartList *list,
                                    const char *name) const {
  auto found = indexes.find(list);
  if (found == indexes.end()) {
    if (list->sorted == 1 || list->capacity <= 0 ||
        list->count < INDEX_THRESHOLD) {
      return list->find(name);
    }
    auto index = std::make_unique<Pdb_ListNameIndex>(
        list, static_cast<std::size_t>(list->count));
    for (int i = 0; i < list->count; i++) {
      if (Pdb_PartEntry *entry = list->entry(i)) {
        index->add(entry);
      }
    }
    found = indexes.emplace(list, std::move(index)).first;
  }
  return found->second->find(name);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_EntryIndex::noteAppend --
 *
 *	Keeps an existing index of list current after an append. An index that
 *	cannot grow is dropped rather than left without the new entry; the next
 *	search builds it again or scans.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	As described; never throws.
 *
 *----------------------------------------------------------------------
 */

void Pdb_EntryIndex::noteAppend(const Pdb_PartList *list,
                                Pdb_PartEntry *entry) noexcept {
  auto found = indexes.find(list);
  if (found == indexes.end()) {
    return;
  }
  try {
    found->second->add(entry);
  } catch (const std::bad_alloc &) {
    indexes.erase(found);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_EntryIndex::forget --
 *
 *	Drops the index of list, after a removal or when the list is
 *	destroyed.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the index. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_EntryIndex::forget(const Pdb_PartList *list) { indexes.erase(list); }
