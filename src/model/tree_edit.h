/*
 * tree_edit.h --
 *
 *	The editor of one heap category tree: the one place where the links
 *	of its nodes, its category bodies and its holder are written, where
 *	its counters are kept and where its side indexes (last children,
 *	children by name, long lists by part name) are kept current. An
 *	ASCII database owns one; the tree of a mapped image has none and is
 *	never changed.
 */

#ifndef TOVPART_MODEL_TREE_EDIT_H
#define TOVPART_MODEL_TREE_EDIT_H

#include <cstddef>
#include <tcl.h>
#include <vector>

#include "model/address_set.h"
#include "model/category_tree.h"
#include "model/child_index.h"
#include "model/entry_index.h"
#include "model/tree_walk.h"

class Pdb_Group;

class Pdb_TreeEdit {
public:
  /* A tree holding only the root "/"; tree() is nullptr when there was
   * no memory for it. */
  Pdb_TreeEdit();

  /* destroyTree(). */
  ~Pdb_TreeEdit();

  /* Frees every node, body, string, list and part reference of the tree
   * and the holder, leaving no tree; part records are not touched (the
   * caller frees them afterwards: entries are looked at while the lists
   * go). Allocates nothing. */
  void destroyTree();

  Pdb_TreeEdit(const Pdb_TreeEdit &) = delete;
  Pdb_TreeEdit &operator=(const Pdb_TreeEdit &) = delete;

  Pdb_CategoryTree *tree() const { return holder; }
  const Pdb_ChildIndex &childIndex() const { return children; }
  const Pdb_EntryIndex &entryIndex() const { return entries; }

  /*
   * Building. Each returns nullptr or false when memory ran out, leaving
   * the tree as it was (categories made on the way by ensurePath stay).
   */

  /* Appends a new real category under parent. */
  Pdb_CategoryNode *createChild(Pdb_CategoryNode *parent, const char *name,
                                const char *help);

  /*
   * The node of path, creating the missing categories (the intermediate
   * ones with an empty help text, the last with help). A non-empty help
   * must agree with the help the group records for the path. nullptr
   * with a message appended to the interpreter result on failure.
   */
  Pdb_CategoryNode *ensurePath(Tcl_Interp *interp, Pdb_Group *group,
                               const char *path, const char *help);

  /*
   * The length of the leading part of path that names a category
   * reference standing where ensurePath(path) would create a real
   * category: a parent without a real child of the component's name but
   * with a reference of that name. 0 when ensurePath would pass none. A
   * category beside a reference of the same name could be saved but not
   * read back.
   */
  std::size_t referenceOnPath(const char *path) const;

  /* Appends a reference to target's path (a reference's own path for a
   * reference) under parent. */
  bool createReference(Pdb_CategoryNode *parent,
                       const Pdb_CategoryNode *target);

  /* Appends entry to node's list and counts it. */
  bool addEntry(Pdb_CategoryNode *node, Pdb_PartEntry *entry);

  /*
   * Lookups that use the indexes: the first real child named name, and
   * the entry of node's list named name (not resolved). May throw
   * std::bad_alloc while an index is built.
   */
  Pdb_CategoryNode *findChild(const Pdb_CategoryNode *parent,
                              const char *name) const;
  Pdb_PartEntry *findEntry(const Pdb_CategoryNode *node,
                           const char *name) const;

  /*
   * Removal. None of these allocates except deleteSubtree and
   * removeParts, which build sets.
   */

  /* Removes the entry that is or resolves to entry from node's list (a
   * part reference is freed) and counts it. */
  void removeEntry(Pdb_CategoryNode *node, const void *entry);

  /* Removes from every list of the tree every entry whose resolved part
   * is in parts (references freed); returns how many went. */
  int removePartsEverywhere(const Pdb_AddressSet &parts);

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_TreeEdit::removePartsWhere --
   *
   *	Removes from every list of the tree every entry whose resolved part
   *	test(part) accepts (references freed) and counts them, climbing by the
   *	parent links.
   *
   * Results:
   *	How many entries went.
   *
   * Side effects:
   *	Drops the name indexes of the lists that changed. Allocates nothing,
   *	so teardown paths can use it.
   *
   *----------------------------------------------------------------------
   */

  template <typename Test> int removePartsWhere(Test test) {
    if (holder == nullptr) {
      return 0;
    }
    int removed = 0;
    Pdb_WalkByParentLinks(holder->rootNode(), [&](Pdb_CategoryNode *node) {
      if (!node->isReference()) {
        Pdb_PartList *list = node->body()->partList();
        int gone = list->removeIf(test);
        if (gone > 0) {
          entries.forget(list);
          removed += gone;
        }
      }
    });
    holder->entries -= removed;
    return removed;
  }

  /*
   * Deletes node (nullptr: none) with its subtree, the parts homed there
   * (removed from partsTable and freed), every reference to them in
   * every database of group, and every category reference of the tree
   * that leads only into the deleted subtree or nowhere.
   */
  void deleteSubtree(Pdb_Group *group, Pdb_CategoryNode *node,
                     Tcl_HashTable *partsTable);

  /*
   * Deletes the part records in parts: every entry resolving to them
   * leaves every list of every ASCII database of group (this tree's
   * included), they leave the group's hidden lists and partsTable, and
   * they are freed.
   */
  void removeParts(Pdb_Group *group, const Pdb_AddressSet &parts,
                   Tcl_HashTable *partsTable);

private:
  /* The link writes. */
  void appendChild(Pdb_CategoryNode *parent, Pdb_CategoryNode *child);
  void unlinkChild(Pdb_CategoryNode *parent, Pdb_CategoryNode *predecessor,
                   Pdb_CategoryNode *child);
  void setRoot(Pdb_CategoryNode *node);
  static Pdb_Category *createBody(const char *name, const char *help);
  Pdb_CategoryNode *createCategoryNode(const char *name, const char *help);
  static Pdb_CategoryNode *allocateNode();

  /* Frees a node's own data (body or path) and the node; not children. */
  void destroyNode(Pdb_CategoryNode *node);
  int removeFromList(Pdb_CategoryNode *node, const Pdb_AddressSet &parts);
  void forgetParts(Pdb_Group *group, const Pdb_AddressSet &parts,
                   const std::vector<void *> &doomed,
                   Tcl_HashTable *partsTable);

  class SubtreeDeletion;

  Pdb_CategoryTree *holder;
  Pdb_ChildIndex children;
  Pdb_EntryIndex entries;
};

#endif /* TOVPART_MODEL_TREE_EDIT_H */
