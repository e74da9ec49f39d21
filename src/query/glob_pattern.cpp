/*
 * glob_pattern.cpp --
 *
 *	Glob patterns prepared for repeated matching. Tcl_StringMatch walks
 *	UTF-8 characters, but an ASCII byte is always a character of its own
 *	there (it never continues a multi-byte sequence, and a lone byte
 *	outside ASCII never decodes to an ASCII character). A pattern whose
 *	literal pieces are ASCII therefore matches at byte level exactly where
 *	it matches at character level, and "*" alone needs no more than a
 *	leftmost search of each piece in turn.
 */

#include "query/glob_pattern.h"

#include <cstring>
#include <tcl.h>

static bool NeedsTcl(const char *pattern);
static std::size_t MeasureFixedPrefix(const char *pattern);

/* True when the pattern holds a wildcard other than "*", an escape, or a
 * byte outside ASCII. */
static bool NeedsTcl(const char *pattern) {
  for (const unsigned char *p =
           reinterpret_cast<const unsigned char *>(pattern);
       *p != '\0'; p++) {
    if (*p == '?' || *p == '[' || *p == '\\' || *p >= 0x80) {
      return true;
    }
  }
  return false;
}

/* The length of the ASCII text before the pattern's first wildcard,
 * escape or byte outside ASCII. */
static std::size_t MeasureFixedPrefix(const char *pattern) {
  const unsigned char *p = reinterpret_cast<const unsigned char *>(pattern);
  std::size_t length = 0;
  while (p[length] != '\0' && p[length] != '*' && p[length] != '?' &&
         p[length] != '[' && p[length] != '\\' && p[length] < 0x80) {
    length++;
  }
  return length;
}

/* A pattern that matches every string, as "*" does. */
Pdb_GlobPattern::Pdb_GlobPattern() : form(Form::ANY), whole("*") {}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_GlobPattern::Pdb_GlobPattern --
 *
 *	Splits the pattern at its stars into the literal before the first
 *	star, the literals between stars and the literal after the last one,
 *	and picks the cheapest form that answers like Tcl_StringMatch.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Keeps a copy of pattern and of its pieces.
 *
 *----------------------------------------------------------------------
 */

Pdb_GlobPattern::Pdb_GlobPattern(const char *pattern)
    : whole(pattern), prefix(pattern, MeasureFixedPrefix(pattern)) {
  if (NeedsTcl(pattern)) {
    form = Form::TCL;
    return;
  }
  const char *star = std::strchr(pattern, '*');
  if (star == nullptr) {
    form = Form::EXACT;
    return;
  }
  head.assign(pattern, static_cast<std::size_t>(star - pattern));
  const char *last = std::strrchr(pattern, '*');
  tail.assign(last + 1);
  for (const char *piece = star + 1; piece < last;) {
    const char *end = std::strchr(piece, '*');
    if (end > piece) {
      middles.emplace_back(piece, static_cast<std::size_t>(end - piece));
    }
    piece = end + 1;
  }
  if (head.empty() && tail.empty() && middles.empty()) {
    form = Form::ANY;
  } else if (tail.empty() && middles.empty()) {
    form = Form::PREFIX;
  } else if (head.empty() && tail.empty() && middles.size() == 1) {
    form = Form::CONTAINS;
  } else {
    form = Form::STARS;
  }
}

bool Pdb_GlobPattern::matchTcl(const char *text) const {
  return Tcl_StringMatch(text, whole.c_str()) != 0;
}

/*
 * The head must begin the text and the tail end it; the middle pieces
 * must occur in order between them, without overlapping. Taking each
 * middle piece at its leftmost place leaves the most room for the rest,
 * so the search never needs to back up.
 */
bool Pdb_GlobPattern::matchStars(const char *text) const {
  if (std::strncmp(text, head.c_str(), head.size()) != 0) {
    return false;
  }
  const char *at = text + head.size();
  for (const std::string &piece : middles) {
    at = std::strstr(at, piece.c_str());
    if (at == nullptr) {
      return false;
    }
    at += piece.size();
  }
  if (tail.empty()) {
    return true;
  }
  std::size_t rest = std::strlen(at);
  return rest >= tail.size() &&
         std::memcmp(at + rest - tail.size(), tail.data(), tail.size()) == 0;
}
