/*
 * result_list.cpp --
 *
 *	Gathering, sorting and listing the strings a search finds. Strings
 *	are collected by address and sorted once, with their first eight
 *	bytes compared as one number; duplicates go in the sort. A search
 *	that keeps finding the same few strings (property names, say) is
 *	compacted as it goes, so it never holds more than about twice its
 *	distinct strings.
 */

#include "query/result_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>

namespace {

/* strcmp order of two items. */
struct ItemLess {
  template <typename Item> bool operator()(const Item &a, const Item &b) const {
    if (a.key != b.key) {
      return a.key < b.key;
    }
    /* Equal keys whose last byte is 0 hold two equal, short strings. */
    return (a.key & 0xff) != 0 && std::strcmp(a.text + 8, b.text + 8) < 0;
  }
};

struct ItemEqual {
  template <typename Item> bool operator()(const Item &a, const Item &b) const {
    return a.key == b.key &&
           ((a.key & 0xff) == 0 || std::strcmp(a.text + 8, b.text + 8) == 0);
  }
};

} // namespace

static const std::size_t COPY_BLOCK_BYTES = 64 * 1024;

void Pdb_ResultList::addCopy(const char *text, std::size_t length) {
  if (length + 1 > freeBytes) {
    std::size_t size = std::max(COPY_BLOCK_BYTES, length + 1);
    blocks.emplace_back(new char[size]);
    free = blocks.back().get();
    freeBytes = size;
  }
  char *copy = free;
  std::memcpy(copy, text, length);
  copy[length] = '\0';
  free += length + 1;
  freeBytes -= length + 1;
  add(copy);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::compact --
 *
 *	Sorts the items added since the last compaction, merges them into
 *	the sorted run before them and drops duplicates. When that did not
 *	at least halve the list, the next compaction waits until the list
 *	has doubled, so that a search of distinct strings sorts little more
 *	than once.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ResultList::compact() {
  auto begin = items.begin();
  auto middle = begin + static_cast<std::ptrdiff_t>(sortedEnd);
  std::sort(middle, items.end(), ItemLess());
  items.erase(std::unique(middle, items.end(), ItemEqual()), items.end());
  std::inplace_merge(begin, begin + static_cast<std::ptrdiff_t>(sortedEnd),
                     items.end(), ItemLess());
  items.erase(std::unique(items.begin(), items.end(), ItemEqual()),
              items.end());
  sortedEnd = items.size();
  compactAt = std::max(compactAt, 2 * items.size());
}

std::vector<const char *> Pdb_ResultList::sortedStrings() {
  compact();
  std::vector<const char *> strings;
  strings.reserve(items.size());
  for (const Item &item : items) {
    strings.push_back(item.text);
  }
  return strings;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::sortedList --
 *
 *	Builds the list text the way Tcl merges a list: each element scanned
 *	for the quoting it needs, then converted into one buffer, a blank
 *	between elements; only the first element has a leading "#" quoted.
 *
 * Results:
 *	A new object (reference count 0), or nullptr when the text would not
 *	fit a Tcl value or cannot be allocated.
 *
 *----------------------------------------------------------------------
 */

Tcl_Obj *Pdb_ResultList::sortedList() {
  compact();
  /* The scan's flags take the place of the keys, no longer needed. The
   * first element may need two more bytes when it begins with "#". */
  std::size_t bytes = 2;
  for (Item &item : items) {
    int flags = 0;
    bytes += static_cast<std::size_t>(Tcl_ScanElement(item.text, &flags)) + 1;
    item.key = static_cast<uint64_t>(flags);
  }
  if (bytes > static_cast<std::size_t>(INT_MAX)) {
    return nullptr;
  }
  Tcl_Obj *list = Tcl_NewObj();
  if (!Tcl_AttemptSetObjLength(list, static_cast<int>(bytes))) {
    Tcl_IncrRefCount(list);
    Tcl_DecrRefCount(list);
    return nullptr;
  }
  char *out = Tcl_GetString(list);
  char *at = out;
  for (std::size_t i = 0; i < items.size(); i++) {
    int flags = static_cast<int>(items[i].key);
    if (i > 0) {
      *at++ = ' ';
      flags |= TCL_DONT_QUOTE_HASH;
    }
    at += Tcl_ConvertElement(items[i].text, at, flags);
  }
  Tcl_SetObjLength(list, static_cast<int>(at - out));
  return list;
}
