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
#include <string>
#include <vector>

class Pdb_GlobPattern {
public:
  /* A pattern that matches every string (as "*" does). */
  Pdb_GlobPattern();

  /* Prepares pattern; a copy is kept. */
  explicit Pdb_GlobPattern(const char *pattern);

  /* True when text matches, exactly as Tcl_StringMatch answers. */
  bool matches(const char *text) const;

  /* True when every string matches. */
  bool matchesAll() const { return form == Form::ANY; }

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

  Form form;
  std::string whole;                /* the pattern as given */
  std::string head;                 /* literal before the first star */
  std::string tail;                 /* literal after the last star */
  std::vector<std::string> middles; /* literals between stars, in order */
};

#endif /* TOVPART_QUERY_GLOB_PATTERN_H */
