/*
 * split_list.cpp --
 *
 *	Splitting a Tcl list inside the caller's own buffer:
 *	Tov_SplitListInPlace. Elements are found and unescaped by the very
 *	rules of Tcl_SplitList, but no element is copied to the heap.
 */

#include <cstdio>
#include <cstring>

#include "host/tov_host.h"

/* The longest piece of junk quoted in a message, as Tcl quotes it. */
enum { JUNK_QUOTE_MAX = 20 };

/* Bytes a backslash sequence turns into; more than Tcl ever writes. */
enum { BACKSLASH_BYTES_MAX = 8 };

struct Element {
  char *start;  /* first byte of the element, after an opening brace/quote */
  int size;     /* bytes of the element before unescaping */
  bool braced;  /* in braces: taken literally */
  bool escaped; /* holds a backslash sequence to be replaced */
  char *next;   /* where the next element search begins */
};

static bool IsListSpace(char c);
static int FindElement(Tcl_Interp *interp, char *list, Element *element);
static int CollapseInPlace(char *start, int size);
static int JunkError(Tcl_Interp *interp, const char *where, const char *junk,
                     const char *code);
static int PlainError(Tcl_Interp *interp, const char *message,
                      const char *code);

/* The list separators of Tcl: space, \t, \n, \v, \f and \r. */

static bool IsListSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

/* Classes of the bytes that end a run of plain bytes in some element. */
enum : unsigned char {
  BYTE_SPACE = 1,
  BYTE_BACKSLASH = 2,
  BYTE_BRACE = 4,
  BYTE_QUOTE = 8,
  BYTE_END = 16
};

struct ByteClasses {
  unsigned char of[256];
  constexpr ByteClasses() : of() {
    const char spaces[] = " \t\n\v\f\r";
    for (int i = 0; spaces[i] != '\0'; i++) {
      of[static_cast<unsigned char>(spaces[i])] = BYTE_SPACE;
    }
    of[static_cast<unsigned char>('\\')] = BYTE_BACKSLASH;
    of[static_cast<unsigned char>('{')] = BYTE_BRACE;
    of[static_cast<unsigned char>('}')] = BYTE_BRACE;
    of[static_cast<unsigned char>('"')] = BYTE_QUOTE;
    of[0] = BYTE_END;
  }
};

static constexpr ByteClasses byteClasses;

/* The first byte from p on whose class is in stop. */
static char *SkipPlain(char *p, unsigned char stop) {
  while ((byteClasses.of[static_cast<unsigned char>(*p)] & stop) == 0) {
    p++;
  }
  return p;
}

/* Bytes of the backslash sequence that begins at p. */

static int BackslashLength(const char *p) {
  int numRead = 0;
  char ignored[BACKSLASH_BYTES_MAX];
  Tcl_UtfBackslash(p, &numRead, ignored);
  return numRead;
}

/*
 *----------------------------------------------------------------------
 *
 * FindElement --
 *
 *	Finds the extent of the first element of the list text that begins
 *	at list and ends at its NUL, the way Tcl's list parser does: leading
 *	white space is skipped; an element in braces ends at its matching
 *	close brace, one in quotes at the next unescaped quote, a bare one
 *	at white space; backslash sequences are stepped over whole (inside
 *	braces too) and a brace or quote element must be followed by white
 *	space or the end.
 *
 * Results:
 *	TCL_OK with *element filled; *element->start is NUL when there is no
 *	further element. TCL_ERROR with Tcl's own message and error code.
 *
 *----------------------------------------------------------------------
 */

static int FindElement(Tcl_Interp *interp, char *list, Element *element) {
  char *p = list;
  while (IsListSpace(*p)) {
    p++;
  }
  element->braced = false;
  element->escaped = false;
  if (*p == '\0') {
    element->start = p;
    element->size = 0;
    element->next = p;
    return TCL_OK;
  }

  /*
   * Each form of element gets a loop of its own that skips plain bytes by
   * their class alone; the NUL that ends the list ends every loop.
   */
  int size = -1;
  if (*p == '{') {
    element->braced = true;
    element->start = ++p;
    int openBraces = 1;
    for (;; p++) {
      p = SkipPlain(p, BYTE_BRACE | BYTE_BACKSLASH | BYTE_END);
      char c = *p;
      if (c == '\0') {
        break;
      } else if (c == '{') {
        openBraces++;
      } else if (c == '}' && --openBraces == 0) {
        size = static_cast<int>(p - element->start);
        if (p[1] != '\0' && !IsListSpace(p[1])) {
          return JunkError(interp, "braces", p + 1, "JUNK");
        }
        p++;
        break;
      } else if (c == '\\') {
        p += BackslashLength(p) - 1;
      }
    }
    if (size < 0) {
      return PlainError(interp, "unmatched open brace in list", "BRACE");
    }
  } else if (*p == '"') {
    element->start = ++p;
    for (;; p++) {
      p = SkipPlain(p, BYTE_QUOTE | BYTE_BACKSLASH | BYTE_END);
      char c = *p;
      if (c == '\0') {
        break;
      } else if (c == '"') {
        size = static_cast<int>(p - element->start);
        if (p[1] != '\0' && !IsListSpace(p[1])) {
          return JunkError(interp, "quotes", p + 1, "JUNK");
        }
        p++;
        break;
      } else {
        element->escaped = true;
        p += BackslashLength(p) - 1;
      }
    }
    if (size < 0) {
      return PlainError(interp, "unmatched open quote in list", "QUOTE");
    }
  } else {
    element->start = p;
    for (;;) {
      p = SkipPlain(p, BYTE_SPACE | BYTE_BACKSLASH | BYTE_END);
      if (*p != '\\') {
        break;
      }
      element->escaped = true;
      p += BackslashLength(p);
    }
    size = static_cast<int>(p - element->start);
  }
  while (IsListSpace(*p)) {
    p++;
  }
  element->size = size;
  element->next = p;
  return TCL_OK;
}

/*
 * Replaces the backslash sequences of the size bytes at start by the bytes
 * they stand for, writing from start on (never past start + size), and
 * ends the result with a NUL. Returns the length of the result.
 */

static int CollapseInPlace(char *start, int size) {
  const char *first = static_cast<const char *>(memchr(start, '\\', size));
  if (first == nullptr) {
    start[size] = '\0';
    return size;
  }
  const char *src = first;
  const char *end = start + size;
  char *dst = const_cast<char *>(first);

  while (src < end) {
    if (*src != '\\') {
      *dst++ = *src++;
      continue;
    }
    int numRead = 0;
    char bytes[BACKSLASH_BYTES_MAX];
    int count = Tcl_UtfBackslash(src, &numRead, bytes);
    src += numRead;
    memcpy(dst, bytes, count); /* count <= numRead, so dst stays behind */
    dst += count;
  }
  *dst = '\0';
  return static_cast<int>(dst - start);
}

/* The message of junk after a closing brace or quote, as Tcl words it. */

static int JunkError(Tcl_Interp *interp, const char *where, const char *junk,
                     const char *code) {
  if (interp == nullptr) {
    return TCL_ERROR;
  }
  const char *end = junk;
  while (*end != '\0' && !IsListSpace(*end) && end < junk + JUNK_QUOTE_MAX) {
    end++;
  }
  Tcl_DString quoted;
  Tcl_DStringInit(&quoted);
  Tcl_DStringAppend(&quoted, junk, static_cast<int>(end - junk));
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, "list element in ", where, " followed by \"",
                   Tcl_DStringValue(&quoted), "\" instead of space",
                   (char *)nullptr);
  Tcl_DStringFree(&quoted);
  Tcl_SetErrorCode(interp, "TCL", "VALUE", "LIST", code, (char *)nullptr);
  return TCL_ERROR;
}

static int PlainError(Tcl_Interp *interp, const char *message,
                      const char *code) {
  if (interp != nullptr) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, message, (char *)nullptr);
    if (code != nullptr) {
      Tcl_SetErrorCode(interp, "TCL", "VALUE", "LIST", code, (char *)nullptr);
    }
  }
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_SplitListInPlace --
 *
 *	Splits the list in string into its elements, each one NUL-terminated
 *	and unescaped inside string itself: an element's bytes are written
 *	from its own first byte on and its NUL lands no later than the byte
 *	that ended it (close brace, quote or separator), so the text of the
 *	elements not yet split is never touched.
 *
 * Results:
 *	0 with *argcPtr elements in argv[0..]; non-zero when the list is
 *	malformed (Tcl_SplitList's message) or has more than capacity
 *	elements. On failure string may have been partly rewritten and
 *	*argcPtr is left alone.
 *
 *----------------------------------------------------------------------
 */

int Tov_SplitListInPlace(Tcl_Interp *interp, char *string, int *argcPtr,
                         char **argv, int capacity) {
  char *list = string;
  int count = 0;

  while (*list != '\0') {
    Element element;
    if (FindElement(interp, list, &element) != TCL_OK) {
      return 1;
    }
    if (*element.start == '\0') {
      break;
    }
    if (count >= capacity) {
      if (interp != nullptr) {
        char number[TCL_INTEGER_SPACE];
        snprintf(number, sizeof(number), "%d", capacity);
        Tcl_ResetResult(interp);
        Tcl_AppendResult(interp, "list has more than ", number, " elements",
                         (char *)nullptr);
      }
      return 1;
    }
    if (element.escaped) {
      CollapseInPlace(element.start, element.size);
    } else {
      element.start[element.size] = '\0';
    }
    argv[count++] = element.start;
    list = element.next;
  }
  *argcPtr = count;
  return 0;
}
