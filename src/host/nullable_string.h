/*
 * nullable_string.h --
 *
 *	Comparison of strings that may be absent.
 */

#ifndef TOVPART_HOST_NULLABLE_STRING_H
#define TOVPART_HOST_NULLABLE_STRING_H

#include <cstring>

/*
 *----------------------------------------------------------------------
 *
 * Pdb_StrEqualNullable --
 *
 *	Compares two strings either of which may be absent.
 *
 * Results:
 *	True when both are null, or both are strings with the same bytes;
 *	false when exactly one is null.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

inline bool Pdb_StrEqualNullable(const char *a, const char *b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::strcmp(a, b) == 0;
}

#endif /* TOVPART_HOST_NULLABLE_STRING_H */
