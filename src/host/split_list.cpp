/*
 * split_list.cpp --
 *
 *	Splitting a Tcl list inside the caller's own buffer:
 *	Tov_SplitListInPlace. Elements are found and unescaped by the very
 *	rules of Tcl_SplitList and written over their own text, never past
 *	it. The rare element that unescapes to more bytes than it was written
 *	with (a backslash before some bytes that are not UTF-8 text) is kept
 *	in a block of its own instead, until the caller splits into the same
 *	element array again or the module is unloaded.
 */

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/tov_host.h"

/* Bytes a backslash sequence turns into; more than Tcl ever writes. */
enum { BACKSLASH_BYTES_MAX = 8 };

static const char MSG_MALFORMED[] = "malformed list element";
static const char MSG_TOO_MANY[] = "list has more than ";
static const char MSG_ELEMENTS[] = " elements";
static const char MSG_NO_MEMORY[] = "not enough memory to split a list";

struct Element {
  char *start;  /* first byte of the element, after an opening brace/quote */
  int size;     /* bytes of the element before unescaping */
  bool escaped; /* holds a backslash sequence to be replaced */
  char *next;   /* where the next element search begins */
};

/*
 * An element that did not fit over its own text. Blocks are kept in one
 * list, each marked with the element array it was returned in and the
 * split that made it.
 */
struct GrownElement {
  GrownElement *next;
  char **argv;         /* the caller's element array */
  unsigned long split; /* the call of Tov_SplitListInPlace that made it */
  std::size_t size;    /* bytes of the element, its NUL not counted */
  char bytes[1];       /* the element and its NUL; allocated to fit */
};

static GrownElement *grownElements = nullptr;
static unsigned long splitCalls = 0;

static bool IsListSpace(char c);
static char *SkipPlain(char *p, unsigned char stop);
static int BackslashLength(const char *p);
static int FindElement(char *list, Element *element);
static char *CollapseElement(const Element &element, char **argv,
                             unsigned long split);
static char *GrowElement(const char *done, std::size_t doneSize,
                         const char *src, const char *end, char **argv,
                         unsigned long split);
static void ForgetGrownElements(char **argv, unsigned long split,
                                const char *string, bool failed);
static int ReportListError(Tcl_Interp *interp, const char *elementText);
static int ReportCapacityError(Tcl_Interp *interp, int capacity);

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
  char ignored[BACKSLASH_BYTES_MAX] = {};
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
 *	further element. TCL_ERROR when the element is malformed.
 *
 *----------------------------------------------------------------------
 */

static int FindElement(char *list, Element *element) {
  char *p = list;
  while (IsListSpace(*p)) {
    p++;
  }
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
    element->start = ++p;
    int openBraces = 1;
    for (;; p++) {
      p = SkipPlain(p, BYTE_BRACE | BYTE_BACKSLASH | BYTE_END);
      char c = *p;
      if (c == '\0') {
        return TCL_ERROR;
      } else if (c == '{') {
        openBraces++;
      } else if (c == '}' && --openBraces == 0) {
        break;
      } else if (c == '\\') {
        p += BackslashLength(p) - 1;
      }
    }
    size = static_cast<int>(p - element->start);
    p++;
    if (*p != '\0' && !IsListSpace(*p)) {
      return TCL_ERROR;
    }
  } else if (*p == '"') {
    element->start = ++p;
    for (;; p++) {
      p = SkipPlain(p, BYTE_QUOTE | BYTE_BACKSLASH | BYTE_END);
      char c = *p;
      if (c == '\0') {
        return TCL_ERROR;
      } else if (c == '"') {
        break;
      }
      element->escaped = true;
      p += BackslashLength(p) - 1;
    }
    size = static_cast<int>(p - element->start);
    p++;
    if (*p != '\0' && !IsListSpace(*p)) {
      return TCL_ERROR;
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
 *----------------------------------------------------------------------
 *
 * CollapseElement --
 *
 *	Replaces the backslash sequences of an element by the bytes they
 *	stand for, writing over the element's own text from its first byte
 *	for as long as the result stays behind the text still to be read.
 *	A sequence that would overtake it (a backslash before a byte that is
 *	not UTF-8 text can give three bytes for two) sends the whole element
 *	to a block of its own.
 *
 * Results:
 *	The NUL-terminated element: at element.start, never ending past the
 *	byte that ended the element; or in a new block; nullptr when no
 *	block can be had.
 *
 *----------------------------------------------------------------------
 */

static char *CollapseElement(const Element &element, char **argv,
                             unsigned long split) {
  char *start = element.start;
  const char *end = start + element.size;
  char *first = static_cast<char *>(memchr(start, '\\', element.size));
  if (first == nullptr) {
    start[element.size] = '\0';
    return start;
  }
  const char *src = first;
  char *dst = first;
  while (src < end) {
    if (*src != '\\') {
      *dst++ = *src++;
      continue;
    }
    int numRead = 0;
    char bytes[BACKSLASH_BYTES_MAX] = {};
    int count = Tcl_UtfBackslash(src, &numRead, bytes);
    if (dst + count > src + numRead) {
      return GrowElement(start, static_cast<std::size_t>(dst - start), src, end,
                         argv, split);
    }
    src += numRead;
    memcpy(dst, bytes, count);
    dst += count;
  }
  *dst = '\0';
  return start;
}

/*
 *----------------------------------------------------------------------
 *
 * GrowElement --
 *
 *	Finishes unescaping an element in a block of its own: the doneSize
 *	bytes already unescaped at done, then the text from src to end.
 *	Returns the block's element, or nullptr when out of memory.
 *
 *----------------------------------------------------------------------
 */

static char *GrowElement(const char *done, std::size_t doneSize,
                         const char *src, const char *end, char **argv,
                         unsigned long split) {
  std::size_t size = doneSize;
  for (const char *p = src; p < end;) {
    int numRead = 1;
    char bytes[BACKSLASH_BYTES_MAX] = {};
    size += *p == '\\' ? Tcl_UtfBackslash(p, &numRead, bytes) : 1;
    p += numRead;
  }
  auto *grown = static_cast<GrownElement *>(
      std::malloc(offsetof(GrownElement, bytes) + size + 1));
  if (grown == nullptr) {
    return nullptr;
  }
  char *dst = grown->bytes;
  memcpy(dst, done, doneSize);
  dst += doneSize;
  while (src < end) {
    int numRead = 1;
    char bytes[BACKSLASH_BYTES_MAX] = {};
    int count = 1;
    bytes[0] = *src;
    if (*src == '\\') {
      count = Tcl_UtfBackslash(src, &numRead, bytes);
    }
    memcpy(dst, bytes, count);
    dst += count;
    src += numRead;
  }
  *dst = '\0';
  grown->argv = argv;
  grown->split = split;
  grown->size = size;
  grown->next = grownElements;
  grownElements = grown;
  return grown->bytes;
}

/*
 *----------------------------------------------------------------------
 *
 * ForgetGrownElements --
 *
 *	Frees the grown elements that argv held before the split numbered
 *	split (they are overwritten there now) and, when the split failed,
 *	those it made itself. The block that holds string itself is never
 *	freed here: after a successful split it belongs to argv.
 *
 *----------------------------------------------------------------------
 */

static void ForgetGrownElements(char **argv, unsigned long split,
                                const char *string, bool failed) {
  GrownElement **link = &grownElements;
  while (*link != nullptr) {
    GrownElement *grown = *link;
    if (string >= grown->bytes && string <= grown->bytes + grown->size) {
      if (!failed) {
        grown->argv = argv;
        grown->split = split;
      }
    } else if (grown->argv == argv && (grown->split != split || failed)) {
      *link = grown->next;
      std::free(grown);
      continue;
    }
    link = &grown->next;
  }
}

/*
 *----------------------------------------------------------------------
 *
 * ReportListError --
 *
 *	Leaves Tcl_SplitList's own message and error code for a malformed
 *	element in the interpreter result: they depend only on the element's
 *	text, which the split has not touched yet, so Tcl words them itself.
 *	Returns 1.
 *
 *----------------------------------------------------------------------
 */

static int ReportListError(Tcl_Interp *interp, const char *elementText) {
  if (interp == nullptr) {
    return 1;
  }
  int count = 0;
  const char **elements = nullptr;
  Tcl_ResetResult(interp);
  if (Tcl_SplitList(interp, elementText, &count, &elements) == TCL_OK) {
    Tcl_Free(reinterpret_cast<char *>(elements));
    Tcl_AppendResult(interp, MSG_MALFORMED, (char *)nullptr);
  }
  return 1;
}

/* The message of a list longer than the caller's array. Returns 1. */

static int ReportCapacityError(Tcl_Interp *interp, int capacity) {
  if (interp != nullptr) {
    char number[TCL_INTEGER_SPACE];
    snprintf(number, sizeof(number), "%d", capacity);
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, MSG_TOO_MANY, number, MSG_ELEMENTS,
                     (char *)nullptr);
  }
  return 1;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_SplitListInPlace --
 *
 *	Splits the list in string into its elements, each one NUL-terminated
 *	and unescaped inside string itself: an element's bytes are written
 *	from its own first byte on and its NUL lands no later than the byte
 *	that ended it (close brace, quote or separator), so nothing past the
 *	list's NUL is written and the text of the elements not yet split is
 *	never touched. An element that unescapes to more bytes than its text
 *	holds goes to a block of the splitter's own instead.
 *
 * Results:
 *	0 with *argcPtr elements in argv[0..], the same elements as
 *	Tcl_SplitList gives; non-zero when the list is malformed (with
 *	Tcl_SplitList's message and error code) or has more than capacity
 *	elements. On failure string may have been partly rewritten and
 *	*argcPtr is left alone.
 *
 * Side effects:
 *	Frees the blocks of elements that argv held from an earlier split:
 *	they stay valid until argv is used for another split or
 *	Tov_SplitListRelease runs.
 *
 *----------------------------------------------------------------------
 */

int Tov_SplitListInPlace(Tcl_Interp *interp, char *string, int *argcPtr,
                         char **argv, int capacity) {
  unsigned long split = ++splitCalls;
  char *list = string;
  int count = 0;
  int status = 0;

  while (*list != '\0') {
    Element element;
    if (FindElement(list, &element) != TCL_OK) {
      status = ReportListError(interp, list);
      break;
    }
    if (*element.start == '\0') {
      break;
    }
    if (count >= capacity) {
      status = ReportCapacityError(interp, capacity);
      break;
    }
    char *text = element.start;
    if (element.escaped) {
      text = CollapseElement(element, argv, split);
    } else {
      text[element.size] = '\0';
    }
    if (text == nullptr) {
      status = 1;
      if (interp != nullptr) {
        Tcl_ResetResult(interp);
        Tcl_AppendResult(interp, MSG_NO_MEMORY, (char *)nullptr);
      }
      break;
    }
    argv[count++] = text;
    list = element.next;
  }
  if (grownElements != nullptr) {
    ForgetGrownElements(argv, split, string, status != 0);
  }
  if (status == 0) {
    *argcPtr = count;
  }
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_SplitListRelease --
 *
 *	Frees every element block of earlier splits; the module's exit point
 *	calls it.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Elements that earlier splits returned in blocks of their own are no
 *	longer valid.
 *
 *----------------------------------------------------------------------
 */

void Tov_SplitListRelease() {
  while (grownElements != nullptr) {
    GrownElement *grown = grownElements;
    grownElements = grown->next;
    std::free(grown);
  }
}
