/*
 * entry_index.cpp --
 *
 *	Name indexes of long heap part lists.
 */

#include "model/entry_index.h"

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/part_list.h"

namespace {

/* Lists shorter than this are scanned; the index would not pay. */
constexpr int indexThreshold = 32;

/*
 * An open-addressing table of entries keyed by their part name, at most
 * three quarters full, probed linearly. A slot holds the entry's offset
 * from the list (as the list's own slots do; 0 is empty), so the table
 * takes under 11 bytes per entry, against some 64 for a node-based map.
 * Entries are never removed one by one: a removal from the list drops the
 * whole index.
 */
class NameIndex {
public:
  NameIndex(const Pdb_PartList *list, std::size_t expected) : list(list) {
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
    std::string_view name = Pdb_EntryName(entry);
    std::size_t i = probeStart(name);
    while (slots[i] != 0) {
      if (Pdb_EntryName(entryAt(i)) == name) {
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
      if (Pdb_EntryName(entryAt(i)) == name) {
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

std::unordered_map<const Pdb_PartList *, std::unique_ptr<NameIndex>> &
indexes() {
  static std::unordered_map<const Pdb_PartList *, std::unique_ptr<NameIndex>>
      all;
  return all;
}

NameIndex *build(const Pdb_PartList *list) {
  auto index =
      std::make_unique<NameIndex>(list, static_cast<std::size_t>(list->count));
  for (int i = 0; i < list->count; i++) {
    Pdb_PartEntry *entry = list->entry(i);
    if (entry != nullptr) {
      index->add(entry);
    }
  }
  NameIndex *made = index.get();
  indexes()[list] = std::move(index);
  return made;
}

} // namespace

Pdb_PartEntry *Pdb_IndexedFind(const Pdb_PartList *list, const char *name,
                               bool *indexed) {
  auto found = indexes().find(list);
  NameIndex *index = nullptr;
  if (found != indexes().end()) {
    index = found->second.get();
  } else if (list->capacity > 0 && list->count >= indexThreshold) {
    index = build(list);
  }
  *indexed = index != nullptr;
  return index == nullptr ? nullptr : index->find(name);
}

void Pdb_IndexNoteAppend(const Pdb_PartList *list, Pdb_PartEntry *entry) {
  auto found = indexes().find(list);
  if (found != indexes().end()) {
    found->second->add(entry);
  }
}

void Pdb_IndexForget(const Pdb_PartList *list) { indexes().erase(list); }
