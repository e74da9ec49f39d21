/*
 * child_index.h --
 *
 *	Side bookkeeping of heap category nodes: the last child of each
 *	parent (so that appending a child is constant time) and, for parents
 *	with many children, the children by component name in chain order.
 *	Nodes of a mapped image are never known here; their lookups scan.
 */

#ifndef TOVPART_MODEL_CHILD_INDEX_H
#define TOVPART_MODEL_CHILD_INDEX_H

#include <string_view>
#include <vector>

struct Pdb_CategoryNode;

/* Links child in at the end of parent's children chain. */
void Pdb_ChildIndexAppend(Pdb_CategoryNode *parent, Pdb_CategoryNode *child);

/*
 * The children of parent whose component name is name, in chain order,
 * or nullptr when parent has no index (the caller then scans the chain).
 */
const std::vector<Pdb_CategoryNode *> *
Pdb_ChildIndexCandidates(const Pdb_CategoryNode *parent, std::string_view name);

/* Notes that child was unlinked; predecessor is its former predecessor. */
void Pdb_ChildIndexUnlink(const Pdb_CategoryNode *parent,
                          const Pdb_CategoryNode *child,
                          Pdb_CategoryNode *predecessor);

/* Drops what is known of node as a parent (it is being destroyed). */
void Pdb_ChildIndexForget(const Pdb_CategoryNode *node);

/* The name a child is matched by: its category name or reference's last. */
std::string_view Pdb_ComponentName(const Pdb_CategoryNode *node);

#endif /* TOVPART_MODEL_CHILD_INDEX_H */
