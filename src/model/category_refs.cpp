/*
 * category_refs.cpp --
 *
 *	Category references across a group: the circularity test and the
 *	test of the place a new reference would take.
 */

#include <cstring>
#include <unordered_set>
#include <vector>

#include "model/database.h"
#include "model/group.h"
#include "model/tree_walk.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::reachesCategory --
 *
 *	True when x lies in the subtree of n, or in the subtree of a category
 *	that a reference met on the way designates (in any database of the
 *	group). Each designated category is searched once, so references that
 *	lead in a circle end the search.
 *
 * Results:
 *	True when x is reached.
 *
 * Side effects:
 *	None; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_Group::reachesCategory(const Pdb_CategoryNode *x,
                                const Pdb_CategoryNode *n) const {
  std::vector<const Pdb_CategoryNode *> pending{n};
  std::unordered_set<const Pdb_CategoryNode *> searched{n};
  bool reached = false;
  while (!pending.empty() && !reached) {
    const Pdb_CategoryNode *start = pending.back();
    pending.pop_back();
    Pdb_WalkPreOrder(const_cast<Pdb_CategoryNode *>(start),
                     Pdb_WalkScope::SUBTREE, [&](Pdb_CategoryNode *node, int) {
                       if (!node->isReference()) {
                         reached = node == x;
                         return !reached;
                       }
                       for (const Pdb_Located &t : locateAll(node->refPath())) {
                         if (t.node == x) {
                           reached = true;
                           return false;
                         }
                         if (searched.insert(t.node).second) {
                           pending.push_back(t.node);
                         }
                       }
                       return true;
                     });
  }
  return reached;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::isCircularReference --
 *
 *	Tells whether placing a reference to targetPath under node would make
 *	a cycle: node is reachable from the category at targetPath in some
 *	database of the group.
 *
 * Results:
 *	True when it would.
 *
 * Side effects:
 *	None; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_Group::isCircularReference(const Pdb_CategoryNode *node,
                                    const char *targetPath) const {
  return findFirst([&](const char *, Pdb_Database *db) {
           Pdb_CategoryNode *target = db->lookupPath(
               const_cast<Pdb_Group *>(this), PDB_REFS_IGNORE, targetPath);
           return target != nullptr && reachesCategory(node, target);
         }) != nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Group::referencePlaceTaken --
 *
 *	Builds the path a category reference to targetPath would stand at
 *	under the category at parentPath (parentPath and the last component
 *	of targetPath) and looks it up across the group, references
 *	followed. The reader refuses a [category=] line whose place is
 *	taken, so pdb:add refuses such a reference too.
 *
 * Results:
 *	True when some database of the group finds that path.
 *
 * Side effects:
 *	None; may throw std::bad_alloc while references are followed.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_Group::referencePlaceTaken(const char *parentPath,
                                    const char *targetPath) const {
  std::size_t length = std::strlen(targetPath);
  const char *last = targetPath + (length > 0 ? length - 1 : 0);
  while (last > targetPath && last[-1] != '/') {
    last--;
  }
  Tcl_DString place;
  Tcl_DStringInit(&place);
  Tcl_DStringAppend(&place, parentPath, -1);
  Tcl_DStringAppend(&place, last, -1);
  bool taken =
      lookupPathInGroup(PDB_REFS_GROUP, Tcl_DStringValue(&place)) != nullptr;
  Tcl_DStringFree(&place);
  return taken;
}
