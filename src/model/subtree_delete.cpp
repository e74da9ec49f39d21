/*
 * subtree_delete.cpp --
 *
 *	Deleting a category with everything below it, in one post-order walk
 *	over the whole tree, and deleting part records so that no database of
 *	the group and no hidden list keeps their addresses.
 */

#include <vector>

#include "model/database.h"
#include "model/group.h"
#include "model/tree_edit.h"
#include "model/tree_walk.h"

/*
 * The post-order pass of deleteSubtree. Visits children before their
 * parent; for each node decides whether it goes, unlinks and frees it when
 * it does, and strips entries of deleted parts from the lists that stay.
 */
class Pdb_TreeEdit::SubtreeDeletion : public Pdb_TreeVisitor {
public:
  SubtreeDeletion(Pdb_TreeEdit &edit, const Pdb_Group *group,
                  const Pdb_AddressSet &nodes, const Pdb_AddressSet &parts)
      : edit(edit), group(group), nodes(nodes), parts(parts) {}

  void between(Pdb_CategoryNode *node, int depth) {
    if (lastKept.size() <= static_cast<std::size_t>(depth)) {
      lastKept.resize(static_cast<std::size_t>(depth) + 1, nullptr);
    }
    Pdb_CategoryTree *tree = edit.holder;
    if (!goes(node)) {
      if (!node->isReference()) {
        tree->entries -= edit.removeFromList(node, parts);
      }
      lastKept[static_cast<std::size_t>(depth)] = node;
      return;
    }
    Pdb_CategoryNode *parent = node->parentNode();
    if (node->isReference()) {
      tree->references--;
    } else {
      tree->entries -= node->body()->partList()->count;
      if (parent != nullptr) {
        tree->categories--;
      }
    }
    if (parent == nullptr) {
      edit.setRoot(nullptr);
    } else if (parent->child() == node) {
      edit.unlinkChild(parent, parent, node);
    } else {
      /* The last sibling before node that stayed at this depth. */
      edit.unlinkChild(parent, lastKept[static_cast<std::size_t>(depth)], node);
    }
    edit.destroyNode(node);
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
    std::vector<Pdb_Located> targets = group->locateAll(node->refPath());
    return targets.empty() ||
           (targets.size() == 1 && nodes.contains(targets[0].node));
  }

  Pdb_TreeEdit &edit;
  const Pdb_Group *group;
  const Pdb_AddressSet &nodes;
  const Pdb_AddressSet &parts;
  std::vector<Pdb_CategoryNode *> lastKept;
};

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::deleteSubtree --
 *
 *	Collects node's subtree and the parts homed in it, walks the whole
 *	tree in post-order to delete the collected nodes and the category
 *	references that would lead nowhere (or only into the deleted
 *	subtree), stripping the lists that stay of entries of those parts,
 *	and then deletes the parts as removeParts does, which also takes
 *	every reference to them out of the other databases of the group.
 *
 * Side effects:
 *	Counters adjusted; deleting the root leaves the tree empty, and the
 *	next ensurePath makes a new root. May throw std::bad_alloc while it
 *	builds its sets; the tree stays consistent (every unlink is whole).
 *
 * Results:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TreeEdit::deleteSubtree(Pdb_Group *group, Pdb_CategoryNode *node,
                                 Tcl_HashTable *partsTable) {
  Pdb_AddressSet nodes;
  Pdb_AddressSet parts;
  if (node != nullptr) {
    node->collectSubtree(nodes, parts);
  }
  std::vector<void *> doomed = parts.sortedMembers();
  SubtreeDeletion deletion(*this, group, nodes, parts);
  Pdb_WalkTree(holder->rootNode(), Pdb_WalkScope::WITH_SIBLINGS,
               Pdb_WalkOrder::CHILDREN_FIRST, deletion);
  if (!doomed.empty()) {
    forgetParts(group, parts, doomed, partsTable);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::removeParts --
 *
 *	Deletes the part records in parts, which belong to this tree's
 *	database: every entry that resolves to one of them leaves every list
 *	of every editable database of group (this one included), the records
 *	leave the group's hidden lists and partsTable, and they are freed.
 *	The one path by which part records die before their database.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	As described. Building the sets may throw std::bad_alloc before
 *	anything changed.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TreeEdit::removeParts(Pdb_Group *group, const Pdb_AddressSet &parts,
                               Tcl_HashTable *partsTable) {
  std::vector<void *> doomed = parts.sortedMembers();
  removePartsEverywhere(parts);
  forgetParts(group, parts, doomed, partsTable);
}

/*
 * removeParts once this tree's own lists are clean of the parts; doomed
 * holds them in address order (made before anything changed, since
 * making it may throw). Each record freed in that order joins the free
 * block just before it, so the allocator's tree of free blocks stays
 * small. Allocates nothing.
 */
void Pdb_TreeEdit::forgetParts(Pdb_Group *group, const Pdb_AddressSet &parts,
                               const std::vector<void *> &doomed,
                               Tcl_HashTable *partsTable) {
  if (group != nullptr) {
    group->forEachDatabase([&](Pdb_Database *db) {
      Pdb_TreeEdit *other = db->treeEdit();
      if (other != nullptr && other != this) {
        other->removePartsEverywhere(parts);
      }
    });
  }
  bool hidden = group != nullptr && group->hidden.hiddenPartCount() > 0;
  for (void *address : doomed) {
    auto *part = static_cast<Pdb_Part *>(address);
    if (hidden) {
      group->hidden.forgetPart(part);
    }
    if (partsTable != nullptr) {
      Tcl_HashEntry *entry = Tcl_FindHashEntry(partsTable, part->name());
      if (entry != nullptr && Tcl_GetHashValue(entry) == part) {
        Tcl_DeleteHashEntry(entry);
      }
    }
    Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(part));
  }
}
