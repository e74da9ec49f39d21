/*
 * line_element.h --
 *
 *	List-element quoting that keeps a record on one line. Elements without
 *	line breaks are quoted exactly as Tcl_DStringAppendElement quotes
 *	them; an element holding a newline, carriage return, vertical tab or
 *	form feed is written with backslash escapes, never inside braces that
 *	would carry the line break into the file.
 */

#ifndef TOVPART_FILES_LINE_ELEMENT_H
#define TOVPART_FILES_LINE_ELEMENT_H

#include <tcl.h>

/* Appends element to the list in text as one element on a single line. */
void Pdb_AppendLineElement(Tcl_DString *text, const char *element);

#endif /* TOVPART_FILES_LINE_ELEMENT_H */
