/*
 * category_walk.cpp --
 *
 *	The category search of the tree search engine: the walk that
 *	reports categories under their reported paths (a category reached
 *	through a reference is reported under the reference's place), the
 *	one-level listing of a category's children, and the two membership
 *	searches built on the walk.
 */

#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "model/address_set.h"
#include "model/child_index.h"
#include "model/database.h"
#include "model/group.h"
#include "query/glob_pattern.h"
#include "query/search_engine.h"

static void AppendComponent(const Pdb_CategoryNode *node, std::string &path);
static bool HasRealPath(const Pdb_CategoryNode *node, const char *path);

/* Appends the node's last component and "/": "/" alone for the root. */
static void AppendComponent(const Pdb_CategoryNode *node, std::string &path) {
  if (!node->isReference() && node->parentNode() == nullptr) {
    path += '/';
    return;
  }
  path += Pdb_GetComponentName(node);
  path += '/';
}

/* True when the real category node's full path is path. The full path is
 * built only for a node whose name ends the path. */
static bool HasRealPath(const Pdb_CategoryNode *node, const char *path) {
  std::string_view wanted(path);
  std::string_view name = Pdb_GetComponentName(node);
  if (wanted.size() < name.size() + 1 ||
      wanted.substr(wanted.size() - name.size() - 1, name.size()) != name) {
    return false;
  }
  char *full = node->nodePath();
  if (full == nullptr) {
    throw std::bad_alloc();
  }
  bool same = std::strcmp(full, path) == 0;
  std::free(full);
  return same;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NodeTest::holds --
 *
 *	Tells whether node, reported at reportedPath, is to be reported:
 *	for a part, a real category listing it; for a path, the category of
 *	that path or a reference to it; else a reported path that the pattern
 *	matches (every one without a pattern). pathIsReal says that
 *	reportedPath is the node's own full path (no reference was followed to
 *	reach it).
 *
 * Results:
 *	True when it is.
 *
 * Side effects:
 *	None; throws std::bad_alloc when a node's path cannot be made.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_NodeTest::holds(const Pdb_CategoryNode *node,
                         const std::string &reportedPath,
                         bool pathIsReal) const {
  if (part != nullptr) {
    return !node->isReference() && node->body()->partList()->containsPart(part);
  }
  if (path != nullptr) {
    if (node->isReference()) {
      return std::strcmp(node->refPath(), path) == 0;
    }
    return pathIsReal ? reportedPath == path : HasRealPath(node, path);
  }
  return pattern == nullptr || pattern->matches(reportedPath.c_str());
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::categoryWalk --
 *
 *	Reports start and everything below it that passes test, each under
 *	its reported path: the parent's reported path and the node's last
 *	component. A reference is reported, then each of its targets (in the
 *	group's order) is walked as if it stood in the reference's place. A
 *	node in visited is neither reported nor entered; the walk adds
 *	nothing to visited, so a category reached along two routes is
 *	reported under both. Without recurse, the children of start are
 *	listed instead.
 *
 *	The walk is pre-order (node, its subtree, its following siblings;
 *	start's own siblings are not walked) with an explicit work list and
 *	one path buffer: every pending node records the length of its
 *	parent's reported path, which stays in the buffer until the node is
 *	taken up. A reference already being followed on the way to a node
 *	is not followed again there, so references that lead in a circle
 *	end. Until a reference is followed the reported paths are the real
 *	ones (the parent's path given is its real path).
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::categoryWalk(Pdb_CategoryNode *start,
                                    const std::string &parentPath, bool recurse,
                                    const Pdb_NodeTest &test,
                                    const Pdb_AddressSet &visited,
                                    Pdb_PathSink &sink) const {
  if (start == nullptr) {
    return;
  }
  if (!recurse) {
    listChildren(start, test.pattern, visited, sink);
    return;
  }
  struct Pending {
    Pdb_CategoryNode *node;
    std::size_t parentLength; /* of its parent's reported path */
    bool siblings;            /* its following siblings come after it */
    std::size_t following;    /* the references followed to get here */
  };
  /* References being followed: each with the one followed before it. */
  struct Following {
    const Pdb_CategoryNode *reference;
    std::size_t outer;
  };
  std::vector<Following> following{{nullptr, 0}};
  std::vector<Pending> pending{{start, parentPath.size(), false, 0}};
  std::string path = parentPath;
  while (!pending.empty()) {
    Pending here = pending.back();
    pending.pop_back();
    Pdb_CategoryNode *node = here.node;
    if (here.siblings && node->sibling() != nullptr) {
      pending.push_back(
          {node->sibling(), here.parentLength, true, here.following});
    }
    path.resize(here.parentLength);
    AppendComponent(node, path);
    if (visited.contains(node)) {
      continue;
    }
    if (test.holds(node, path, here.following == 0)) {
      sink.add(path.c_str(), path.size());
    }
    if (!node->isReference()) {
      if (node->child() != nullptr) {
        pending.push_back({node->child(), path.size(), true, here.following});
      }
      continue;
    }
    bool circle = false;
    for (std::size_t f = here.following; f != 0 && !circle;
         f = following[f].outer) {
      circle = following[f].reference == node;
    }
    if (circle) {
      continue;
    }
    following.push_back({node, here.following});
    std::vector<Pdb_Located> targets = group->locateAll(node->refPath());
    for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
      pending.push_back(
          {t->node, here.parentLength, false, following.size() - 1});
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::listChildren --
 *
 *	Reports "/" + last component + "/" of each child of node, in chain
 *	order, that is not in visited and matches pattern (every child when
 *	there is none). For a reference the children of each of its targets
 *	are listed instead; a target that is a reference is followed in
 *	turn, each reference once.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::listChildren(Pdb_CategoryNode *node,
                                    const Pdb_GlobPattern *pattern,
                                    const Pdb_AddressSet &visited,
                                    Pdb_PathSink &sink) const {
  std::vector<Pdb_CategoryNode *> pending{node};
  Pdb_AddressSet followed;
  std::string entry;
  while (!pending.empty()) {
    Pdb_CategoryNode *here = pending.back();
    pending.pop_back();
    if (here->isReference()) {
      if (followed.insert(here)) {
        std::vector<Pdb_Located> targets = group->locateAll(here->refPath());
        for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
          pending.push_back(t->node);
        }
      }
      continue;
    }
    for (Pdb_CategoryNode *c = here->child(); c != nullptr; c = c->sibling()) {
      if (visited.contains(c)) {
        continue;
      }
      entry.assign(1, '/');
      entry += Pdb_GetComponentName(c);
      entry += '/';
      if (pattern == nullptr || pattern->matches(entry.c_str())) {
        sink.add(entry.c_str(), entry.size());
      }
    }
  }
}

namespace {

/* Reports paths into a string set. */
class ToStringSet final : public Pdb_PathSink {
public:
  explicit ToStringSet(Pdb_StringSet &set) : set(set) {}
  void add(const char *path, std::size_t) override { set.insert(path); }

private:
  Pdb_StringSet &set;
};

} // namespace

/* The category walk of db's whole tree, reported from "/" into result,
 * with the hidden categories left out while the filter is on. */
void Pdb_SearchEngine::walkWholeTree(const Pdb_Database *db,
                                     const Pdb_NodeTest &test,
                                     Pdb_StringSet &result) const {
  if (db->tree == nullptr) {
    return;
  }
  Pdb_AddressSet visited;
  markHidden(visited);
  ToStringSet sink(result);
  categoryWalk(db->tree->rootNode(), std::string(), true, test, visited, sink);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::categoriesHoldingPart --
 *
 *	Adds to result the reported path of every category of db's tree whose
 *	list holds an entry resolving to part (the root as "/"). Hidden
 *	categories and what lies below them are left out while the group's
 *	filter is on.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Adds strings to result; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::categoriesHoldingPart(const Pdb_Database *db,
                                             const Pdb_Part *part,
                                             Pdb_StringSet &result) {
  Pdb_NodeTest test;
  test.part = part;
  walkWholeTree(db, test, result);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::appearancesOfCategory --
 *
 *	Adds to result every reported path at which the category of path is
 *	found in db's tree: the category itself and every category reference
 *	designating it (and the paths under which it is reached through
 *	references to its ancestors).
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Adds strings to result; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::appearancesOfCategory(const Pdb_Database *db,
                                             const char *path,
                                             Pdb_StringSet &result) {
  Pdb_NodeTest test;
  test.path = path;
  walkWholeTree(db, test, result);
}
