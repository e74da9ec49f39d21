/*
 * entry_index.cpp --
 *
 *	Name indexes of long heap part lists.
 */

#include "model/entry_index.h"

#include <memory>
#include <string_view>
#include <unordered_map>

#include "model/part_list.h"

namespace {

/* Lists shorter than this are scanned; the index would not pay. */
constexpr int indexThreshold = 32;

using NameIndex = std::unordered_map<std::string_view, Pdb_PartEntry *>;

std::unordered_map<const Pdb_PartList *, std::unique_ptr<NameIndex>> &
indexes() {
  static std::unordered_map<const Pdb_PartList *, std::unique_ptr<NameIndex>>
      all;
  return all;
}

NameIndex *build(const Pdb_PartList *list) {
  auto index = std::make_unique<NameIndex>();
  index->reserve(static_cast<std::size_t>(list->count) * 2);
  for (int i = 0; i < list->count; i++) {
    Pdb_PartEntry *entry = list->entry(i);
    if (entry != nullptr) {
      index->emplace(Pdb_EntryName(entry), entry);
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
  if (index == nullptr) {
    return nullptr;
  }
  auto hit = index->find(name);
  return hit == index->end() ? nullptr : hit->second;
}

void Pdb_IndexNoteAppend(const Pdb_PartList *list, Pdb_PartEntry *entry) {
  auto found = indexes().find(list);
  if (found != indexes().end()) {
    found->second->emplace(Pdb_EntryName(entry), entry);
  }
}

void Pdb_IndexForget(const Pdb_PartList *list) { indexes().erase(list); }
