/*
 * subtree_delete.cpp --
 *
 *	Deleting a category with everything below it, in one post-order walk
 *	over the whole tree, and keeping every other database of the group
 *	free of references to the parts that go.
 */

#include "model/subtree_delete.h"

#include <vector>

#include "model/child_index.h"
#include "model/database.h"
#include "model/group.h"
#include "model/reference_targets.h"
#include "model/tree_walk.h"
#include "model/window.h"

namespace {

/*
 * The post-order pass of deleteSubtree. Visits children before their
 * parent; for each node decides whether it goes, unlinks and frees it when
 * it does, and strips entries of deleted parts from the lists that stay.
 */
class SubtreeDeletion : public Pdb_TreeVisitor {
public:
  SubtreeDeletion(Pdb_CategoryTree *tree, Pdb_Group *group,
                  const Pdb_AddressSet &nodes, const Pdb_AddressSet &parts)
      : tree(tree), group(group), nodes(nodes), parts(parts) {}

  void between(Pdb_CategoryNode *node, int depth) {
    if (lastKept.size() <= static_cast<std::size_t>(depth)) {
      lastKept.resize(static_cast<std::size_t>(depth) + 1, nullptr);
    }
    if (!goes(node)) {
      if (!node->isReference()) {
        tree->entryCount -= node->body()->partList()->removeAllIn(parts);
      }
      lastKept[static_cast<std::size_t>(depth)] = node;
      return;
    }
    Pdb_CategoryNode *parent = node->parentNode();
    if (node->isReference()) {
      tree->referenceCount--;
    } else {
      tree->entryCount -= node->body()->partList()->count;
      if (parent != nullptr) {
        tree->categoryCount--;
      }
    }
    if (parent != nullptr) {
      unlink(parent, node, depth);
    } else {
      tree->root.set(tree, nullptr);
    }
    Pdb_DestroyNode(node);
    Pdb_WindowFree(node);
  }

private:
  /* A node of the deleted subtree, or a reference left without target. */
  bool goes(const Pdb_CategoryNode *node) const {
    if (nodes.contains(node)) {
      return true;
    }
    if (!node->isReference()) {
      return false;
    }
    std::vector<Pdb_CategoryNode *> targets = Pdb_ReferenceTargets(group, node);
    return targets.empty() ||
           (targets.size() == 1 && nodes.contains(targets[0]));
  }

  /*
   * Takes node out of its parent's chain. Its predecessor is the parent
   * when node is the first child, else the last sibling before it that
   * stayed at this depth.
   */
  void unlink(Pdb_CategoryNode *parent, Pdb_CategoryNode *node, int depth) {
    Pdb_CategoryNode *next = node->sibling();
    Pdb_CategoryNode *predecessor;
    if (parent->child() == node) {
      predecessor = parent;
      parent->firstChild.set(parent, next);
    } else {
      predecessor = lastKept[static_cast<std::size_t>(depth)];
      predecessor->nextSibling.set(predecessor, next);
    }
    Pdb_ChildIndexUnlink(parent, node, predecessor);
  }

  Pdb_CategoryTree *tree;
  Pdb_Group *group;
  const Pdb_AddressSet &nodes;
  const Pdb_AddressSet &parts;
  std::vector<Pdb_CategoryNode *> lastKept;
};

} // namespace

/*
 * deleteSubtree --
 *
 *	Collects node's subtree and the parts homed in it, removes every
 *	reference to those parts from the other databases of the group and
 *	from its hidden-part table, walks the whole tree in post-order to
 *	delete the collected nodes and the references that would lead nowhere,
 *	and finally frees the parts and drops them from partsTable.
 */
void deleteSubtree(Pdb_CategoryTree *tree, Pdb_Group *group,
                   Pdb_CategoryNode *node, Tcl_HashTable *partsTable) {
  Pdb_AddressSet nodes;
  Pdb_AddressSet parts;
  if (node != nullptr) {
    collectSubtree(node, nodes, parts);
  }
  if (parts.size() > 0) {
    Pdb_ForgetParts(group, tree, parts);
  }
  SubtreeDeletion deletion(tree, group, nodes, parts);
  Pdb_WalkTree(tree->rootNode(), Pdb_WalkScope::WITH_SIBLINGS,
               Pdb_WalkOrder::CHILDREN_FIRST, deletion);
  parts.forEach([&](void *address) {
    auto *part = static_cast<Pdb_Part *>(address);
    if (partsTable != nullptr) {
      Tcl_HashEntry *entry = Tcl_FindHashEntry(partsTable, part->name());
      if (entry != nullptr && Tcl_GetHashValue(entry) == part) {
        Tcl_DeleteHashEntry(entry);
      }
    }
    Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(part));
  });
}

void Pdb_ForgetParts(Pdb_Group *group, const Pdb_CategoryTree *except,
                     const Pdb_AddressSet &parts) {
  if (group == nullptr) {
    return;
  }
  group->findFirst([&](const char *, Pdb_Database *db) {
    Pdb_CategoryTree *other = db->tree;
    if (other != nullptr && other != except && db->partsTable() != nullptr &&
        other->rootNode() != nullptr) {
      other->removePartsEverywhere(other->rootNode(), parts);
    }
    return false;
  });
  parts.forEach([&](void *address) {
    group->hidden.forgetPart(static_cast<const Pdb_Part *>(address));
  });
}
