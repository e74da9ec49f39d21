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
 * half full, probed linearly: 16 bytes per entry at most, against some 64
 * for a node-based map. Entries are never removed one by one; a removal
 * from the list drops the whole index.
 */
class NameIndex {
public:
  explicit NameIndex(std::size_t expected) {
    std::size_t size = 64;
    while (size < expected * 2) {
      size *= 2;
    }
    slots.assign(size, nullptr);
  }

  /* Adds entry unless an entry of its name is already there. */
  void add(Pdb_PartEntry *entry) {
    if ((used + 1) * 2 > slots.size()) {
      grow();
    }
    std::string_view name = Pdb_EntryName(entry);
    std::size_t i = probeStart(name);
    while (slots[i] != nullptr) {
      if (Pdb_EntryName(slots[i]) == name) {
        return;
      }
      i = (i + 1) & (slots.size() - 1);
    }
    slots[i] = entry;
    used++;
  }

  Pdb_PartEntry *find(std::string_view name) const {
    for (std::size_t i = probeStart(name); slots[i] != nullptr;
         i = (i + 1) & (slots.size() - 1)) {
      if (Pdb_EntryName(slots[i]) == name) {
        return slots[i];
      }
    }
    return nullptr;
  }

private:
  std::size_t probeStart(std::string_view name) const {
    return std::hash<std::string_view>()(name) & (slots.size() - 1);
  }

  void grow() {
    std::vector<Pdb_PartEntry *> old;
    old.swap(slots);
    slots.assign(old.size() * 2, nullptr);
    used = 0;
    for (Pdb_PartEntry *entry : old) {
      if (entry != nullptr) {
        add(entry);
      }
    }
  }

  std::vector<Pdb_PartEntry *> slots;
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
      std::make_unique<NameIndex>(static_cast<std::size_t>(list->count));
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
