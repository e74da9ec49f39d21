/*
 * list_text.h --
 *
 *	Appending Tcl list elements to a dynamic string, optionally keeping
 *	the text on one line: an element that holds a line break is then
 *	quoted with backslash escapes instead of braces.
 */

#ifndef TOVPART_MODEL_LIST_TEXT_H
#define TOVPART_MODEL_LIST_TEXT_H

#include <climits>
#include <tcl.h>

enum Pdb_Quoting { PDB_QUOTE_TCL, PDB_QUOTE_ONE_LINE };

/* Appends element to text as one list element. */
void Pdb_AppendElement(Tcl_DString *text, const char *element,
                       Pdb_Quoting quoting);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_MeasurePlainElement --
 *
 *	Tells whether Tcl would take text into a list as it stands: not
 *	empty, without white space or any of {}[]$;\" (bytes of UTF-8
 *	sequences are never among them), and, for the first element of a
 *	list, not beginning with "#". Defined here so that the loops that
 *	build list texts keep it inline.
 *
 * Results:
 *	The length of text when it is such a plain element, else -1.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

inline int Pdb_MeasurePlainElement(const char *text, bool first) {
  static const struct Table {
    bool special[256];
    Table() : special() {
      for (unsigned char c : "\t\n\v\f\r \"$;[\\]{}") {
        special[c] = true; /* the literal's NUL marks the end too */
      }
    }
  } table;
  const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
  if (*p == '\0' || (first && *p == '#')) {
    return -1;
  }
  const unsigned char *at = p;
  while (!table.special[*at]) {
    at++;
  }
  return *at == '\0' && at - p <= INT_MAX ? static_cast<int>(at - p) : -1;
}

#endif /* TOVPART_MODEL_LIST_TEXT_H */
