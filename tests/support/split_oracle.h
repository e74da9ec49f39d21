/*
 * split_oracle.h --
 *
 *	Tov_SplitListInPlace beside Tcl_SplitList: both outcomes of one list
 *	in a comparable form. The unit tests and the list-splitter fuzz target
 *	share it.
 */

#ifndef TOVPART_TESTS_SUPPORT_SPLIT_ORACLE_H
#define TOVPART_TESTS_SUPPORT_SPLIT_ORACLE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tcl.h>
#include <vector>

#include "host/tov_host.h"
#include "support/tcl_error_code.h"

/* The elements of a list, or the message and error code of its failure. */
struct SplitOutcome {
  bool failed = false;
  std::vector<std::string> elements;
  std::string message;
  std::string errorCode;
  bool outsideBuffer = false; /* an element in place overran the list */

  bool operator==(const SplitOutcome &other) const {
    return failed == other.failed && elements == other.elements &&
           message == other.message && errorCode == other.errorCode &&
           outsideBuffer == other.outsideBuffer;
  }
};

/*
 * What Tcl_SplitList makes of text (up to its first NUL). Tcl 8.6 writes
 * its elements into a block of the list's length, and a backslash before
 * the lead byte of a four-byte UTF-8 sequence gives three bytes for two:
 * on such lists Tcl_SplitList itself writes past its block. Leading white
 * space changes neither elements nor messages, so the list is given a
 * space per backslash before it to make room.
 */
inline SplitOutcome SplitWithTcl(Tcl_Interp *interp, const std::string &text) {
  SplitOutcome outcome;
  int count = 0;
  const char **elements = nullptr;
  std::string list = text.c_str();
  list.insert(0, std::count(list.begin(), list.end(), '\\') + 1, ' ');
  Tcl_ResetResult(interp);
  if (Tcl_SplitList(interp, list.c_str(), &count, &elements) != TCL_OK) {
    outcome.failed = true;
    outcome.message = Tcl_GetStringResult(interp);
    outcome.errorCode = TclErrorCode(interp);
    return outcome;
  }
  outcome.elements.assign(elements, elements + count);
  Tcl_Free(reinterpret_cast<char *>(elements));
  return outcome;
}

/*
 * What Tov_SplitListInPlace makes of text, split in a heap copy of exactly
 * its length and NUL, so that the address checker sees any write past it.
 * Elements that do not lie in the copy must lie wholly outside it.
 */
inline SplitOutcome SplitInPlace(Tcl_Interp *interp, const std::string &text,
                                 int capacity) {
  SplitOutcome outcome;
  std::size_t length = std::strlen(text.c_str());
  char *buffer = static_cast<char *>(std::malloc(length + 1));
  std::memcpy(buffer, text.c_str(), length + 1);
  std::vector<char *> argv(
      static_cast<std::size_t>(capacity > 0 ? capacity : 1));
  int count = -1;
  if (interp != nullptr) {
    Tcl_ResetResult(interp);
  }
  if (Tov_SplitListInPlace(interp, buffer, &count, argv.data(), capacity) !=
      0) {
    outcome.failed = true;
    if (interp != nullptr) {
      outcome.message = Tcl_GetStringResult(interp);
      outcome.errorCode = TclErrorCode(interp);
    }
  } else {
    for (int i = 0; i < count; i++) {
      const char *element = argv[static_cast<std::size_t>(i)];
      std::size_t size = std::strlen(element);
      bool inside = element >= buffer && element <= buffer + length;
      if (inside ? element + size > buffer + length
                 : element + size >= buffer && element < buffer + length) {
        outcome.outsideBuffer = true;
      }
      outcome.elements.emplace_back(element, size);
    }
  }
  Tov_SplitListRelease();
  std::free(buffer);
  return outcome;
}

#endif /* TOVPART_TESTS_SUPPORT_SPLIT_ORACLE_H */
