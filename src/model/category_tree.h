/*
 * category_tree.h --
 *
 *	The stored structures of a category tree: the tree holder, its nodes
 *	(real categories and category references) and category bodies, with
 *	the read-only operations on them. The same code reads a tree built in
 *	heap memory and one that lies in a mapped image. Links are private:
 *	only the tree's editor (model/tree_edit.h) writes them in heap trees,
 *	and the image writer lays images out from plain offsets.
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

/* How lookups treat category references. */
enum {
  PDB_REFS_IGNORE = 0, /* find nothing through references */
  PDB_REFS_SAME_TREE = 1,
  PDB_REFS_GROUP = 2
};

/* The three links of a category, as stored offsets. */
struct Pdb_CategoryLinks {
  int32_t name, help, parts;
};

struct Pdb_Category {
public:
  const char *nameText() const { return name.get<const char>(this); }
  const char *helpText() const { return help.get<const char>(this); }
  Pdb_PartList *partList() const { return parts.get<Pdb_PartList>(this); }

  /* The stored offsets, for checks of an image. */
  Pdb_CategoryLinks storedLinks() const {
    return {name.offset, help.offset, parts.offset};
  }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_Category::fromLinks --
   *
   *	Builds a category image whose links hold the given offsets, for the
   *	image writer and the tests of image checks.
   *
   * Results:
   *	The image, by value.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  static Pdb_Category fromLinks(const Pdb_CategoryLinks &links) {
    Pdb_Category image;
    image.name.offset = links.name;
    image.help.offset = links.help;
    image.parts.offset = links.parts;
    return image;
  }

private:
  friend class Pdb_TreeEdit;
  friend struct Pdb_TreeLayoutChecks;

  Pdb_RelPtr name;  /* path component without slashes; "/" for the root */
  Pdb_RelPtr help;  /* help text, possibly empty */
  Pdb_RelPtr parts; /* the Pdb_PartList */
};

/* The five links of a node, as stored offsets. */
struct Pdb_NodeLinks {
  int32_t category, parent, firstChild, nextSibling, referencePath;
};

struct Pdb_CategoryNode {
public:
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

  /* The stored offsets, for checks of an image. */
  Pdb_NodeLinks storedLinks() const {
    return {category.offset, parent.offset, firstChild.offset,
            nextSibling.offset, referencePath.offset};
  }

  /* Where the parent link lies in a node (the image writer patches it). */
  static constexpr std::size_t parentLinkOffset = 4;

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_CategoryNode::fromLinks --
   *
   *	Builds a node image whose five links hold the given offsets, for the
   *	image writer and the tests of image checks.
   *
   * Results:
   *	The image, by value.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  static Pdb_CategoryNode fromLinks(const Pdb_NodeLinks &links) {
    Pdb_CategoryNode image;
    image.category.offset = links.category;
    image.parent.offset = links.parent;
    image.firstChild.offset = links.firstChild;
    image.nextSibling.offset = links.nextSibling;
    image.referencePath.offset = links.referencePath;
    return image;
  }

  /* True when some child is a category reference to exactly path. */
  bool hasReferenceChild(const char *path) const;

  /* The full path (or a reference's path), malloc'ed; caller frees.
   * nullptr when out of memory. */
  char *nodePath() const;

  /* The component lookup matches: "/", "/name/" or a reference's last. */
  void nodeComponent(Tcl_DString *component) const;

  /*
   * The first real category, in depth-first order from this node (the
   * node, its children, then its following siblings), whose list holds
   * exactly entry.
   */
  Pdb_CategoryNode *homeOf(const Pdb_PartEntry *entry);

  /*
   * Adds this node and everything below it (not its siblings) to nodes,
   * and the part records homed in those categories to parts.
   */
  void collectSubtree(Pdb_AddressSet &nodes, Pdb_AddressSet &parts);

private:
  friend class Pdb_TreeEdit;
  friend struct Pdb_TreeLayoutChecks;

  Pdb_RelPtr category; /* null for a category reference */
  Pdb_RelPtr parent;   /* null for the root */
  Pdb_RelPtr firstChild;
  Pdb_RelPtr nextSibling;
  Pdb_RelPtr referencePath; /* the designated path; null for a category */
};

struct Pdb_CategoryTree {
public:
  Pdb_CategoryNode *rootNode() const {
    return root.get<Pdb_CategoryNode>(this);
  }
  int32_t entryCount() const { return entries; }
  int32_t categoryCount() const { return categories; }
  int32_t referenceCount() const { return references; }

  /* The stored offset of the root, for checks of an image. */
  int32_t storedRoot() const { return root.offset; }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_CategoryTree::fromLinks --
   *
   *	Builds a tree holder image with the given root offset and counters,
   *	for the image writer and the tests of image checks.
   *
   * Results:
   *	The image, by value.
   *
   * Side effects:
   *	None.
   *
   *----------------------------------------------------------------------
   */

  static Pdb_CategoryTree fromLinks(int32_t rootOffset, int32_t entryCount,
                                    int32_t categoryCount,
                                    int32_t referenceCount) {
    Pdb_CategoryTree image;
    image.root.offset = rootOffset;
    image.entries = entryCount;
    image.categories = categoryCount;
    image.references = referenceCount;
    return image;
  }

private:
  friend class Pdb_TreeEdit;
  friend struct Pdb_TreeLayoutChecks;

  Pdb_RelPtr root;
  int32_t entries;    /* part entries in all lists */
  int32_t categories; /* real categories below the root */
  int32_t references; /* category references */
};

/* The stored layouts, pinned. */
struct Pdb_TreeLayoutChecks {
  static_assert(std::is_standard_layout_v<Pdb_Category>);
  static_assert(sizeof(Pdb_Category) == 12);
  static_assert(offsetof(Pdb_Category, name) == 0);
  static_assert(offsetof(Pdb_Category, help) == 4);
  static_assert(offsetof(Pdb_Category, parts) == 8);

  static_assert(std::is_standard_layout_v<Pdb_CategoryNode>);
  static_assert(sizeof(Pdb_CategoryNode) == 20);
  static_assert(offsetof(Pdb_CategoryNode, category) == 0);
  static_assert(offsetof(Pdb_CategoryNode, parent) == 4);
  static_assert(Pdb_CategoryNode::parentLinkOffset == 4);
  static_assert(offsetof(Pdb_CategoryNode, firstChild) == 8);
  static_assert(offsetof(Pdb_CategoryNode, nextSibling) == 12);
  static_assert(offsetof(Pdb_CategoryNode, referencePath) == 16);

  static_assert(std::is_standard_layout_v<Pdb_CategoryTree>);
  static_assert(sizeof(Pdb_CategoryTree) == 16);
  static_assert(offsetof(Pdb_CategoryTree, root) == 0);
  static_assert(offsetof(Pdb_CategoryTree, entries) == 4);
  static_assert(offsetof(Pdb_CategoryTree, categories) == 8);
  static_assert(offsetof(Pdb_CategoryTree, references) == 12);
};

/* True when path begins and ends with "/" and holds no "//". */
bool Pdb_IsCategoryPath(const char *path);

#endif /* TOVPART_MODEL_CATEGORY_TREE_H */
