/*
 * child_index.cpp --
 *
 *	Last-child links and name indexes of heap category nodes.
 */

#include "model/child_index.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "model/category_tree.h"

namespace {

/* Parents with more children than this get a name index. */
constexpr std::size_t indexThreshold = 8;

struct ChildInfo {
  Pdb_CategoryNode *last = nullptr;
  std::size_t count = 0;
  std::unique_ptr<
      std::unordered_map<std::string_view, std::vector<Pdb_CategoryNode *>>>
      byName;
};

std::unordered_map<const Pdb_CategoryNode *, ChildInfo> &infos() {
  static std::unordered_map<const Pdb_CategoryNode *, ChildInfo> all;
  return all;
}

/* The last node of parent's chain, by walking it (unknown parents). */
Pdb_CategoryNode *walkToLast(const Pdb_CategoryNode *parent) {
  Pdb_CategoryNode *last = parent->child();
  while (last != nullptr && last->sibling() != nullptr) {
    last = last->sibling();
  }
  return last;
}

void buildIndex(const Pdb_CategoryNode *parent, ChildInfo &info) {
  info.byName = std::make_unique<
      std::unordered_map<std::string_view, std::vector<Pdb_CategoryNode *>>>();
  for (Pdb_CategoryNode *c = parent->child(); c != nullptr; c = c->sibling()) {
    (*info.byName)[Pdb_ComponentName(c)].push_back(c);
  }
}

} // namespace

std::string_view Pdb_ComponentName(const Pdb_CategoryNode *node) {
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

void Pdb_ChildIndexAppend(Pdb_CategoryNode *parent, Pdb_CategoryNode *child) {
  auto [it, isNew] = infos().try_emplace(parent);
  ChildInfo &info = it->second;
  if (isNew) {
    info.last = walkToLast(parent);
    for (Pdb_CategoryNode *c = parent->child(); c != nullptr;
         c = c->sibling()) {
      info.count++;
    }
  }
  child->nextSibling.set(child, nullptr);
  if (info.last == nullptr) {
    parent->firstChild.set(parent, child);
  } else {
    info.last->nextSibling.set(info.last, child);
  }
  info.last = child;
  info.count++;
  if (info.byName) {
    (*info.byName)[Pdb_ComponentName(child)].push_back(child);
  } else if (info.count > indexThreshold) {
    buildIndex(parent, info);
  }
}

const std::vector<Pdb_CategoryNode *> *
Pdb_ChildIndexCandidates(const Pdb_CategoryNode *parent,
                         std::string_view name) {
  auto found = infos().find(parent);
  if (found == infos().end() || !found->second.byName) {
    return nullptr;
  }
  static const std::vector<Pdb_CategoryNode *> none;
  auto &byName = *found->second.byName;
  auto hit = byName.find(name);
  return hit == byName.end() ? &none : &hit->second;
}

void Pdb_ChildIndexUnlink(const Pdb_CategoryNode *parent,
                          const Pdb_CategoryNode *child,
                          Pdb_CategoryNode *predecessor) {
  auto found = infos().find(parent);
  if (found == infos().end()) {
    return;
  }
  ChildInfo &info = found->second;
  if (info.last == child) {
    info.last = predecessor == parent ? nullptr : predecessor;
  }
  info.count--;
  if (info.byName) {
    auto hit = info.byName->find(Pdb_ComponentName(child));
    if (hit != info.byName->end()) {
      auto &nodes = hit->second;
      nodes.erase(std::remove(nodes.begin(), nodes.end(), child), nodes.end());
      if (nodes.empty()) {
        info.byName->erase(hit);
      }
    }
  }
}

void Pdb_ChildIndexForget(const Pdb_CategoryNode *node) { infos().erase(node); }
