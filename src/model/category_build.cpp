/*
 * category_build.cpp --
 *
 *	Growing a heap category tree: new categories, paths made on demand
 *	with their help texts checked, and category references.
 */

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "model/child_index.h"
#include "model/group.h"
#include "model/tree_edit.h"
#include "model/window.h"

static const char MSG_CANNOT_CREATE[] = "could not create category child of: ";
static const char MSG_HELP_MISMATCH[] = "category help context mismatch for ";

static const char *FindRecordedHelp(Pdb_Group *group, const char *path,
                                    const Pdb_CategoryNode *node);
static bool HasReferenceNamed(const Pdb_ChildIndex &index,
                              const Pdb_CategoryNode *parent,
                              std::string_view name);

/* The help a path is checked against: the group's, else node's own. */
static const char *FindRecordedHelp(Pdb_Group *group, const char *path,
                                    const Pdb_CategoryNode *node) {
  if (group != nullptr) {
    if (Pdb_CategoryNode *found =
            group->lookupPathInGroup(PDB_REFS_GROUP, path)) {
      return group->helpOfFound(found);
    }
  }
  return node->isReference() ? "" : node->body()->helpText();
}

/* True when parent has a category reference child named name. */
static bool HasReferenceNamed(const Pdb_ChildIndex &index,
                              const Pdb_CategoryNode *parent,
                              std::string_view name) {
  if (const auto *indexed = index.candidates(parent, name)) {
    for (const Pdb_CategoryNode *c : *indexed) {
      if (c->isReference()) {
        return true;
      }
    }
    return false;
  }
  for (const Pdb_CategoryNode *c = parent->child(); c != nullptr;
       c = c->sibling()) {
    if (c->isReference() && Pdb_GetComponentName(c) == name) {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::createChild --
 *
 *	Appends a new real category named name with help text help at the
 *	end of parent's children and counts it.
 *
 * Results:
 *	The new node, or nullptr (nothing changed) when out of memory.
 *
 * Side effects:
 *	The child name index of parent learns the new child.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_TreeEdit::createChild(Pdb_CategoryNode *parent,
                                            const char *name,
                                            const char *help) {
  Pdb_CategoryNode *node = createCategoryNode(name, help);
  if (node == nullptr) {
    return nullptr;
  }
  appendChild(parent, node);
  holder->categories++;
  return node;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::ensurePath --
 *
 *	Walks path from the root component by component, creating missing
 *	categories (intermediate ones with an empty help text, the last with
 *	help); a tree whose root was deleted gets a new root first. A
 *	non-empty help must agree with the help recorded for the path.
 *
 * Results:
 *	The last node (the root for "/"), or nullptr with a message
 *	appended to the interpreter result.
 *
 * Side effects:
 *	Categories created before a failure stay in the tree.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_TreeEdit::ensurePath(Tcl_Interp *interp, Pdb_Group *group,
                                           const char *path, const char *help) {
  std::string scratch(path);
  Pdb_CategoryNode *node = holder->rootNode();
  if (node == nullptr) {
    node = createCategoryNode("/", "");
    if (node == nullptr) {
      Tcl_AppendResult(interp, MSG_CANNOT_CREATE, path, (char *)nullptr);
      return nullptr;
    }
    setRoot(node);
  }
  std::size_t start = 1;
  for (std::size_t i = 1; i < scratch.size(); i++) {
    if (scratch[i] != '/') {
      continue;
    }
    bool last = i + 1 == scratch.size();
    scratch[i] = '\0';
    const char *component = scratch.c_str() + start;
    Pdb_CategoryNode *child = findChild(node, component);
    if (child == nullptr) {
      child = createChild(node, component, last ? help : "");
    }
    scratch[i] = '/';
    if (child == nullptr) {
      Tcl_AppendResult(interp, MSG_CANNOT_CREATE, path, (char *)nullptr);
      return nullptr;
    }
    if (last) {
      const char *recorded = FindRecordedHelp(group, path, child);
      if (help[0] != '\0' && std::strcmp(help, recorded) != 0) {
        Tcl_AppendResult(interp, MSG_HELP_MISMATCH, path, ": ", help,
                         " should be ", recorded, ".", (char *)nullptr);
        return nullptr;
      }
    }
    node = child;
    start = i + 1;
  }
  return node;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::referenceOnPath --
 *
 *	Walks path from the root along real categories as ensurePath would,
 *	and stops at the first component that has no real child; when a
 *	category reference of that name stands there, ensurePath would make
 *	a real category beside it.
 *
 * Results:
 *	The length of path up to and including that component's "/", or 0.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_TreeEdit::referenceOnPath(const char *path) const {
  std::string scratch(path);
  const Pdb_CategoryNode *node = holder->rootNode();
  std::size_t start = 1;
  for (std::size_t i = 1; node != nullptr && i < scratch.size(); i++) {
    if (scratch[i] != '/') {
      continue;
    }
    scratch[i] = '\0';
    const char *component = scratch.c_str() + start;
    const Pdb_CategoryNode *child = findChild(node, component);
    if (child == nullptr) {
      return HasReferenceNamed(children, node, component) ? i + 1 : 0;
    }
    node = child;
    start = i + 1;
  }
  return 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TreeEdit::createReference --
 *
 *	Appends under parent a category reference that stores a copy of
 *	target's path (for a reference, the path it stores, so references
 *	never chain) and counts it.
 *
 * Results:
 *	False (nothing changed) when out of memory.
 *
 * Side effects:
 *	The child name index of parent learns the new reference.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_TreeEdit::createReference(Pdb_CategoryNode *parent,
                                   const Pdb_CategoryNode *target) {
  Pdb_CategoryNode *node = allocateNode();
  char *targetPath = target->nodePath();
  char *copy = targetPath != nullptr ? Pdb_WindowStrdup(targetPath) : nullptr;
  std::free(targetPath);
  if (node == nullptr || copy == nullptr) {
    Pdb_WindowFree(node);
    Pdb_WindowFree(copy);
    return false;
  }
  node->referencePath.set(node, copy);
  appendChild(parent, node);
  holder->references++;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsCategoryPath --
 *
 *	Tells whether path has the form of a category path: it begins and
 *	ends with "/" and holds no "//".
 *
 * Results:
 *	True when it has.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsCategoryPath(const char *path) {
  std::size_t length = std::strlen(path);
  return length >= 1 && path[0] == '/' && path[length - 1] == '/' &&
         std::strstr(path, "//") == nullptr;
}
