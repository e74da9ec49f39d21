/*
 * part_order.cpp --
 *
 *	The records of a database in name order, for the image writer: the
 *	image lays its records out back to back in the order of its sorted
 *	part list.
 */

#include "files/image/part_order.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tcl.h>
#include <vector>

#include "files/image/image_format.h"
#include "model/database.h"
#include "model/part.h"

/* How many records ahead the key loop starts loading them. */
enum { PREFETCH_DISTANCE = 8 };

static uint64_t PackNamePrefix(const char *name, std::size_t length,
                               std::size_t from);

namespace {

/* A part with the first 16 bytes of its name as two big-endian words. */
struct SortKey {
  uint64_t high;
  uint64_t low;
  const Pdb_Part *part;
};

} // namespace

/*
 *----------------------------------------------------------------------
 *
 * PackNamePrefix --
 *
 *	Bytes from..from + 7 of a name of length bytes as a big-endian word,
 *	zeros past the end; comparing such words orders names as strcmp does.
 *
 *----------------------------------------------------------------------
 */

static uint64_t PackNamePrefix(const char *name, std::size_t length,
                               std::size_t from) {
  uint64_t word = 0;
  for (std::size_t i = from; i < from + 8; i++) {
    word = (word << 8) | (i < length ? static_cast<unsigned char>(name[i]) : 0);
  }
  return word;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CollectPartsInNameOrder --
 *
 *	Appends every record of db's parts table to list in name order (the
 *	order of strcmp, as the list's own sort gives it, found by sorting
 *	name prefixes first so that most comparisons touch no record) and
 *	marks the list sorted.
 *
 * Results:
 *	True; false when the list cannot grow. May throw std::bad_alloc.
 *
 * Side effects:
 *	Adds the bytes the records take in the image (each rounded up to
 *	PDB_IMAGE_ALIGN) to *recordBytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_CollectPartsInNameOrder(Pdb_Database *db, Pdb_PartList *list,
                                 std::size_t *recordBytes) {
  Tcl_HashTable *table = db->partsTable();
  std::vector<const Pdb_Part *> records;
  records.reserve(static_cast<std::size_t>(table->numEntries));
  Tcl_HashSearch search;
  for (Tcl_HashEntry *entry = Tcl_FirstHashEntry(table, &search);
       entry != nullptr; entry = Tcl_NextHashEntry(&search)) {
    records.push_back(static_cast<Pdb_Part *>(Tcl_GetHashValue(entry)));
  }
  std::vector<SortKey> keys;
  keys.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); i++) {
    if (i + PREFETCH_DISTANCE < records.size()) {
      __builtin_prefetch(records[i + PREFETCH_DISTANCE]);
    }
    const Pdb_Part *part = records[i];
    std::size_t length = strnlen(part->name(), 16);
    keys.push_back(SortKey{PackNamePrefix(part->name(), length, 0),
                           PackNamePrefix(part->name(), length, 8), part});
    *recordBytes +=
        (part->size + PDB_IMAGE_ALIGN - 1) / PDB_IMAGE_ALIGN * PDB_IMAGE_ALIGN;
  }
  std::sort(keys.begin(), keys.end(), [](const SortKey &a, const SortKey &b) {
    if (a.high != b.high) {
      return a.high < b.high;
    }
    if (a.low != b.low) {
      return a.low < b.low;
    }
    return std::strcmp(a.part->name(), b.part->name()) < 0;
  });
  for (const SortKey &key : keys) {
    if (!list->append(reinterpret_cast<Pdb_PartEntry *>(
            const_cast<Pdb_Part *>(key.part)))) {
      return false;
    }
  }
  list->sorted = 1;
  return true;
}
