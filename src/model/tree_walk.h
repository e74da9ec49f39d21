/*
 * tree_walk.h --
 *
 *	The one iterative walker of category trees. A tree is walked as the
 *	binary tree its links make (first child, next sibling) with an
 *	explicit stack on the heap, so neither a long sibling chain nor a deep
 *	tree grows the machine stack.
 *
 *	Orders:
 *	  CHILDREN_FIRST: enter(node), its whole subtree, between(node), the
 *	    following siblings, leave(node). enter gives pre-order and between
 *	    post-order (children before their parent, parent before its next
 *	    sibling). The next sibling is read before between, so between may
 *	    unlink and free the node.
 *	  SIBLINGS_FIRST: enter(node), the following siblings, the children,
 *	    leave(node): the order of the binary image writer.
 *
 *	Scope: SUBTREE leaves out the start node's following siblings (their
 *	subtrees are still not visited); WITH_SIBLINGS includes them.
 */

#ifndef TOVPART_MODEL_TREE_WALK_H
#define TOVPART_MODEL_TREE_WALK_H

#include <vector>

#include "model/category_tree.h"

enum class Pdb_WalkOrder { CHILDREN_FIRST, SIBLINGS_FIRST };
enum class Pdb_WalkScope { SUBTREE, WITH_SIBLINGS };

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WalkTree --
 *
 *	Walks the tree from start in the given order and scope (see the top of
 *	this file) with an explicit heap stack, so that neither a long sibling
 *	chain nor a deep tree grows the machine stack. The visitor gives bool
 *	enter(node, depth), false ending the walk at once; void between(node,
 *	depth); void leave(node, depth). Depth is 0 at the start node and its
 *	siblings and grows by one per child level.
 *
 * Results:
 *	False when enter ended the walk, else true.
 *
 * Side effects:
 *	Those of the visitor; the stack may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

template <typename Visitor>
bool Pdb_WalkTree(Pdb_CategoryNode *start, Pdb_WalkScope scope,
                  Pdb_WalkOrder order, Visitor &visitor) {
  struct Frame {
    Pdb_CategoryNode *node;
    int depth;
    int stage; /* 0: enter next, 1: between next, 2: leave next */
    bool siblings;
  };
  const bool childrenFirst = order == Pdb_WalkOrder::CHILDREN_FIRST;
  std::vector<Frame> stack;
  if (start != nullptr) {
    stack.push_back({start, 0, 0, scope == Pdb_WalkScope::WITH_SIBLINGS});
  }
  while (!stack.empty()) {
    Frame frame = stack.back();
    Pdb_CategoryNode *node = frame.node;
    if (frame.stage == 0) {
      if (!visitor.enter(node, frame.depth)) {
        return false;
      }
      stack.back().stage = 1;
      Pdb_CategoryNode *first =
          childrenFirst ? node->child()
                        : (frame.siblings ? node->sibling() : nullptr);
      if (first != nullptr) {
        stack.push_back(
            {first, childrenFirst ? frame.depth + 1 : frame.depth, 0, true});
      }
    } else if (frame.stage == 1) {
      Pdb_CategoryNode *second =
          childrenFirst ? (frame.siblings ? node->sibling() : nullptr)
                        : node->child();
      visitor.between(node, frame.depth);
      stack.back().stage = 2;
      if (second != nullptr) {
        stack.push_back(
            {second, childrenFirst ? frame.depth : frame.depth + 1, 0, true});
      }
    } else {
      stack.pop_back();
      visitor.leave(node, frame.depth);
    }
  }
  return true;
}

/* A visitor base with empty hooks, for walks that need only some. */
struct Pdb_TreeVisitor {
  bool enter(Pdb_CategoryNode *, int) { return true; }
  void between(Pdb_CategoryNode *, int) {}
  void leave(Pdb_CategoryNode *, int) {}
};

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WalkPreOrder --
 *
 *	Calls visit(node, depth) in pre-order (node, children, then following
 *	siblings), the common short form of Pdb_WalkTree.
 *
 * Results:
 *	False when visit returned false and so ended the walk, else true.
 *
 * Side effects:
 *	Those of visit; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

template <typename Visit>
bool Pdb_WalkPreOrder(Pdb_CategoryNode *start, Pdb_WalkScope scope,
                      Visit visit) {
  struct PreOrder : Pdb_TreeVisitor {
    Visit &visit;
    explicit PreOrder(Visit &v) : visit(v) {}
    bool enter(Pdb_CategoryNode *node, int depth) { return visit(node, depth); }
  } visitor(visit);
  return Pdb_WalkTree(start, scope, Pdb_WalkOrder::CHILDREN_FIRST, visitor);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WalkByParentLinks --
 *
 *	Calls visit(node) for start and every node below it, in pre-order
 *	(node, children, then following siblings below start), climbing back
 *	up by the parent links instead of keeping a stack, so that it
 *	allocates nothing. Only for heap trees, whose parent links the editor
 *	keeps; the teardown paths use it.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Those of visit, which may change the node's lists but not the links.
 *
 *----------------------------------------------------------------------
 */

template <typename Visit>
void Pdb_WalkByParentLinks(Pdb_CategoryNode *start, Visit visit) {
  Pdb_CategoryNode *node = start;
  while (node != nullptr) {
    visit(node);
    if (node->child() != nullptr) {
      node = node->child();
      continue;
    }
    while (node != start && node->sibling() == nullptr) {
      node = node->parentNode();
    }
    node = node == start ? nullptr : node->sibling();
  }
}

#endif /* TOVPART_MODEL_TREE_WALK_H */
