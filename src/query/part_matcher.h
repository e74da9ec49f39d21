/*
 * part_matcher.h --
 *
 *	The six predicates with which a search picks parts: by name, symbol
 *	name, template name, any of the three, property name, or property
 *	name/value pairs. Each is a glob match; the patterns are prepared
 *	once per search, the property search specification parsed once.
 */

#ifndef TOVPART_QUERY_PART_MATCHER_H
#define TOVPART_QUERY_PART_MATCHER_H

#include <cstring>
#include <string>
#include <tcl.h>
#include <vector>

#include "model/part.h"
#include "query/glob_pattern.h"

/* Which predicate a matcher applies. */
enum class Pdb_MatcherKind {
  NONE,
  NAME,
  SYMBOL,
  TEMPLATE,
  ANY_NAME,
  PROPERTY_NAME,
  PROPERTY_PAIR
};

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ForEachPair --
 *
 *	Calls visit(name, value) for each property pair of part, in record
 *	order, until visit returns false.
 *
 * Results:
 *	False when visit stopped the walk, else true.
 *
 * Side effects:
 *	Those of visit.
 *
 *----------------------------------------------------------------------
 */

template <typename Visit>
inline bool Pdb_ForEachPair(const Pdb_Part *part, Visit visit) {
  const char *at = part->strings() + part->propertiesOffset;
  for (int i = 0; i < part->pairCount; i++) {
    const char *name = at;
    const char *value = name + std::strlen(name) + 1;
    at = value + std::strlen(value) + 1;
    if (!visit(name, value)) {
      return false;
    }
  }
  return true;
}

class Pdb_PartMatcher {
public:
  /* A matcher that accepts every part (kind NONE). */
  Pdb_PartMatcher() = default;

  /*
   * Prepares the predicate of kind for pattern. For PROPERTY_PAIR the
   * pattern is a property search specification, checked here: TCL_ERROR
   * with the list parser's message or the invalid-specification message
   * when it is not a non-empty list of lists of at least two words.
   * TCL_OK otherwise.
   */
  int prepare(Tcl_Interp *interp, Pdb_MatcherKind kind, Tcl_Obj *pattern);

  Pdb_MatcherKind kind() const { return which; }

  /* Text that the name of every part the matcher accepts begins with. */
  const std::string &namePrefix() const {
    static const std::string none;
    return which == Pdb_MatcherKind::NAME ? pattern.fixedPrefix() : none;
  }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_PartMatcher::matches --
   *
   *	Applies the matcher's predicate to part.
   *
   * Results:
   *	True when the part passes it (always for kind NONE).
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  bool matches(const Pdb_Part *part) const {
    switch (which) {
    case Pdb_MatcherKind::NONE:
      return true;
    case Pdb_MatcherKind::NAME:
      return name(part);
    case Pdb_MatcherKind::SYMBOL:
      return symbol(part);
    case Pdb_MatcherKind::TEMPLATE:
      return templateName(part);
    case Pdb_MatcherKind::ANY_NAME:
      return anyName(part);
    case Pdb_MatcherKind::PROPERTY_NAME:
      return propertyName(part);
    case Pdb_MatcherKind::PROPERTY_PAIR:
      return propertyPairs(part);
    }
    return false;
  }

  /* The six predicates. */
  bool name(const Pdb_Part *part) const {
    return pattern.matches(part->name());
  }
  bool symbol(const Pdb_Part *part) const {
    return pattern.matches(part->symbolName());
  }
  bool templateName(const Pdb_Part *part) const {
    return pattern.matches(part->templateName());
  }
  bool anyName(const Pdb_Part *part) const {
    return name(part) || symbol(part) || templateName(part);
  }
  bool propertyName(const Pdb_Part *part) const;
  bool propertyPairs(const Pdb_Part *part) const;

private:
  /* One {name-pattern value-pattern} element of a specification. */
  struct PairTest {
    Pdb_GlobPattern name;
    Pdb_GlobPattern value;
  };

  int parseSpecification(Tcl_Interp *interp, Tcl_Obj *specification);

  Pdb_MatcherKind which = Pdb_MatcherKind::NONE;
  Pdb_GlobPattern pattern;
  std::vector<PairTest> pairTests;
};

#endif /* TOVPART_QUERY_PART_MATCHER_H */
