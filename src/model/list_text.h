/*
 * list_text.h --
 *
 *	Appending Tcl list elements to a dynamic string, optionally keeping
 *	the text on one line: an element that holds a line break is then
 *	quoted with backslash escapes instead of braces.
 */

#ifndef TOVPART_MODEL_LIST_TEXT_H
#define TOVPART_MODEL_LIST_TEXT_H

#include <tcl.h>

enum Pdb_Quoting { PDB_QUOTE_TCL, PDB_QUOTE_ONE_LINE };

/* Appends element to text as one list element. */
void Pdb_AppendElement(Tcl_DString *text, const char *element,
                       Pdb_Quoting quoting);

#endif /* TOVPART_MODEL_LIST_TEXT_H */
