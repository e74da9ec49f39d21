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

void Pdb_ChildIndex::forget(const Pdb_CategoryNode *node) noexcept {
  parents.erase(node);
}

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
