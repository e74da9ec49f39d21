/*
 * name_index.cpp --
 *
 *	The name index of a large sorted part list: a binary search that
 *	remembers, for the top levels of its search tree, eight bytes of each
 *	name it compared against, taken where the names of that node's range
 *	begin to differ, and reads the list's records only below those levels
 *	or where eight bytes do not decide.
 */

#include "model/name_index.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "model/part_list.h"

static uint64_t ReadChunk(const char *name, std::size_t length,
                          std::size_t offset);
static std::size_t CountCommonBytes(uint64_t a, uint64_t b);
static int CompareNames(const char *a, const char *b, std::size_t *common);
static void PrefetchRange(const void *first, const void *last);

/* Lists shorter than this are searched as well without an index. */
static const int MIN_INDEXED = 4096;

/* Levels left to the list's own records below the indexed ones. */
static const int RECORD_LEVELS = 3;

/* A range of records worth fetching at once: at most a page. */
static const std::ptrdiff_t PREFETCH_BYTES = 4096;

/*
 * The eight bytes of name from offset on as a big-endian number, zero
 * bytes standing in after the name's end; 0 when the name is shorter than
 * offset. Two chunks at the same offset of names that agree before it
 * order as the names do unless they are equal, and equal chunks that hold
 * a zero byte belong to equal names.
 */
static uint64_t ReadChunk(const char *name, std::size_t length,
                          std::size_t offset) {
  uint64_t chunk = 0;
  for (std::size_t i = 0; i < 8; i++) {
    std::size_t at = offset + i;
    chunk = (chunk << 8) |
            (at < length ? static_cast<unsigned char>(name[at]) : 0u);
  }
  return chunk;
}

/* How many leading bytes two different chunks share. */
static std::size_t CountCommonBytes(uint64_t a, uint64_t b) {
  return static_cast<std::size_t>(__builtin_clzll(a ^ b) / 8);
}

/* strcmp of a and b; *common receives the length of their common prefix. */
static int CompareNames(const char *a, const char *b, std::size_t *common) {
  std::size_t i = 0;
  while (a[i] != '\0' && a[i] == b[i]) {
    i++;
  }
  *common = i;
  return static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
}

/*
 * Asks the processor to fetch the bytes from first to last (plus one
 * cache line) when they lie close together: the records left to a search
 * below its indexed levels, which the image writer lays out in name order,
 * then arrive at once instead of one dependent miss per level.
 */
static void PrefetchRange(const void *first, const void *last) {
  const char *from = static_cast<const char *>(first);
  const char *to = static_cast<const char *>(last);
  if (to < from || to - from > PREFETCH_BYTES) {
    return;
  }
  for (const char *line = from; line <= to + 63; line += 64) {
    __builtin_prefetch(line);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NameIndex::levelsFor --
 *
 *	How many levels of the search tree an index over count entries
 *	keeps: none below MIN_INDEXED entries, else all but the last
 *	RECORD_LEVELS, at most MAX_LEVELS.
 *
 * Results:
 *	The number of levels, 0 for no index.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Pdb_NameIndex::levelsFor(int count) {
  if (count < MIN_INDEXED) {
    return 0;
  }
  int depth = 0;
  while ((int64_t(1) << (depth + 1)) <= count) {
    depth++;
  }
  int levels = depth - RECORD_LEVELS;
  return levels < MAX_LEVELS ? levels : MAX_LEVELS;
}

void Pdb_NameIndex::FreeDeleter::operator()(uint64_t *p) const { std::free(p); }

Pdb_NameIndex::Pdb_NameIndex(const Pdb_PartList *list, int levels,
                             uint64_t *chunks)
    : list(list), nodes(uint32_t(1) << levels), chunks(chunks) {}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NameIndex::create --
 *
 *	Makes an empty index of levels levels over list.
 *
 * Results:
 *	The index, or nullptr for a level count out of range or when memory
 *	runs out (the caller then searches the list itself).
 *
 * Side effects:
 *	Allocates 8 * 2^levels bytes, zeroed: every node unknown.
 *
 *----------------------------------------------------------------------
 */

std::unique_ptr<Pdb_NameIndex> Pdb_NameIndex::create(const Pdb_PartList *list,
                                                     int levels) {
  if (levels < 1 || levels > MAX_LEVELS) {
    return nullptr;
  }
  auto *chunks = static_cast<uint64_t *>(
      std::calloc(std::size_t(1) << levels, sizeof(uint64_t)));
  if (chunks == nullptr) {
    return nullptr;
  }
  auto *index = new (std::nothrow) Pdb_NameIndex(list, levels, chunks);
  if (index == nullptr) {
    std::free(chunks);
  }
  return std::unique_ptr<Pdb_NameIndex>(index);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NameIndex::find --
 *
 *	Binary search of the list for name. The search keeps how many
 *	leading bytes name shares with the names just below and above the
 *	range it is left with; the smaller of the two, offset, is shared by
 *	every name of the range, and for a node of the search tree (the root
 *	is 1, the children of n are 2n and 2n + 1) it is the same for every
 *	search that passes there: the common prefix of the node's bounds. So
 *	a node keeps the eight bytes of its middle name from its offset on,
 *	read once, and a search compares its own eight bytes there; the
 *	record is read only when they are equal and hold no end of name, and
 *	below the indexed levels.
 *
 * Results:
 *	The entry whose name equals name, or nullptr.
 *
 * Side effects:
 *	Remembers the chunks of the records it read in indexed nodes.
 *
 *----------------------------------------------------------------------
 */

const Pdb_PartEntry *Pdb_NameIndex::find(const char *name) {
  const std::size_t length = std::strlen(name);
  std::size_t belowCommon = 0; /* bytes shared with the name below the range */
  std::size_t aboveCommon = 0; /* and with the name above it */
  int lo = 0;
  int hi = list->count - 1;
  uint32_t node = 1;
  bool fetched = false;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    std::size_t offset = belowCommon < aboveCommon ? belowCommon : aboveCommon;
    std::size_t common = 0;
    int order = 0;
    bool decided = false;
    if (node < nodes) {
      uint64_t &known = chunks[node];
      if (known == 0) {
        const char *middle = Pdb_GetEntryName(list->entry(mid));
        known = ReadChunk(middle, strnlen(middle, offset + 8), offset);
      }
      uint64_t wanted = ReadChunk(name, length, offset);
      if (known != 0 && wanted != known) {
        common = offset + CountCommonBytes(wanted, known);
        order = wanted < known ? -1 : 1;
        decided = true;
      } else if (known != 0 && (known & 0xff) == 0) {
        return list->entry(mid); /* equal, and both end in these bytes */
      }
    } else if (!fetched) {
      PrefetchRange(list->entry(lo), list->entry(hi));
      fetched = true;
    }
    if (!decided) {
      order = CompareNames(name, Pdb_GetEntryName(list->entry(mid)), &common);
      if (order == 0) {
        return list->entry(mid);
      }
    }
    node = 2 * node + (order > 0 ? 1 : 0);
    if (order < 0) {
      hi = mid - 1;
      aboveCommon = common;
    } else {
      lo = mid + 1;
      belowCommon = common;
    }
  }
  return nullptr;
}
