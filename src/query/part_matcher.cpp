/*
 * part_matcher.cpp --
 *
 *	Preparing the part predicates of a search, the property search
 *	specification among them, and the two predicates over property
 *	pairs.
 */

#include "query/part_matcher.h"

static const char *const MATCHER_MSG_BAD_SPEC =
    "Invalid property search specification: \"";
static const char *const MATCHER_MSG_SPEC_FORM =
    "\"\nShould be: \"{{propname1 val1} {propname2 val2} ... }\"";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartMatcher::prepare --
 *
 *	Prepares the predicate of kind for pattern. For PROPERTY_PAIR the
 *	pattern is a property search specification, checked here: a non-empty
 *	list of lists of at least two words.
 *
 * Results:
 *	TCL_OK; TCL_ERROR with the list parser's message or the
 *	invalid-specification message.
 *
 * Side effects:
 *	Replaces the matcher's kind and patterns.
 *
 *----------------------------------------------------------------------
 */

int Pdb_PartMatcher::prepare(Tcl_Interp *interp, Pdb_MatcherKind kind,
                             Tcl_Obj *patternObj) {
  which = kind;
  if (kind == Pdb_MatcherKind::PROPERTY_PAIR) {
    return parseSpecification(interp, patternObj);
  }
  if (kind != Pdb_MatcherKind::NONE) {
    pattern = Pdb_GlobPattern(Tcl_GetString(patternObj));
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartMatcher::parseSpecification --
 *
 *	Reads a property search specification: a list of at least one
 *	element, each a list whose first two words are a property-name
 *	pattern and a property-value pattern (further words are ignored).
 *
 * Results:
 *	TCL_OK with the pair tests prepared; TCL_ERROR with the list
 *	parser's message for text that is no list, or with the
 *	invalid-specification message naming the whole specification for an
 *	empty list, an empty element or an element of one word.
 *
 *----------------------------------------------------------------------
 */

int Pdb_PartMatcher::parseSpecification(Tcl_Interp *interp,
                                        Tcl_Obj *specification) {
  pairTests.clear();
  int count = 0;
  Tcl_Obj **elements = nullptr;
  if (Tcl_ListObjGetElements(interp, specification, &count, &elements) !=
      TCL_OK) {
    return TCL_ERROR;
  }
  bool valid = count > 0;
  for (int i = 0; valid && i < count; i++) {
    int words = 0;
    Tcl_Obj **pair = nullptr;
    if (Tcl_ListObjGetElements(interp, elements[i], &words, &pair) != TCL_OK) {
      return TCL_ERROR;
    }
    valid = words >= 2;
    if (valid) {
      pairTests.push_back({Pdb_GlobPattern(Tcl_GetString(pair[0])),
                           Pdb_GlobPattern(Tcl_GetString(pair[1]))});
    }
  }
  if (!valid) {
    Tcl_AppendResult(interp, MATCHER_MSG_BAD_SPEC, Tcl_GetString(specification),
                     MATCHER_MSG_SPEC_FORM, (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartMatcher::propertyName --
 *
 *	The property-name predicate: some property name of the part matches
 *	the pattern.
 *
 * Results:
 *	True when one does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartMatcher::propertyName(const Pdb_Part *part) const {
  return !Pdb_ForEachPair(part, [&](const char *propertyName, const char *) {
    return !pattern.matches(propertyName);
  });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartMatcher::propertyPairs --
 *
 *	The property-pair predicate: every pair test of the property search
 *	specification is met by some property pair of the part (its name and
 *	value matching the test's two patterns); an empty one is met by every
 *	part.
 *
 * Results:
 *	True when all are met.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_PartMatcher::propertyPairs(const Pdb_Part *part) const {
  for (const PairTest &test : pairTests) {
    bool met = !Pdb_ForEachPair(part, [&](const char *name, const char *value) {
      return !(test.name.matches(name) && test.value.matches(value));
    });
    if (!met) {
      return false;
    }
  }
  return true;
}
