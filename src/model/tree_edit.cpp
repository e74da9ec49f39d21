/*
 * tree_edit.cpp --
 *
 *	The editor of a heap category tree: the link writes, the lifetime of
 *	the tree, part entries and the lookups that use the side indexes.
 */

#include "model/tree_edit.h"

#include <cstring>

#include "model/window.h"

template <typename T> static T *AllocateZeroed();

/* A zero-filled structure in the window, or nullptr. */
template <typename T> static T *AllocateZeroed() {
  void *block = Pdb_WindowAlloc(sizeof(T));
  if (block != nullptr) {
    std::memset(block, 0, sizeof(T));
  }
  return static_cast<T *>(block);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::Pdb_TreeEdit --
 *
 *	Makes the editor of a new tree holding only the root "/".
 *
 * Results:
 *	None; tree() is nullptr when there was no memory for the tree.
 *
 * Side effects:
 *	Allocates the holder and the root in the address window.
 *
 *----------------------------------------------------------------------
 */

Pdb_TreeEdit::Pdb_TreeEdit() : holder(AllocateZeroed<Pdb_CategoryTree>()) {
  if (holder == nullptr) {
    return;
  }
  Pdb_CategoryNode *root = createCategoryNode("/", "");
  if (root == nullptr) {
    Pdb_WindowFree(holder);
    holder = nullptr;
    return;
  }
  setRoot(root);
}

Pdb_TreeEdit::~Pdb_TreeEdit() { destroyTree(); }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::destroyTree --
 *
 *	Frees the whole tree in post-order, climbing back up by the parent
 *	links: a node is freed once it has no children left, and its next
 *	sibling then becomes its parent's first child. No stack and no set is
 *	needed, so teardown cannot run out of memory.
 *
 *	Part records are not touched: the caller frees them afterwards, since
 *	entries are looked at while the lists go.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees every node, body, string, list and part reference and the
 *	holder; tree() is nullptr afterwards. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TreeEdit::destroyTree() {
  if (holder == nullptr) {
    return;
  }
  Pdb_CategoryNode *node = holder->rootNode();
  while (node != nullptr) {
    if (Pdb_CategoryNode *first = node->child()) {
      node = first;
      continue;
    }
    Pdb_CategoryNode *parent = node->parentNode();
    Pdb_CategoryNode *next = node->sibling();
    if (parent != nullptr) {
      parent->firstChild.set(parent, next);
    }
    destroyNode(node);
    node = next != nullptr ? next : parent;
  }
  Pdb_WindowFree(holder);
  holder = nullptr;
}

/* A category body with copies of name and help and an empty list. */
Pdb_Category *Pdb_TreeEdit::createBody(const char *name, const char *help) {
  auto *body = AllocateZeroed<Pdb_Category>();
  char *nameCopy = Pdb_WindowStrdup(name);
  char *helpCopy = Pdb_WindowStrdup(help);
  Pdb_PartList *list = Pdb_PartList::create(16);
  if (body == nullptr || nameCopy == nullptr || helpCopy == nullptr ||
      list == nullptr) {
    Pdb_WindowFree(body);
    Pdb_WindowFree(nameCopy);
    Pdb_WindowFree(helpCopy);
    Pdb_PartList::destroy(list);
    return nullptr;
  }
  body->name.set(body, nameCopy);
  body->help.set(body, helpCopy);
  body->parts.set(body, list);
  return body;
}

/* A zero-filled node in the window, or nullptr. */
Pdb_CategoryNode *Pdb_TreeEdit::allocateNode() {
  return AllocateZeroed<Pdb_CategoryNode>();
}

/*
 * A node of a new real category named name with help text help, linked
 * nowhere yet, or nullptr (nothing made) when out of memory.
 */
Pdb_CategoryNode *Pdb_TreeEdit::createCategoryNode(const char *name,
                                                   const char *help) {
  /* The node first: a body that could not be linked would leak its parts. */
  Pdb_CategoryNode *node = allocateNode();
  Pdb_Category *body = node != nullptr ? createBody(name, help) : nullptr;
  if (body == nullptr) {
    Pdb_WindowFree(node);
    return nullptr;
  }
  node->category.set(node, body);
  return node;
}

void Pdb_TreeEdit::setRoot(Pdb_CategoryNode *node) {
  holder->root.set(holder, node);
}

/*
 * Links child in at the end of parent's children chain and points its
 * parent link at parent. Allocation failures of the index only cost
 * speed: it never throws.
 */
void Pdb_TreeEdit::appendChild(Pdb_CategoryNode *parent,
                               Pdb_CategoryNode *child) {
  Pdb_CategoryNode *last = children.lastChild(parent);
  child->parent.set(child, parent);
  child->nextSibling.set(child, nullptr);
  if (last == nullptr) {
    parent->firstChild.set(parent, child);
  } else {
    last->nextSibling.set(last, child);
  }
  children.noteAppend(parent, child);
}

/* Takes child out of parent's chain; predecessor is the node that links
 * to it (parent itself for a first child). */
void Pdb_TreeEdit::unlinkChild(Pdb_CategoryNode *parent,
                               Pdb_CategoryNode *predecessor,
                               Pdb_CategoryNode *child) {
  Pdb_CategoryNode *next = child->sibling();
  if (predecessor == parent) {
    parent->firstChild.set(parent, next);
  } else {
    predecessor->nextSibling.set(predecessor, next);
  }
  children.noteUnlink(parent, child, predecessor);
}

/*
 * Frees a reference's path, or a category's part references, name,
 * help and list, then the node itself. Children are not followed.
 */
void Pdb_TreeEdit::destroyNode(Pdb_CategoryNode *node) {
  children.forget(node);
  if (node->isReference()) {
    Pdb_WindowFree(const_cast<char *>(node->refPath()));
  } else if (Pdb_Category *body = node->body()) {
    if (Pdb_PartList *list = body->partList()) {
      entries.forget(list);
      for (int i = 0; i < list->count; i++) {
        Pdb_PartEntry *entry = list->entry(i);
        if (entry != nullptr && entry->kind == PDB_ENTRY_REFERENCE) {
          Pdb_DestroyEntry(entry);
        }
      }
      Pdb_PartList::destroy(list);
    }
    Pdb_WindowFree(const_cast<char *>(body->nameText()));
    Pdb_WindowFree(const_cast<char *>(body->helpText()));
    Pdb_WindowFree(body);
  }
  Pdb_WindowFree(node);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::addEntry --
 *
 *	Appends entry to node's list and counts it; the list's name index, if
 *	any, learns it.
 *
 * Results:
 *	True; false when the list cannot grow (nothing changed).
 *
 * Side effects:
 *	May move the list's slot array.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_TreeEdit::addEntry(Pdb_CategoryNode *node, Pdb_PartEntry *entry) {
  Pdb_PartList *list = node->body()->partList();
  if (!list->append(entry)) {
    return false;
  }
  entries.noteAppend(list, entry);
  holder->entries++;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::removeEntry --
 *
 *	Removes the entry that is or resolves to entry from node's list (a
 *	part reference is freed) and counts it.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Drops the list's name index. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TreeEdit::removeEntry(Pdb_CategoryNode *node, const void *entry) {
  Pdb_PartList *list = node->body()->partList();
  if (list->remove(entry)) {
    entries.forget(list);
    holder->entries--;
  }
}

int Pdb_TreeEdit::removeFromList(Pdb_CategoryNode *node,
                                 const Pdb_AddressSet &parts) {
  Pdb_PartList *list = node->body()->partList();
  int removed = list->removeAllIn(parts);
  if (removed > 0) {
    entries.forget(list);
  }
  return removed;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::removePartsEverywhere --
 *
 *	Removes from every list of the tree every entry whose resolved part is
 *	in parts (references freed) and counts them.
 *
 * Results:
 *	How many entries went.
 *
 * Side effects:
 *	Drops the name indexes of the lists that changed. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

int Pdb_TreeEdit::removePartsEverywhere(const Pdb_AddressSet &parts) {
  return removePartsWhere(
      [&](const Pdb_Part *part) { return parts.contains(part); });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::findChild --
 *
 *	Finds the first real child of parent named name, through the child
 *	name index when parent has one, else by a scan of its chain.
 *
 * Results:
 *	The child, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_TreeEdit::findChild(const Pdb_CategoryNode *parent,
                                          const char *name) const {
  if (const auto *indexed = children.candidates(parent, name)) {
    for (Pdb_CategoryNode *c : *indexed) {
      if (!c->isReference()) {
        return c;
      }
    }
    return nullptr;
  }
  for (Pdb_CategoryNode *c = parent->child(); c != nullptr; c = c->sibling()) {
    if (!c->isReference() && std::strcmp(c->body()->nameText(), name) == 0) {
      return c;
    }
  }
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::findEntry --
 *
 *	Finds the entry of node's list named name (not resolved), through the
 *	list's name index when it is long enough.
 *
 * Results:
 *	The entry, or nullptr.
 *
 * Side effects:
 *	May build the index; may throw std::bad_alloc while building it.
 *
 *----------------------------------------------------------------------
 */

Pdb_PartEntry *Pdb_TreeEdit::findEntry(const Pdb_CategoryNode *node,
                                       const char *name) const {
  return entries.find(node->body()->partList(), name);
}
