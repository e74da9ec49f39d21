/*
 * child_index.cpp --
 *
 *	Last-child links and name indexes of the nodes of one heap tree.
 */

#include "model/child_index.h"

#include <algorithm>
#include <new>

#include "model/category_tree.h"

/* Parents with more children than this get a name index. */
static constexpr std::size_t INDEX_THRESHOLD = 8;

using ChildrenByName =
    std::unordered_map<std::string_view, std::vector<Pdb_CategoryNode *>>;

struct Pdb_ChildIndex::Children {
  Pdb_CategoryNode *last = nullptr;
  std::size_t count = 0;
  std::unique_ptr<ChildrenByName> byName; /* once count > INDEX_THRESHOLD */
};

static std::unique_ptr<ChildrenByName>
IndexChildren(const Pdb_CategoryNode *parent);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_GetComponentName --
 *
 *	Gives the name a child is matched by: its category name, or the last
 *	component of a reference's path, without slashes.
 *
 * Results:
 *	A view into the node's own strings.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::string_view Pdb_GetComponentName(const Pdb_CategoryNode *node) {
  if (!node->isReference()) {
    return node->body()->nameText();
  }
  std::string_view path = node->refPath();
  if (path.size() < 2) {
    return path;
  }
  std::size_t start = path.rfind('/', path.size() - 2);
  return path.substr(start + 1, path.size() - start - 2);
}

/* A name index of parent's children, in chain order. May throw. */
static std::unique_ptr<ChildrenByName>
IndexChildren(const Pdb_CategoryNode *parent) {
  auto byName = std::make_unique<ChildrenByName>();
  for (Pdb_CategoryNode *c = parent->child(); c != nullptr; c = c->sibling()) {
    (*byName)[Pdb_GetComponentName(c)].push_back(c);
  }
  return byName;
}

Pdb_ChildIndex::Pdb_ChildIndex() = default;
Pdb_ChildIndex::~Pdb_ChildIndex() = default;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChildIndex::lastChild --
 *
 *	Finds the last child of parent. The first question about a parent
 *	walks its chain once and remembers the answer, when memory allows.
 *
 * Results:
 *	The last child, or nullptr when parent has none.
 *
 * Side effects:
 *	May start tracking parent; never throws.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *
Pdb_ChildIndex::lastChild(const Pdb_CategoryNode *parent) noexcept {
  auto found = parents.find(parent);
  if (found != parents.end()) {
    return found->second->last;
  }
  Pdb_CategoryNode *last = nullptr;
  std::size_t count = 0;
  for (Pdb_CategoryNode *c = parent->child(); c != nullptr; c = c->sibling()) {
    last = c;
    count++;
  }
  try {
    auto made = std::make_unique<Children>();
    made->last = last;
    made->count = count;
    parents.emplace(parent, std::move(made));
  } catch (const std::bad_alloc &) {
    /* Not tracked: the next append walks the chain again. */
  }
  return last;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChildIndex::noteAppend --
 *
 *	Records that child was linked in at the end of parent's chain; call it
 *	after lastChild(parent). A parent with more than INDEX_THRESHOLD
 *	children gets its children indexed by name.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Updates what is known of parent. Never throws: a name index that
 *	cannot grow is dropped and built again later.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ChildIndex::noteAppend(const Pdb_CategoryNode *parent,
                                Pdb_CategoryNode *child) noexcept {
  auto found = parents.find(parent);
  if (found == parents.end()) {
    return;
  }
  Children &info = *found->second;
  info.last = child;
  info.count++;
  try {
    if (info.byName) {
      (*info.byName)[Pdb_GetComponentName(child)].push_back(child);
    } else if (info.count > INDEX_THRESHOLD) {
      info.byName = IndexChildren(parent);
    }
  } catch (const std::bad_alloc &) {
    info.byName.reset();
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChildIndex::noteUnlink --
 *
 *	Records that child was taken out of parent's chain; predecessor is the
 *	node that linked to it (parent itself for a first child).
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Updates what is known of parent. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ChildIndex::noteUnlink(const Pdb_CategoryNode *parent,
                                const Pdb_CategoryNode *child,
                                Pdb_CategoryNode *predecessor) noexcept {
  auto found = parents.find(parent);
  if (found == parents.end()) {
    return;
  }
  Children &info = *found->second;
  if (info.last == child) {
    info.last = predecessor == parent ? nullptr : predecessor;
  }
  info.count--;
  if (info.byName) {
    auto hit = info.byName->find(Pdb_GetComponentName(child));
    if (hit != info.byName->end()) {
      auto &nodes = hit->second;
      nodes.erase(std::remove(nodes.begin(), nodes.end(), child), nodes.end());
      if (nodes.empty()) {
        info.byName->erase(hit);
      }
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChildIndex::forget --
 *
 *	Drops what is known of node as a parent, for a node about to be freed.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees its entry. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ChildIndex::forget(const Pdb_CategoryNode *node) noexcept {
  parents.erase(node);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChildIndex::candidates --
 *
 *	Gives the children of parent whose component name is name, in chain
 *	order, when parent has a name index.
 *
 * Results:
 *	The children (an empty list when none has the name), or nullptr when
 *	parent has no name index and the caller must scan its chain.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const std::vector<Pdb_CategoryNode *> *
Pdb_ChildIndex::candidates(const Pdb_CategoryNode *parent,
                           std::string_view name) const {
  auto found = parents.find(parent);
  if (found == parents.end() || !found->second->byName) {
    return nullptr;
  }
  static const std::vector<Pdb_CategoryNode *> none;
  const ChildrenByName &byName = *found->second->byName;
  auto hit = byName.find(name);
  return hit == byName.end() ? &none : &hit->second;
}
