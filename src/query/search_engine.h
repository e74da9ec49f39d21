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

#include <cstddef>
#include <string>
#include <vector>

#include "query/string_set.h"

class Pdb_AddressSet;
class Pdb_BinaryDb;
class Pdb_Database;
class Pdb_HiddenLists;
class Pdb_GlobPattern;
class Pdb_Group;
class Pdb_PartMatcher;
class Pdb_ResultList;
struct Pdb_CategoryNode;
struct Pdb_Part;

/* What a search reports: strings of the parts it finds, or categories. */
enum class Pdb_FindKind {
  PART,
  CATEGORY,
  SYMBOL,
  TEMPLATE,
  PROPNAME,
  PROPVALUES
};

/* One search of pdb:find. */
struct Pdb_SearchRequest {
  std::vector<std::string> starts; /* start category paths, in order */
  Pdb_FindKind kind = Pdb_FindKind::PART;
  const Pdb_PartMatcher *matcher = nullptr; /* nullptr: every part */
  const char *hdl = nullptr; /* only parts of this HDL kind; nullptr: all */
  const Pdb_GlobPattern *pathPattern = nullptr;   /* kind CATEGORY */
  const Pdb_GlobPattern *propertyNames = nullptr; /* kind PROPVALUES */
  bool recurse = true; /* false: the start categories alone */
};

/* Where the category walk reports the paths it finds. */
class Pdb_PathSink {
public:
  /* path holds length bytes and a NUL after them; it is not kept. */
  virtual void add(const char *path, std::size_t length) = 0;

protected:
  ~Pdb_PathSink() = default;
};

/*
 * What the category walk reports a node for; at most one of part and
 * path is given.
 */
struct Pdb_NodeTest {
  /* The reported paths that match; nullptr: every path. */
  const Pdb_GlobPattern *pattern = nullptr;
  const Pdb_Part *part = nullptr; /* real categories listing the part */
  const char *path = nullptr;     /* the category of path, references to it */

  /*
   * True when node, reported at reportedPath, is to be reported.
   * pathIsReal says that reportedPath is the node's own full path (no
   * reference was followed to reach it).
   */
  bool holds(const Pdb_CategoryNode *node, const std::string &reportedPath,
             bool pathIsReal) const;
};

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

  /*
   * The search of pdb:find: below each start category, in every database
   * of the group that holds it (found through references too), the
   * strings the request asks for are added to result.
   */
  void searchGroup(const Pdb_SearchRequest &request, Pdb_ResultList &result);

private:
  const Pdb_HiddenLists *partHiding() const;
  void markHidden(Pdb_AddressSet &visited) const;
  void scanWholeImages(const Pdb_SearchRequest &request,
                       Pdb_AddressSet &visited, Pdb_ResultList &result) const;
  void scanWholeImage(const Pdb_BinaryDb *db, const Pdb_SearchRequest &request,
                      Pdb_ResultList &result) const;
  void partWalk(Pdb_CategoryNode *start, const Pdb_SearchRequest &request,
                Pdb_AddressSet &visited, Pdb_ResultList &result) const;
  void scanParts(const Pdb_CategoryNode *node, const Pdb_SearchRequest &request,
                 Pdb_ResultList &result) const;
  void categoryWalk(Pdb_CategoryNode *start, const std::string &parentPath,
                    bool recurse, const Pdb_NodeTest &test,
                    const Pdb_AddressSet &visited, Pdb_PathSink &sink) const;
  void listChildren(Pdb_CategoryNode *node, const Pdb_GlobPattern *pattern,
                    const Pdb_AddressSet &visited, Pdb_PathSink &sink) const;
  void walkWholeTree(const Pdb_Database *db, const Pdb_NodeTest &test,
                     Pdb_StringSet &result) const;

  Pdb_Group *group;
};

#endif /* TOVPART_QUERY_SEARCH_ENGINE_H */
