/*
 * line_element.cpp --
 *
 *	Single-line list-element quoting for the ASCII writer.
 */

#include "files/line_element.h"

#include <cstring>

static const char LINE_BREAKS[] = "\n\r\v\f";

/* The characters a backslash-quoted element escapes besides line breaks. */
static const char LIST_SPECIALS[] = " \t{}[]$\";\\";

static bool NeedsSeparator(const Tcl_DString *text);

/*
 * Pdb_AppendLineElement --
 *
 *	Appends element as a list element. When it holds no line break this
 *	is Tcl_DStringAppendElement; otherwise every list-special character
 *	is escaped with a backslash and every white-space character is
 *	written as its escape sequence, which Tcl_SplitList reads back.
 *
 * Side effects:
 *	Grows text; a separating space is added when the list needs one.
 */
void Pdb_AppendLineElement(Tcl_DString *text, const char *element) {
  if (strpbrk(element, LINE_BREAKS) == nullptr) {
    Tcl_DStringAppendElement(text, element);
    return;
  }
  if (NeedsSeparator(text)) {
    Tcl_DStringAppend(text, " ", 1);
  }
  for (const char *p = element; *p != '\0'; p++) {
    const char *escape = nullptr;
    switch (*p) {
    case '\n':
      escape = "\\n";
      break;
    case '\r':
      escape = "\\r";
      break;
    case '\v':
      escape = "\\v";
      break;
    case '\f':
      escape = "\\f";
      break;
    case '\t':
      escape = "\\t";
      break;
    default:
      break;
    }
    if (escape != nullptr) {
      Tcl_DStringAppend(text, escape, 2);
      continue;
    }
    if (strchr(LIST_SPECIALS, *p) != nullptr) {
      Tcl_DStringAppend(text, "\\", 1);
    }
    Tcl_DStringAppend(text, p, 1);
  }
}

/*
 * A list needs a space before its next element unless it is empty or
 * ends in the opening brace of a sublist.
 */
static bool NeedsSeparator(const Tcl_DString *text) {
  int length = Tcl_DStringLength(text);
  if (length == 0) {
    return false;
  }
  const char *string = Tcl_DStringValue(text);
  return string[length - 1] != '{' ||
         (length >= 2 && string[length - 2] == '\\');
}
