/*
 * category_tree.cpp --
 *
 *	Building and dismantling category trees: the holder, real categories,
 *	category references and part entries, with the tree's counters.
 */

#include "model/category_tree.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "model/child_index.h"
#include "model/window.h"

namespace {

template <typename T> T *allocateZeroed() {
  void *block = Pdb_WindowAlloc(sizeof(T));
  if (block != nullptr) {
    std::memset(block, 0, sizeof(T));
  }
  return static_cast<T *>(block);
}

/* A category body with copies of name and help and an empty list. */
Pdb_Category *createCategory(const char *name, const char *help) {
  auto *body = allocateZeroed<Pdb_Category>();
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

/* A root node with the root category "/", or nullptr. */
Pdb_CategoryNode *createRoot() {
  auto *root = allocateZeroed<Pdb_CategoryNode>();
  Pdb_Category *body = createCategory("/", "");
  if (root == nullptr || body == nullptr) {
    Pdb_WindowFree(root);
    Pdb_WindowFree(body);
    return nullptr;
  }
  root->category.set(root, body);
  return root;
}

/* The help a path is checked against: the group's, else node's own. */
const char *recordedHelp(Pdb_Group *group, const char *path,
                         const Pdb_CategoryNode *node) {
  if (group != nullptr) {
    if (Pdb_CategoryNode *found =
            lookupPathInGroup(group, PDB_REFS_GROUP, path)) {
      return Pdb_HelpOfFound(group, found);
    }
  }
  return node->isReference() ? "" : node->body()->helpText();
}

} // namespace

Pdb_CategoryTree *Pdb_CategoryTree::create() {
  auto *tree = allocateZeroed<Pdb_CategoryTree>();
  if (tree == nullptr) {
    return nullptr;
  }
  Pdb_CategoryNode *root = createRoot();
  if (root == nullptr) {
    Pdb_WindowFree(tree);
    return nullptr;
  }
  tree->root.set(tree, root);
  return tree;
}

void Pdb_CategoryTree::destroy(Pdb_CategoryTree *tree) {
  if (tree == nullptr) {
    return;
  }
  Pdb_CategoryNode *root = tree->rootNode();
  if (root != nullptr) {
    Pdb_DestroyNode(root);
    Pdb_WindowFree(root);
  }
  Pdb_WindowFree(tree);
}

/*
 * Pdb_DestroyNode --
 *
 *	Frees a reference's path, or a category's part references, name,
 *	help and list, and nulls the node's links. Children are not followed.
 */
void Pdb_DestroyNode(Pdb_CategoryNode *node) {
  Pdb_ChildIndexForget(node);
  if (node->isReference()) {
    Pdb_WindowFree(const_cast<char *>(node->refPath()));
  } else if (Pdb_Category *body = node->body()) {
    Pdb_PartList *list = body->partList();
    if (list != nullptr) {
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
  std::memset(node, 0, sizeof *node);
}

Pdb_CategoryNode *Pdb_CategoryTree::createChild(Pdb_CategoryNode *parent,
                                                const char *name,
                                                const char *help) {
  auto *node = allocateZeroed<Pdb_CategoryNode>();
  Pdb_Category *body = createCategory(name, help);
  if (node == nullptr || body == nullptr) {
    Pdb_WindowFree(node);
    Pdb_WindowFree(body);
    return nullptr;
  }
  node->category.set(node, body);
  node->parent.set(node, parent);
  Pdb_ChildIndexAppend(parent, node);
  categoryCount++;
  return node;
}

/*
 * Pdb_CategoryTree::ensurePath --
 *
 *	Walks path from the root component by component, creating missing
 *	categories (intermediate ones with an empty help text, the last with
 *	help). A non-empty help must agree with the help recorded for the
 *	path. Returns the last node, or nullptr with a message appended.
 */
Pdb_CategoryNode *Pdb_CategoryTree::ensurePath(Tcl_Interp *interp,
                                               Pdb_Group *group,
                                               const char *path,
                                               const char *help) {
  std::string scratch(path);
  Pdb_CategoryNode *node = rootNode();
  if (node == nullptr) {
    node = createRoot();
    if (node == nullptr) {
      Tcl_AppendResult(interp, "could not create category child of: ", path,
                       nullptr);
      return nullptr;
    }
    root.set(this, node);
  }
  std::size_t start = 1;
  for (std::size_t i = 1; i < scratch.size(); i++) {
    if (scratch[i] != '/') {
      continue;
    }
    bool last = i + 1 == scratch.size();
    scratch[i] = '\0';
    const char *component = scratch.c_str() + start;
    Pdb_CategoryNode *child = node->findChild(component);
    if (child == nullptr) {
      child = createChild(node, component, last ? help : "");
    }
    scratch[i] = '/';
    if (child == nullptr) {
      Tcl_AppendResult(interp, "could not create category child of: ", path,
                       nullptr);
      return nullptr;
    }
    if (last) {
      const char *recorded = recordedHelp(group, path, child);
      if (help[0] != '\0' && std::strcmp(help, recorded) != 0) {
        Tcl_AppendResult(interp, "category help context mismatch for ", path,
                         ": ", help, " should be ", recorded, ".", nullptr);
        return nullptr;
      }
    }
    node = child;
    start = i + 1;
  }
  return node;
}

bool Pdb_CategoryTree::createReference(Pdb_CategoryNode *parent,
                                       const Pdb_CategoryNode *target) {
  auto *node = allocateZeroed<Pdb_CategoryNode>();
  char *targetPath = target->nodePath();
  char *copy = targetPath != nullptr ? Pdb_WindowStrdup(targetPath) : nullptr;
  std::free(targetPath);
  if (node == nullptr || copy == nullptr) {
    Pdb_WindowFree(node);
    Pdb_WindowFree(copy);
    return false;
  }
  node->parent.set(node, parent);
  node->referencePath.set(node, copy);
  addChildNode(parent, node);
  return true;
}

void Pdb_CategoryTree::addChildNode(Pdb_CategoryNode *parent,
                                    Pdb_CategoryNode *node) {
  referenceCount++;
  Pdb_ChildIndexAppend(parent, node);
}

bool Pdb_CategoryTree::addEntry(Pdb_CategoryNode *node, Pdb_PartEntry *entry) {
  if (!node->body()->partList()->append(entry)) {
    return false;
  }
  entryCount++;
  return true;
}

void Pdb_CategoryTree::removeEntry(Pdb_CategoryNode *node, const void *entry) {
  if (node->body()->partList()->remove(entry)) {
    entryCount--;
  }
}

bool Pdb_IsCategoryPath(const char *path) {
  std::size_t length = std::strlen(path);
  return length >= 1 && path[0] == '/' && path[length - 1] == '/' &&
         std::strstr(path, "//") == nullptr;
}
