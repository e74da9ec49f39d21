/*
 * host_misc.cpp --
 *
 *	Small host helpers: string duplication and hash table size.
 */

#include <cstdlib>
#include <cstring>

#include "host/tov_host.h"

/* A malloc'ed copy of string; NULL when string is NULL or out of memory. */

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

/* The number of entries of table. */

int Tov_HashTableSize(Tcl_HashTable *table) { return table->numEntries; }
