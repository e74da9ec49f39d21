/*
 * nullable_string.h --
 *
 *	Comparison of strings that may be absent.
 */

#ifndef TOVPART_HOST_NULLABLE_STRING_H
#define TOVPART_HOST_NULLABLE_STRING_H

#include <cstring>

/*
 * True when both are null, or both are strings with the same bytes;
 * false when exactly one is null.
 */
inline bool Pdb_StrEqualNullable(const char *a, const char *b) {
  if (a == nullptr || b == nullptr) {
    return a == b;
  }
  return std::strcmp(a, b) == 0;
}

#endif /* TOVPART_HOST_NULLABLE_STRING_H */
