/*
 * result_list.cpp --
 *
 *	Gathering, sorting and listing the strings a search finds. Strings
 *	are sorted once, eight bytes at a time compared as one number;
 *	duplicates go in the sort. A search that keeps finding the same few
 *	strings (property names, say) is compacted as it goes, so that it
 *	holds little more than its distinct strings. Passes that read the
 *	strings in an order other than the one they were copied in fetch a
 *	few strings ahead, so that they wait on memory far less.
 */

#include "query/result_list.h"

#include "model/list_text.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>

namespace {

struct KeyLess {
  template <typename Item> bool operator()(const Item &a, const Item &b) const {
    return a.key < b.key;
  }
};

} // namespace

static const std::size_t BLOCK_BYTES = 1u << 20;

/* How many items ahead passes over the strings fetch. */
static const std::size_t FETCH_AHEAD = 8;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::reserve --
 *
 *	Makes room for up to count strings when at most about that many will
 *	be added. Only a hint: growing as strings come costs time only.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	May allocate; a failure is ignored.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ResultList::reserve(std::size_t count) {
  try {
    items.reserve(count);
  } catch (const std::exception &) {
    /* Growing as strings come costs time only. */
  }
}

/* Starts a block of at least atLeast bytes for the next copies. */
void Pdb_ResultList::newBlock(std::size_t atLeast) {
  std::size_t size = std::max(BLOCK_BYTES, atLeast);
  blocks.emplace_back(new char[size]);
  room = blocks.back().get();
  roomLeft = size;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::compact --
 *
 *	Sorts the items and drops duplicates; items added in order need
 *	neither. Unless this is the last compaction before listing: when
 *	that did not at least halve the list, its strings are mostly
 *	distinct and it is not compacted again (the final sort does it
 *	once); when it did, the copies of the dropped strings are given back
 *	and the next compaction waits until the list has doubled.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ResultList::compact(bool last) {
  if (inOrder || sortedEnd == items.size()) {
    return;
  }
  std::size_t before = items.size();
  sortDistinct();
  sortedEnd = items.size();
  if (last) {
    return;
  }
  if (2 * items.size() > before) {
    compactAt = SIZE_MAX;
    return;
  }
  compactAt = std::max(compactAt, 2 * items.size());
  repack();
}

/* Sets the keys of items [begin, end) to the eight bytes of their strings
 * from depth on. */
void Pdb_ResultList::setKeys(Item *item, std::size_t begin, std::size_t end,
                             std::size_t depth) {
  for (std::size_t i = begin; i < end; i++) {
    if (i + FETCH_AHEAD < end) {
      __builtin_prefetch(item[i + FETCH_AHEAD].text + depth);
    }
    item[i].key = KeyAt(item[i].text + depth);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::sortByKey --
 *
 *	Sorts count items by their keys: a few by comparison, many by a
 *	radix sort of one pass per key byte, least significant first,
 *	leaving out the bytes in which all keys agree (strings that share a
 *	beginning share the leading bytes of their keys).
 *
 *----------------------------------------------------------------------
 */

void Pdb_ResultList::sortByKey(Item *item, std::size_t count,
                               std::vector<Item> &scratch) {
  if (count < 1024) {
    std::sort(item, item + count, KeyLess());
    return;
  }
  std::vector<std::size_t> counts(8 * 256, 0);
  for (std::size_t i = 0; i < count; i++) {
    uint64_t key = item[i].key;
    for (int b = 0; b < 8; b++) {
      counts[256 * b + ((key >> (8 * b)) & 0xff)]++;
    }
  }
  scratch.resize(count);
  Item *from = item;
  Item *to = scratch.data();
  for (int b = 0; b < 8; b++) {
    std::size_t *bucket = &counts[256 * b];
    if (bucket[(item[0].key >> (8 * b)) & 0xff] == count) {
      continue;
    }
    std::size_t offset = 0;
    for (int v = 0; v < 256; v++) {
      std::size_t size = bucket[v];
      bucket[v] = offset;
      offset += size;
    }
    for (std::size_t i = 0; i < count; i++) {
      to[bucket[(from[i].key >> (8 * b)) & 0xff]++] = from[i];
    }
    std::swap(from, to);
  }
  if (from != item) {
    std::copy(from, from + count, item);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::sortDistinct --
 *
 *	Sorts the items bytewise and drops duplicates, eight bytes at a
 *	time: the items are sorted by their keys alone, and each run of
 *	equal keys is sorted again by its next eight bytes, until a key that
 *	holds the end of its strings shows the run to be one string
 *	repeated. Runs wait in a work list, so strings with long common
 *	beginnings need no deep recursion. Integer comparisons do nearly
 *	all the work; the strings are read once per level.
 *
 * Side effects:
 *	The keys are left undefined.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ResultList::sortDistinct() {
  struct Run {
    std::size_t begin, end, depth;
  };
  Item *item = items.data();
  /* Items sorted before carry keys of later levels. */
  setKeys(item, 0, sortedEnd, 0);
  std::vector<Run> runs{{0, items.size(), 0}};
  std::vector<Item> scratch;
  std::size_t duplicates = 0;
  while (!runs.empty()) {
    Run run = runs.back();
    runs.pop_back();
    if (run.depth > 0) {
      setKeys(item, run.begin, run.end, run.depth);
    }
    sortByKey(item + run.begin, run.end - run.begin, scratch);
    for (std::size_t b = run.begin; b < run.end;) {
      std::size_t e = b + 1;
      while (e < run.end && item[e].key == item[b].key) {
        e++;
      }
      if (e - b > 1 && (item[b].key & 0xff) != 0) {
        runs.push_back({b, e, run.depth + KEY_BYTES});
      } else if (e - b > 1) {
        for (std::size_t d = b + 1; d < e; d++) {
          item[d].text = nullptr;
        }
        duplicates += e - b - 1;
      }
      b = e;
    }
  }
  if (duplicates > 0) {
    items.erase(std::remove_if(items.begin(), items.end(),
                               [](const Item &i) { return i.text == nullptr; }),
                items.end());
  }
}

/* Copies the strings of the items into one new block, in their order,
 * and frees the blocks that held them. */
void Pdb_ResultList::repack() {
  std::size_t bytes = 0;
  for (const Item &item : items) {
    bytes += std::strlen(item.text) + 1;
  }
  std::unique_ptr<char[]> packed(new char[bytes + KEY_BYTES]);
  char *at = packed.get();
  for (Item &item : items) {
    std::size_t size = std::strlen(item.text) + 1;
    std::memcpy(at, item.text, size);
    item.text = at;
    at += size;
  }
  blocks.clear();
  blocks.push_back(std::move(packed));
  room = nullptr;
  roomLeft = 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResultList::sortedStrings --
 *
 *	Sorts the strings and drops duplicates.
 *
 * Results:
 *	The distinct strings in bytewise order, valid while the list lives.
 *
 * Side effects:
 *	Compacts the list's blocks; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

std::vector<const char *> Pdb_ResultList::sortedStrings() {
  compact(true);
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
 *	Builds the list text the way Tcl merges a list: an element with
 *	nothing to quote is copied as it is, any other is scanned and
 *	converted by Tcl; a blank goes between elements, and only the first
 *	element has a leading "#" quoted.
 *
 * Results:
 *	A new object (reference count 0), or nullptr when the text would not
 *	fit a Tcl value or cannot be allocated.
 *
 * Side effects:
 *	Sorts and compacts the list first; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

Tcl_Obj *Pdb_ResultList::sortedList() {
  compact(true);
  const std::size_t count = items.size();
  /* Per element its length when copied as it is, else -1 - Tcl's flags. */
  std::vector<int> forms(count);
  std::size_t bytes = 1;
  for (std::size_t i = 0; i < count; i++) {
    if (i + FETCH_AHEAD < count) {
      __builtin_prefetch(items[i + FETCH_AHEAD].text);
    }
    int length = Pdb_MeasurePlainElement(items[i].text, i == 0);
    if (length < 0) {
      int flags = 0;
      length = Tcl_ScanElement(items[i].text, &flags);
      forms[i] = -1 - flags;
      /* A "#" that begins the first element may take two bytes more. */
      bytes += i == 0 ? 2 : 0;
    } else {
      forms[i] = length;
    }
    bytes += static_cast<std::size_t>(length) + 1;
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
  for (std::size_t i = 0; i < count; i++) {
    if (i + FETCH_AHEAD < count) {
      __builtin_prefetch(items[i + FETCH_AHEAD].text);
    }
    if (i > 0) {
      *at++ = ' ';
    }
    if (forms[i] >= 0) {
      std::memcpy(at, items[i].text, static_cast<std::size_t>(forms[i]));
      at += forms[i];
    } else {
      int flags = -1 - forms[i];
      at += Tcl_ConvertElement(items[i].text, at,
                               i > 0 ? flags | TCL_DONT_QUOTE_HASH : flags);
    }
  }
  Tcl_SetObjLength(list, static_cast<int>(at - out));
  return list;
}
