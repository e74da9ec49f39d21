/*
 * search_engine_pending.cpp --
 *
 *	Stands in for the tree search engine until it is merged: the two
 *	membership searches that pdb:info asks find nothing. Delete this
 *	file when search_engine.cpp arrives.
 */

#include "query/search_engine.h"

Pdb_SearchEngine::Pdb_SearchEngine(Pdb_Group *group) : group(group) {}

void Pdb_SearchEngine::categoriesHoldingPart(const Pdb_Database *,
                                             const Pdb_Part *,
                                             Pdb_StringSet &) {}

void Pdb_SearchEngine::appearancesOfCategory(const Pdb_Database *, const char *,
                                             Pdb_StringSet &) {}
