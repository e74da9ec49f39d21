/*
 * category_lookup.cpp --
 *
 *	Finding categories by path: children by name, paths in one tree or
 *	across a group with the three reference modes, and the help texts
 *	the group records for a path.
 */

#include "model/category_tree.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "model/child_index.h"
#include "model/database.h"
#include "model/group.h"
#include "model/tree_edit.h"
#include "model/tree_walk.h"

/* The first component of rem ("/a/b/" gives "a"); rem begins with "/". */
static std::string_view GetFirstComponent(std::string_view rem) {
  std::size_t end = rem.find('/', 1);
  return end == std::string_view::npos ? rem.substr(1) : rem.substr(1, end - 1);
}

/* The child index of db's tree, or nullptr for a tree without one. */
static const Pdb_ChildIndex *GetChildIndex(const Pdb_Database *db) {
  const Pdb_TreeEdit *edit = db->treeEdit();
  return edit != nullptr ? &edit->childIndex() : nullptr;
}

/*
 * Calls visit(child) for each child of parent whose component name is
 * name, in chain order, until visit returns true; through index when it
 * knows parent, else by a scan of the chain.
 */
template <typename Visit>
static void ForEachCandidate(const Pdb_ChildIndex *index,
                             const Pdb_CategoryNode *parent,
                             std::string_view name, Visit visit) {
  const std::vector<Pdb_CategoryNode *> *indexed =
      index != nullptr ? index->candidates(parent, name) : nullptr;
  if (indexed != nullptr) {
    for (Pdb_CategoryNode *c : *indexed) {
      if (visit(c)) {
        return;
      }
    }
    return;
  }
  for (Pdb_CategoryNode *c = parent->child(); c != nullptr; c = c->sibling()) {
    if (Pdb_GetComponentName(c) == name && visit(c)) {
      return;
    }
  }
}

namespace {

/*
 * One pending step of a lookup: either all children of node (a walk along
 * a sibling chain) or node alone (a followed reference), matched against
 * the path from offset on; index is the child index of node's tree.
 */
struct LookupStep {
  const Pdb_CategoryNode *node;
  std::size_t offset;
  bool children;
  const Pdb_ChildIndex *index;
};

class PathLookup {
public:
  PathLookup(const Pdb_Database *db, Pdb_Group *group, int mode,
             std::string_view path)
      : db(db), group(group), mode(mode), path(path) {}

  /*
   * Depth-first search with an explicit stack: a node whose component
   * equals the rest of the path is the result; one whose component begins
   * it is descended into (or, for a reference, followed) before the
   * siblings after it are tried.
   */
  Pdb_CategoryNode *run(const Pdb_CategoryNode *root) {
    stack.push_back({root, 0, true, GetChildIndex(db)});
    while (!stack.empty()) {
      LookupStep step = stack.back();
      stack.pop_back();
      std::string_view rem = path.substr(step.offset);
      if (step.children) {
        /* Pushed in reverse so that the first candidate is tried first. */
        std::size_t mark = stack.size();
        ForEachCandidate(step.index, step.node, GetFirstComponent(rem),
                         [&](Pdb_CategoryNode *c) {
                           stack.push_back({c, step.offset, false, step.index});
                           return false;
                         });
        std::reverse(stack.begin() + static_cast<std::ptrdiff_t>(mark),
                     stack.end());
        continue;
      }
      std::string_view name = Pdb_GetComponentName(step.node);
      bool isRoot =
          step.node->parentNode() == nullptr && !step.node->isReference();
      std::size_t componentLength = isRoot ? 1 : name.size() + 2;
      if (rem.size() == componentLength) {
        if (isRoot ? rem == "/" : GetFirstComponent(rem) == name) {
          return const_cast<Pdb_CategoryNode *>(step.node);
        }
        continue;
      }
      if (!isRoot &&
          (rem.size() < componentLength || rem[componentLength - 1] != '/' ||
           GetFirstComponent(rem) != name)) {
        continue;
      }
      std::size_t rest = step.offset + componentLength - 1;
      if (step.node->isReference()) {
        follow(step.node, step.offset);
      } else {
        stack.push_back({step.node, rest, true, step.index});
      }
    }
    return nullptr;
  }

private:
  /* Queues the targets of reference ref, to be matched from offset on. */
  void follow(const Pdb_CategoryNode *ref, std::size_t offset) {
    std::vector<Pdb_Located> targets;
    if (mode == PDB_REFS_SAME_TREE) {
      if (Pdb_CategoryNode *t =
              db->lookupPath(group, PDB_REFS_IGNORE, ref->refPath())) {
        targets.push_back({const_cast<Pdb_Database *>(db), t});
      }
    } else if (mode == PDB_REFS_GROUP && group != nullptr) {
      targets = group->locateAll(ref->refPath());
    }
    for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
      /* References that lead back to themselves are followed once. */
      if (followed.insert({t->node, offset}).second) {
        stack.push_back({t->node, offset, false, GetChildIndex(t->db)});
      }
    }
  }

  const Pdb_Database *db;
  Pdb_Group *group;
  int mode;
  std::string_view path;
  std::vector<LookupStep> stack;
  std::set<std::pair<const Pdb_CategoryNode *, std::size_t>> followed;
};

} // namespace

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::lookupPath --
 *
 *	Finds the node of path in the database's tree. A node whose
 *	component equals the rest of the path is the result (a category
 *	reference is found as itself); references met on the way are
 *	followed as mode says: not at all, to their target in this tree, or
 *	to their targets in every database of group.
 *
 * Results:
 *	The node, or nullptr for a path that does not begin and end with
 *	"/", an empty tree, or a path that is not there.
 *
 * Side effects:
 *	None; may throw std::bad_alloc while references are followed.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_Database::lookupPath(Pdb_Group *group, int mode,
                                           const char *path) const {
  std::size_t length = std::strlen(path);
  Pdb_CategoryNode *top = tree != nullptr ? tree->rootNode() : nullptr;
  if (length == 0 || path[0] != '/' || path[length - 1] != '/' ||
      top == nullptr) {
    return nullptr;
  }
  if (length == 1) {
    return top;
  }
  return PathLookup(this, group, mode, path).run(top);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::lookupPathInGroup --
 *
 *	Looks path up in each database of the group in table order, with
 *	Pdb_Database::lookupPath and reference mode mode.
 *
 * Results:
 *	The first node found, or nullptr.
 *
 * Side effects:
 *	As Pdb_Database::lookupPath.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_Group::lookupPathInGroup(int mode,
                                               const char *path) const {
  Pdb_CategoryNode *found = nullptr;
  findFirst([&](const char *, Pdb_Database *db) {
    found = db->lookupPath(const_cast<Pdb_Group *>(this), mode, path);
    return found != nullptr;
  });
  return found;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::locateAll --
 *
 *	Finds the node at path in every database that holds one, without
 *	following references: the targets of a category reference to path.
 *
 * Results:
 *	The nodes with their databases, in table order.
 *
 * Side effects:
 *	May throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

std::vector<Pdb_Located> Pdb_Group::locateAll(const char *path) const {
  std::vector<Pdb_Located> found;
  forEachDatabase([&](Pdb_Database *db) {
    if (Pdb_CategoryNode *node = db->lookupPath(const_cast<Pdb_Group *>(this),
                                                PDB_REFS_IGNORE, path)) {
      found.push_back({db, node});
    }
  });
  return found;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::helpOfFound --
 *
 *	Gives the help of a node that lookupPathInGroup found: for a reference,
 *	that of the category it designates.
 *
 * Results:
 *	The help text; "" for nullptr or a reference whose target is missing.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_Group::helpOfFound(const Pdb_CategoryNode *node) const {
  if (node != nullptr && node->isReference()) {
    node = lookupPathInGroup(PDB_REFS_IGNORE, node->refPath());
  }
  if (node == nullptr || node->isReference()) {
    return "";
  }
  return node->body()->helpText();
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::categoryHelp --
 *
 *	Gives the help text the group records for path: that of the first
 *	category the group finds there (for a reference, that of the category
 *	it designates).
 *
 * Results:
 *	The help text; the empty string when no database holds the path or a
 *	reference's target is missing.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_Group::categoryHelp(const char *path) const {
  return helpOfFound(lookupPathInGroup(PDB_REFS_GROUP, path));
}
