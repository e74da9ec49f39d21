/*
 * part_report.h --
 *
 *	What a part search adds for one part it meets: nothing when the part
 *	is hidden, of another HDL kind than asked, or refused by the
 *	matcher; else the strings the search's kind reports for it. The
 *	part scans of the search engine share it.
 */

#ifndef TOVPART_QUERY_PART_REPORT_H
#define TOVPART_QUERY_PART_REPORT_H

#include <cstring>

#include "model/hidden_lists.h"
#include "model/part.h"
#include "query/part_matcher.h"
#include "query/result_list.h"
#include "query/search_engine.h"

/* Adds text unless it is empty. */
inline void Pdb_AddUnlessEmpty(const char *text, Pdb_ResultList &result) {
  if (*text != '\0') {
    result.add(text);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReportPart --
 *
 *	Reports part as the request asks: nothing when it is hidden (hiding is
 *	the group's hidden lists when hidden parts are left out, nullptr when
 *	none are), when its HDL kind differs from the request's or when the
 *	matcher refuses it; else its name, symbol name, template name, property
 *	names or the values of the chosen properties, empty names left out.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Adds strings to result.
 *
 *----------------------------------------------------------------------
 */

__attribute__((always_inline)) inline void
Pdb_ReportPart(const Pdb_Part *part, const Pdb_SearchRequest &request,
               const Pdb_HiddenLists *hiding, Pdb_ResultList &result) {
  if ((hiding != nullptr && hiding->isPartHidden(part)) ||
      (request.hdl != nullptr && std::strcmp(part->hdl(), request.hdl) != 0) ||
      (request.matcher != nullptr && !request.matcher->matches(part))) {
    return;
  }
  switch (request.kind) {
  case Pdb_FindKind::PART:
    Pdb_AddUnlessEmpty(part->name(), result);
    break;
  case Pdb_FindKind::SYMBOL:
    Pdb_AddUnlessEmpty(part->symbolName(), result);
    break;
  case Pdb_FindKind::TEMPLATE:
    Pdb_AddUnlessEmpty(part->templateName(), result);
    break;
  case Pdb_FindKind::PROPNAME:
    Pdb_ForEachPair(part, [&](const char *name, const char *) {
      result.add(name);
      return true;
    });
    break;
  case Pdb_FindKind::PROPVALUES:
    Pdb_ForEachPair(part, [&](const char *name, const char *value) {
      if (request.propertyNames->matches(name)) {
        result.add(value);
      }
      return true;
    });
    break;
  case Pdb_FindKind::CATEGORY:
    break;
  }
}

/* How many entries ahead the part scans fetch. */
enum { PDB_FETCH_AHEAD = 16 };

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FetchEntry --
 *
 *	Asks for the first two cache lines of the entry at address (nullptr:
 *	none) to be brought in ahead of its turn.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None beyond the cache.
 *
 *----------------------------------------------------------------------
 */

inline void Pdb_FetchEntry(const void *address) {
  if (address != nullptr) {
    __builtin_prefetch(address);
    __builtin_prefetch(static_cast<const char *>(address) + 64);
  }
}

#endif /* TOVPART_QUERY_PART_REPORT_H */
