/*
 * host_misc.cpp --
 *
 *	Small host helpers: string duplication and hash table size.
 */

#include <cstdlib>
#include <cstring>

#include "host/tov_host.h"

/*
 *----------------------------------------------------------------------
 *
 * zq_strdup --
 *
 *	Copies string onto the heap.
 *
 * Results:
 *	A copy that the caller releases with free; NULL when string is NULL
 *	or memory runs out.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

char *zq_strdup(const char *string) {
  if (string == nullptr) {
    return nullptr;
  }
  size_t size = strlen(string) + 1;
  char *copy = static_cast<char *>(malloc(size));
  if (copy != nullptr) {
    memcpy(copy, string, size);
  }
  return copy;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_HashTableSize --
 *
 *	Counts the entries of a Tcl hash table.
 *
 * Results:
 *	The number of entries of table.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Tov_HashTableSize(Tcl_HashTable *table) { return table->numEntries; }
