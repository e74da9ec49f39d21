/*
 * split_list.cpp --
 *
 *	Fuzz target: Tov_SplitListInPlace against Tcl_SplitList. The input,
 *	up to its first NUL, is a list; both must give the same elements, or
 *	both fail with the same message and error code, and the in-place
 *	split must keep within the list's own bytes. It is also split without
 *	an interpreter, and into an array of exactly the element count and
 *	of one less.
 */

#include <cstdio>
#include <cstdlib>
#include <string>
#include <tcl.h>

#include "support/split_oracle.h"

static Tcl_Interp *Interp();
[[noreturn]] static void Differ(const std::string &text, const char *what);

static Tcl_Interp *Interp() {
  static Tcl_Interp *interp = [] {
    Tcl_FindExecutable(nullptr);
    return Tcl_CreateInterp();
  }();
  return interp;
}

/* Reports a difference with the list in hexadecimal and ends the process. */
static void Differ(const std::string &text, const char *what) {
  std::fprintf(stderr, "split_list: %s for the list", what);
  for (unsigned char c : text) {
    std::fprintf(stderr, " %02x", c);
  }
  std::fprintf(stderr, "\n");
  std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string text(reinterpret_cast<const char *>(data), size);
  text.resize(std::strlen(text.c_str()));
  Tcl_Interp *interp = Interp();
  int room = static_cast<int>(text.size()) + 1;

  SplitOutcome theirs = SplitWithTcl(interp, text);
  SplitOutcome ours = SplitInPlace(interp, text, room);
  if (!(ours == theirs)) {
    Differ(text, ours.outsideBuffer ? "an element overran the buffer"
                                    : "the outcome differs from Tcl's");
  }
  if (SplitInPlace(nullptr, text, room).failed != theirs.failed) {
    Differ(text, "the outcome without an interpreter differs");
  }
  if (!theirs.failed) {
    int count = static_cast<int>(theirs.elements.size());
    if (!(SplitInPlace(interp, text, count) == theirs)) {
      Differ(text, "an array of exactly the element count does not do");
    }
    if (count > 0 && !SplitInPlace(interp, text, count - 1).failed) {
      Differ(text, "an array one too small is not refused");
    }
  }
  return 0;
}
