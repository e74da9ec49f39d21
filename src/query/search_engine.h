/*
 * search_engine.h --
 *
 *	The tree search engine: walks the category trees of every database
 *	of a group, merged (a category reference stands for the category at
 *	its path in every database), reports categories reached through a
 *	reference under the reference's own place, and leaves out the hidden
 *	entries of the group while its filter is on. pdb:find searches with
 *	it; pdb:info and pdb:delete ask it where a part or a category is
 *	found.
 */

#ifndef TOVPART_QUERY_SEARCH_ENGINE_H
#define TOVPART_QUERY_SEARCH_ENGINE_H

#include "query/string_set.h"

class Pdb_Database;
class Pdb_Group;
struct Pdb_Part;

class Pdb_SearchEngine {
public:
  explicit Pdb_SearchEngine(Pdb_Group *group);

  /*
   * Adds to result the reported path of every category of db's tree
   * whose list holds an entry resolving to part (the root is reported as
   * "/"). Hidden categories and what lies below them are left out while
   * the group's filter is on.
   */
  void categoriesHoldingPart(const Pdb_Database *db, const Pdb_Part *part,
                             Pdb_StringSet &result);

  /*
   * Adds to result every reported path at which the category of path is
   * found in db's tree: the category itself and every category reference
   * designating it (and the paths under which it is reached through
   * references to its ancestors).
   */
  void appearancesOfCategory(const Pdb_Database *db, const char *path,
                             Pdb_StringSet &result);

private:
  Pdb_Group *group;
};

#endif /* TOVPART_QUERY_SEARCH_ENGINE_H */
