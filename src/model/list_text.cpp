/*
 * list_text.cpp --
 *
 *	List element quoting that can keep a record on one line.
 */

#include "model/list_text.h"

#include <cstring>

static bool HoldsLineBreak(const char *element) {
  return std::strpbrk(element, "\n\r\v\f") != nullptr;
}

/*
 * A list needs a space before its next element unless it is empty or
 * ends in the opening brace of a sublist; a brace behind an odd number
 * of backslashes is an escaped character of the last element.
 */
static bool NeedsSeparator(const Tcl_DString *text) {
  int length = Tcl_DStringLength(text);
  const char *string = Tcl_DStringValue(text);
  if (length == 0) {
    return false;
  }
  if (string[length - 1] != '{') {
    return true;
  }
  int backslashes = 0;
  for (int i = length - 2; i >= 0 && string[i] == '\\'; i--) {
    backslashes++;
  }
  return backslashes % 2 == 1;
}

/*
 * Pdb_AppendElement --
 *
 *	Appends element as Tcl_DStringAppendElement does. With one-line
 *	quoting, an element holding a line break is converted with backslash
 *	escapes only (newline becomes the two characters \n), which the list
 *	splitter reads back to the same bytes.
 */
void Pdb_AppendElement(Tcl_DString *text, const char *element,
                       Pdb_Quoting quoting) {
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
