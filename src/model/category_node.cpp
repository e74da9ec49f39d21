/*
 * category_node.cpp --
 *
 *	What a node of a category tree tells of itself and of what lies
 *	below it: its full path and the component lookup matches it by, its
 *	reference children, the home category of an entry, and the nodes and
 *	homed parts of its subtree.
 */

#include "model/category_tree.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "model/address_set.h"
#include "model/child_index.h"
#include "model/part_list.h"
#include "model/tree_walk.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CategoryNode::hasReferenceChild --
 *
 *	Tells whether some child of the node is a category reference to
 *	exactly path.
 *
 * Results:
 *	True when one is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_CategoryNode::hasReferenceChild(const char *path) const {
  for (Pdb_CategoryNode *c = child(); c != nullptr; c = c->sibling()) {
    if (c->isReference() && std::strcmp(c->refPath(), path) == 0) {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CategoryNode::nodePath --
 *
 *	Builds the path of the node: the reference path of a reference, else
 *	the full path, from right to left over the node's ancestors.
 *
 * Results:
 *	A malloc'ed string that the caller frees, or nullptr when out of
 *	memory.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

char *Pdb_CategoryNode::nodePath() const {
  if (isReference()) {
    const char *ref = refPath();
    char *copy = static_cast<char *>(std::malloc(std::strlen(ref) + 1));
    return copy != nullptr ? std::strcpy(copy, ref) : nullptr;
  }
  std::size_t length = 0;
  for (const Pdb_CategoryNode *n = this; n != nullptr; n = n->parentNode()) {
    length += std::strlen(n->body()->nameText()) + 1;
  }
  /* Each name takes its bytes and a "/"; the root's "/" leaves the NUL. */
  char *buffer =
      length == 0 ? nullptr : static_cast<char *>(std::malloc(length));
  if (buffer == nullptr) {
    return nullptr;
  }
  char *at = buffer + length - 1;
  *at = '\0';
  for (const Pdb_CategoryNode *n = this; n != nullptr; n = n->parentNode()) {
    const char *name = n->body()->nameText();
    std::size_t size = std::strlen(name);
    if (n->parentNode() != nullptr) {
      *--at = '/';
    }
    at -= size;
    std::memcpy(at, name, size);
  }
  return buffer;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CategoryNode::nodeComponent --
 *
 *	Gives the component that path lookup matches the node by: "/" for the
 *	root, "/name/" for a category, "/last/" (the last component of its
 *	path) for a reference.
 *
 * Results:
 *	The component in *component, which is initialised here and freed by
 *	the caller.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_CategoryNode::nodeComponent(Tcl_DString *component) const {
  Tcl_DStringInit(component);
  if (!isReference() && parentNode() == nullptr) {
    Tcl_DStringAppend(component, body()->nameText(), -1);
    return;
  }
  std::string_view name = Pdb_GetComponentName(this);
  Tcl_DStringAppend(component, "/", 1);
  Tcl_DStringAppend(component, name.data(), static_cast<int>(name.size()));
  Tcl_DStringAppend(component, "/", 1);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CategoryNode::homeOf --
 *
 *	Finds the first real category, in depth-first order from this node
 *	(the node, its children, then its following siblings), whose list
 *	holds exactly entry.
 *
 * Results:
 *	The category's node, or nullptr.
 *
 * Side effects:
 *	None; the walker's work list may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_CategoryNode::homeOf(const Pdb_PartEntry *entry) {
  Pdb_CategoryNode *home = nullptr;
  Pdb_WalkPreOrder(this, Pdb_WalkScope::WITH_SIBLINGS,
                   [&](Pdb_CategoryNode *node, int) {
                     if (!node->isReference() &&
                         node->body()->partList()->containsEntry(entry)) {
                       home = node;
                       return false;
                     }
                     return true;
                   });
  return home;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CategoryNode::collectSubtree --
 *
 *	Adds this node and everything below it (not its siblings) to nodes,
 *	and the part records homed in those categories to parts.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Grows both sets; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

void Pdb_CategoryNode::collectSubtree(Pdb_AddressSet &nodes,
                                      Pdb_AddressSet &parts) {
  Pdb_WalkPreOrder(this, Pdb_WalkScope::SUBTREE,
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
