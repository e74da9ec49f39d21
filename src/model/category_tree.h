/*
 * category_tree.h --
 *
 *	The category tree of one database: the tree holder, its nodes (real
 *	categories and category references) and category bodies, with the
 *	operations that build, search and shrink it. The same code serves a
 *	tree built in heap memory and one that lies in a mapped image.
 */

#ifndef TOVPART_MODEL_CATEGORY_TREE_H
#define TOVPART_MODEL_CATEGORY_TREE_H

#include <cstddef>
#include <cstdint>
#include <tcl.h>
#include <type_traits>

#include "model/address_set.h"
#include "model/part_list.h"
#include "model/relptr.h"

class Pdb_Group;

/* How lookups treat category references. */
enum {
  PDB_REFS_IGNORE = 0, /* find nothing through references */
  PDB_REFS_SAME_TREE = 1,
  PDB_REFS_GROUP = 2
};

struct Pdb_Category {
  Pdb_RelPtr name;  /* path component without slashes; "/" for the root */
  Pdb_RelPtr help;  /* help text, possibly empty */
  Pdb_RelPtr parts; /* the Pdb_PartList */

  const char *nameText() const { return name.get<const char>(this); }
  const char *helpText() const { return help.get<const char>(this); }
  Pdb_PartList *partList() const { return parts.get<Pdb_PartList>(this); }
};

static_assert(std::is_standard_layout_v<Pdb_Category>);
static_assert(sizeof(Pdb_Category) == 12);
static_assert(offsetof(Pdb_Category, help) == 4);
static_assert(offsetof(Pdb_Category, parts) == 8);

struct Pdb_CategoryNode {
  Pdb_RelPtr category; /* null for a category reference */
  Pdb_RelPtr parent;   /* null for the root */
  Pdb_RelPtr firstChild;
  Pdb_RelPtr nextSibling;
  Pdb_RelPtr referencePath; /* the designated path; null for a category */

  Pdb_Category *body() const { return category.get<Pdb_Category>(this); }
  Pdb_CategoryNode *parentNode() const {
    return parent.get<Pdb_CategoryNode>(this);
  }
  Pdb_CategoryNode *child() const {
    return firstChild.get<Pdb_CategoryNode>(this);
  }
  Pdb_CategoryNode *sibling() const {
    return nextSibling.get<Pdb_CategoryNode>(this);
  }
  const char *refPath() const { return referencePath.get<const char>(this); }
  bool isReference() const { return !referencePath.isNull(this); }

  /* The first real child named name; references are skipped. */
  Pdb_CategoryNode *findChild(const char *name) const;

  /* True when some child is a reference to exactly path. */
  bool hasReferenceChild(const char *path) const;

  /* The full path (or a reference's path), malloc'ed; caller frees. */
  char *nodePath() const;

  /* The component lookup matches: "/", "/name/" or a reference's last. */
  void nodeComponent(Tcl_DString *component) const;

  /*
   * The first real category, in depth-first order from this node (the
   * node, its children, then its following siblings), whose list holds
   * exactly entry.
   */
  Pdb_CategoryNode *homeOf(const Pdb_PartEntry *entry);
};

static_assert(std::is_standard_layout_v<Pdb_CategoryNode>);
static_assert(sizeof(Pdb_CategoryNode) == 20);
static_assert(offsetof(Pdb_CategoryNode, parent) == 4);
static_assert(offsetof(Pdb_CategoryNode, firstChild) == 8);
static_assert(offsetof(Pdb_CategoryNode, nextSibling) == 12);
static_assert(offsetof(Pdb_CategoryNode, referencePath) == 16);

struct Pdb_CategoryTree {
  Pdb_RelPtr root;
  int32_t entryCount;     /* part entries in all lists */
  int32_t categoryCount;  /* real categories below the root */
  int32_t referenceCount; /* category references */

  /* A heap tree holding only the root "/"; nullptr when out of memory. */
  static Pdb_CategoryTree *create();

  /* Destroys the root node (not its children) and frees the holder. */
  static void destroy(Pdb_CategoryTree *tree);

  Pdb_CategoryNode *rootNode() const {
    return root.get<Pdb_CategoryNode>(this);
  }

  /* Appends a new real category under parent; nullptr when out of memory. */
  Pdb_CategoryNode *createChild(Pdb_CategoryNode *parent, const char *name,
                                const char *help);

  /*
   * The node of path, creating the missing categories on the way; nullptr
   * with a message appended to the interpreter result on failure.
   */
  Pdb_CategoryNode *ensurePath(Tcl_Interp *interp, Pdb_Group *group,
                               const char *path, const char *help);

  /* Appends a reference to target's path under parent; false when full. */
  bool createReference(Pdb_CategoryNode *parent,
                       const Pdb_CategoryNode *target);

  /* Appends node to parent's children and counts it as a reference. */
  void addChildNode(Pdb_CategoryNode *parent, Pdb_CategoryNode *node);

  /* Appends entry to node's list; false when the list cannot grow. */
  bool addEntry(Pdb_CategoryNode *node, Pdb_PartEntry *entry);

  /* The node of path in this tree, following references as mode says. */
  Pdb_CategoryNode *lookupPath(Pdb_Group *group, int mode,
                               const char *path) const;

  /* Removes entry (or the entry resolving to it) from node's list. */
  void removeEntry(Pdb_CategoryNode *node, const void *entry);

  /*
   * Removes every entry whose part is in parts from the lists of node,
   * its descendants and its following siblings; returns how many went.
   */
  int removePartsEverywhere(Pdb_CategoryNode *node,
                            const Pdb_AddressSet &parts);
};

static_assert(std::is_standard_layout_v<Pdb_CategoryTree>);
static_assert(sizeof(Pdb_CategoryTree) == 16);
static_assert(offsetof(Pdb_CategoryTree, entryCount) == 4);
static_assert(offsetof(Pdb_CategoryTree, categoryCount) == 8);
static_assert(offsetof(Pdb_CategoryTree, referenceCount) == 12);

/* Destroys a node's own data (body or reference path); not its children. */
void Pdb_DestroyNode(Pdb_CategoryNode *node);

/* The first node lookupPath finds in the group's trees, in table order. */
Pdb_CategoryNode *lookupPathInGroup(Pdb_Group *group, int mode,
                                    const char *path);

/* The help text the group records for path; "" when none holds it. */
const char *categoryHelp(Pdb_Group *group, const char *path);

/* categoryHelp of a node lookupPathInGroup found (nullptr gives ""). */
const char *Pdb_HelpOfFound(Pdb_Group *group, const Pdb_CategoryNode *node);

/* True when placing a reference to targetPath under node makes a cycle. */
bool isCircularReference(Pdb_Group *group, Pdb_CategoryNode *node,
                         const char *targetPath);

/* True when x can be reached from n, through references too. */
bool reachesCategory(Pdb_Group *group, const Pdb_CategoryNode *x,
                     const Pdb_CategoryNode *n);

/*
 * Adds node and everything below it (not its siblings) to nodes, and the
 * part records homed in those categories to parts.
 */
void collectSubtree(Pdb_CategoryNode *node, Pdb_AddressSet &nodes,
                    Pdb_AddressSet &parts);

/* True when path begins and ends with "/" and holds no "//". */
bool Pdb_IsCategoryPath(const char *path);

#endif /* TOVPART_MODEL_CATEGORY_TREE_H */
