/*
 * list_text.cpp --
 *
 *	List element quoting that can keep a record on one line.
 */

#include "model/list_text.h"

#include <cstring>

static bool HoldsLineBreak(const char *element);
static bool NeedsSeparator(const Tcl_DString *text);

static bool HoldsLineBreak(const char *element) {
  return std::strpbrk(element, "\n\r\v\f") != nullptr;
}

/*
 * Whether the next element needs a space before it, decided as Tcl's
 * list building decides it: not at the start of the text, not after the
 * opening braces of sublists that begin the text or follow white space,
 * and not after white space that no backslash escapes.
 */
static bool NeedsSeparator(const Tcl_DString *text) {
  const char *string = Tcl_DStringValue(text);
  int end = Tcl_DStringLength(text) - 1;
  if (end < 0) {
    return false;
  }
  while (string[end] == '{') {
    if (end == 0) {
      return false;
    }
    end--;
  }
  switch (string[end]) {
  case ' ':
  case '\t':
  case '\n':
  case '\v':
  case '\f':
  case '\r':
    return end > 0 && string[end - 1] == '\\';
  default:
    return true;
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AppendElement --
 *
 *	Appends element as Tcl_DStringAppendElement does; a plain element
 *	(most names and values) is copied after the separator without
 *	Tcl's scan. With one-line quoting, an element holding a line break
 *	is converted with backslash escapes only (newline becomes the two
 *	characters \n), which the list splitter reads back to the same bytes.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Grows text.
 *
 *----------------------------------------------------------------------
 */

void Pdb_AppendElement(Tcl_DString *text, const char *element,
                       Pdb_Quoting quoting) {
  /* "#" counts at every place: a text appended to may begin a list. */
  if (Pdb_MeasurePlainElement(element, true) >= 0) {
    if (NeedsSeparator(text)) {
      Tcl_DStringAppend(text, " ", 1);
    }
    Tcl_DStringAppend(text, element, -1);
    return;
  }
  if (quoting == PDB_QUOTE_TCL || !HoldsLineBreak(element)) {
    Tcl_DStringAppendElement(text, element);
    return;
  }
  int length = Tcl_DStringLength(text);
  if (NeedsSeparator(text)) {
    Tcl_DStringAppend(text, " ", 1);
    length++;
  }
  int flags = 0;
  int size = Tcl_ScanElement(element, &flags);
  Tcl_DStringSetLength(text, length + size);
  int written = Tcl_ConvertElement(element, Tcl_DStringValue(text) + length,
                                   flags | TCL_DONT_USE_BRACES);
  Tcl_DStringSetLength(text, length + written);
}
