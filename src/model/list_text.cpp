/*
 * list_text.cpp --
 *
 *	List element quoting that can keep a record on one line.
 */

#include "model/list_text.h"

#include <cstring>

namespace {

bool holdsLineBreak(const char *element) {
  return std::strpbrk(element, "\n\r\v\f") != nullptr;
}

} // namespace

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
  if (quoting == PDB_QUOTE_TCL || !holdsLineBreak(element)) {
    Tcl_DStringAppendElement(text, element);
    return;
  }
  int length = Tcl_DStringLength(text);
  if (length > 0 && Tcl_DStringValue(text)[length - 1] != '{') {
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
