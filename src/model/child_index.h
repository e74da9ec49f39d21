/*
 * child_index.h --
 *
 *	Side bookkeeping of the nodes of one heap tree: the last child of
 *	each parent (so that appending a child is constant time) and, for
 *	parents with many children, the children by component name in chain
 *	order. Only the tree's editor changes it; nodes of a mapped image are
 *	never known here and their lookups scan the chain.
 */

#ifndef TOVPART_MODEL_CHILD_INDEX_H
#define TOVPART_MODEL_CHILD_INDEX_H

#include <cstddef>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

struct Pdb_CategoryNode;

class Pdb_ChildIndex {
public:
  Pdb_ChildIndex();
  ~Pdb_ChildIndex();
  Pdb_ChildIndex(const Pdb_ChildIndex &) = delete;
  Pdb_ChildIndex &operator=(const Pdb_ChildIndex &) = delete;

  /*
   * The last child of parent, or nullptr when it has none. The first
   * question about a parent walks its chain once and remembers the
   * answer (when memory allows).
   */
  Pdb_CategoryNode *lastChild(const Pdb_CategoryNode *parent) noexcept;

  /* Records that child was linked in at the end of parent's chain. Call
   * after lastChild(parent). Never throws: an index that cannot grow is
   * dropped and rebuilt later. */
  void noteAppend(const Pdb_CategoryNode *parent,
                  Pdb_CategoryNode *child) noexcept;

  /* Records that child was taken out of parent's chain; predecessor is
   * the node that linked to it (parent itself for a first child).
   * Allocates nothing. */
  void noteUnlink(const Pdb_CategoryNode *parent, const Pdb_CategoryNode *child,
                  Pdb_CategoryNode *predecessor) noexcept;

  /* Drops what is known of node as a parent. Allocates nothing. */
  void forget(const Pdb_CategoryNode *node) noexcept;

  /*
   * The children of parent whose component name is name, in chain order,
   * or nullptr when parent has no name index (the caller then scans).
   */
  const std::vector<Pdb_CategoryNode *> *
  candidates(const Pdb_CategoryNode *parent, std::string_view name) const;

private:
  struct Children;
  std::unordered_map<const Pdb_CategoryNode *, std::unique_ptr<Children>>
      parents;
};

/* The name a child is matched by: its category name or the last
 * component of a reference's path, without slashes. */
std::string_view Pdb_GetComponentName(const Pdb_CategoryNode *node);

#endif /* TOVPART_MODEL_CHILD_INDEX_H */
