/*
 * glob_pattern.h --
 *
 *	A glob pattern prepared once and matched against many strings with
 *	the answers of Tcl_StringMatch. Patterns made only of ASCII text and
 *	"*" are matched by byte comparison and substring search; all others
 *	go to Tcl_StringMatch itself.
 */

#ifndef TOVPART_QUERY_GLOB_PATTERN_H
#define TOVPART_QUERY_GLOB_PATTERN_H

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

class Pdb_GlobPattern {
public:
  /* A pattern that matches every string (as "*" does). */
  Pdb_GlobPattern();

  /* Prepares pattern; a copy is kept. */
  explicit Pdb_GlobPattern(const char *pattern);

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_GlobPattern::matches --
   *
   *	Matches text against the pattern in the form the constructor chose:
   *	byte comparison and substring search for ASCII text and stars,
   *	Tcl_StringMatch for any other pattern. Inline: searches call it once
   *	per part.
   *
   * Results:
   *	True when text matches, exactly as Tcl_StringMatch answers.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  bool matches(const char *text) const {
    switch (form) {
    case Form::ANY:
      return true;
    case Form::EXACT:
      return std::strcmp(text, whole.c_str()) == 0;
    case Form::PREFIX:
      return text[0] == head[0] &&
             std::strncmp(text, head.c_str(), head.size()) == 0;
    case Form::CONTAINS:
      return std::strstr(text, middles.front().c_str()) != nullptr;
    case Form::STARS:
      return matchStars(text);
    case Form::TCL:
      break;
    }
    return matchTcl(text);
  }

  /* True when every string matches. */
  bool matchesAll() const { return form == Form::ANY; }

  /*
   * ASCII text that every matching string begins with: the pattern's
   * bytes before its first wildcard, escape or byte outside ASCII.
   */
  const std::string &fixedPrefix() const { return prefix; }

private:
  enum class Form {
    ANY,      /* only stars */
    EXACT,    /* literal text, no star */
    PREFIX,   /* "lit*" */
    CONTAINS, /* "*lit*" */
    STARS,    /* literal pieces between stars, in any other arrangement */
    TCL       /* ?, [, \ or a byte outside ASCII: Tcl_StringMatch */
  };

  bool matchStars(const char *text) const;
  bool matchTcl(const char *text) const;

  Form form;
  std::string whole;                /* the pattern as given */
  std::string prefix;               /* see fixedPrefix */
  std::string head;                 /* literal before the first star */
  std::string tail;                 /* literal after the last star */
  std::vector<std::string> middles; /* literals between stars, in order */
};

#endif /* TOVPART_QUERY_GLOB_PATTERN_H */
