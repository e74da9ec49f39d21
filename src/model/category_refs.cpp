/*
 * category_refs.cpp --
 *
 *	Category references across a group: their targets, the circularity
 *	test, and the subtree collection and part removal walks.
 */

#include "model/category_tree.h"

#include <unordered_set>
#include <vector>

#include "model/database.h"
#include "model/group.h"
#include "model/reference_targets.h"
#include "model/tree_walk.h"

std::vector<Pdb_CategoryNode *>
Pdb_ReferenceTargets(Pdb_Group *group, const Pdb_CategoryNode *ref) {
  std::vector<Pdb_CategoryNode *> targets;
  if (group == nullptr) {
    return targets;
  }
  group->findFirst([&](const char *, Pdb_Database *db) {
    if (db->tree != nullptr) {
      if (Pdb_CategoryNode *t =
              db->tree->lookupPath(group, PDB_REFS_IGNORE, ref->refPath())) {
        targets.push_back(t);
      }
    }
    return false;
  });
  return targets;
}

/*
 * reachesCategory --
 *
 *	True when x lies in the subtree of n, or in the subtree of a category
 *	that a reference met on the way designates (in any database of the
 *	group). Each designated category is searched once, so references that
 *	lead in a circle end the search.
 */
bool reachesCategory(Pdb_Group *group, const Pdb_CategoryNode *x,
                     const Pdb_CategoryNode *n) {
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
                       for (Pdb_CategoryNode *t :
                            Pdb_ReferenceTargets(group, node)) {
                         if (t == x) {
                           reached = true;
                           return false;
                         }
                         if (searched.insert(t).second) {
                           pending.push_back(t);
                         }
                       }
                       return true;
                     });
  }
  return reached;
}

bool isCircularReference(Pdb_Group *group, Pdb_CategoryNode *node,
                         const char *targetPath) {
  return group->findFirst([&](const char *, Pdb_Database *db) {
    if (db->tree == nullptr) {
      return false;
    }
    Pdb_CategoryNode *target =
        db->tree->lookupPath(group, PDB_REFS_IGNORE, targetPath);
    return target != nullptr && reachesCategory(group, node, target);
  }) != nullptr;
}

void collectSubtree(Pdb_CategoryNode *node, Pdb_AddressSet &nodes,
                    Pdb_AddressSet &parts) {
  Pdb_WalkPreOrder(node, Pdb_WalkScope::SUBTREE,
                   [&](Pdb_CategoryNode *visited, int) {
                     nodes.insert(visited);
                     if (visited->isReference()) {
                       return true;
                     }
                     Pdb_PartList *list = visited->body()->partList();
                     for (int i = 0; i < list->count; i++) {
                       Pdb_PartEntry *entry = list->entry(i);
                       if (entry != nullptr && entry->kind == PDB_ENTRY_PART) {
                         parts.insert(entry);
                       }
                     }
                     return true;
                   });
}

int Pdb_CategoryTree::removePartsEverywhere(Pdb_CategoryNode *node,
                                            const Pdb_AddressSet &parts) {
  int removed = 0;
  Pdb_WalkPreOrder(
      node, Pdb_WalkScope::WITH_SIBLINGS, [&](Pdb_CategoryNode *visited, int) {
        if (!visited->isReference()) {
          removed += visited->body()->partList()->removeAllIn(parts);
        }
        return true;
      });
  entryCount -= removed;
  return removed;
}
