/*
 * search_engine.cpp --
 *
 *	The part search of the tree search engine: the hidden categories
 *	marked before a search, the part walk over the merged trees of a
 *	group and the scan of one category's parts.
 */

#include "query/search_engine.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "model/address_set.h"
#include "model/database.h"
#include "model/group.h"
#include "model/tree_walk.h"
#include "query/part_report.h"

static void AddSubtree(Pdb_CategoryNode *node, Pdb_AddressSet &visited);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::Pdb_SearchEngine --
 *
 *	Makes an engine that searches the databases of group, with the group's
 *	hidden filter as it is at each search.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_SearchEngine::Pdb_SearchEngine(Pdb_Group *group) : group(group) {}

/* The hidden lists when hidden parts are to be left out, else nullptr. */
const Pdb_HiddenLists *Pdb_SearchEngine::partHiding() const {
  const Pdb_HiddenLists &hidden = group->hidden;
  return hidden.filterOn() && hidden.hiddenPartCount() > 0 ? &hidden : nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::scanParts --
 *
 *	Reports, for each entry of a real category's list in list order,
 *	the part it resolves to, unless the part is hidden (so a hidden part
 *	is not found through its references either), has another HDL kind
 *	than the request's filter, or fails the request's matcher.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::scanParts(const Pdb_CategoryNode *node,
                                 const Pdb_SearchRequest &request,
                                 Pdb_ResultList &result) const {
  const Pdb_PartList *list = node->body()->partList();
  const Pdb_HiddenLists *hiding = partHiding();
  const int count = list->count;
  for (int i = 0; i < count; i++) {
    /* Entries lie anywhere in the database: one a few places ahead is
     * asked for now, so that it is in the cache when its turn comes. */
    if (i + PDB_FETCH_AHEAD < count) {
      Pdb_FetchEntry(list->entry(i + PDB_FETCH_AHEAD));
    }
    const Pdb_PartEntry *entry = list->entry(i);
    const Pdb_Part *part = entry != nullptr ? Pdb_ResolveEntry(entry) : nullptr;
    if (part != nullptr) {
      Pdb_ReportPart(part, request, hiding, result);
    }
  }
}

/* Adds node and every node below it (not its siblings) to visited. */
static void AddSubtree(Pdb_CategoryNode *node, Pdb_AddressSet &visited) {
  Pdb_WalkPreOrder(node, Pdb_WalkScope::SUBTREE,
                   [&](Pdb_CategoryNode *below, int) {
                     visited.insert(below);
                     return true;
                   });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::markHidden --
 *
 *	While the group's filter is on, puts into visited what a search must
 *	not enter: each hidden category in every database that holds its
 *	path (that is also every reference target of the path), everything
 *	below it, and every category reference of every database whose
 *	reference path lies under a hidden category. References in a
 *	database that holds none of the hidden categories are included, so
 *	no database leads a search into a hidden category.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::markHidden(Pdb_AddressSet &visited) const {
  const Pdb_HiddenLists &hidden = group->hidden;
  if (!hidden.filterOn() || hidden.hiddenCategoryCount() == 0) {
    return;
  }
  hidden.forEachHiddenCategory([&](const char *path) {
    group->forEachDatabase([&](Pdb_Database *db) {
      if (Pdb_CategoryNode *node =
              db->lookupPath(group, PDB_REFS_IGNORE, path)) {
        AddSubtree(node, visited);
      }
    });
  });
  group->forEachDatabase([&](Pdb_Database *db) {
    Pdb_CategoryNode *root =
        db->tree != nullptr ? db->tree->rootNode() : nullptr;
    Pdb_WalkPreOrder(root, Pdb_WalkScope::SUBTREE,
                     [&](Pdb_CategoryNode *node, int) {
                       if (node->isReference() &&
                           hidden.isUnderHiddenCategory(node->refPath())) {
                         visited.insert(node);
                       }
                       return true;
                     });
  });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::partWalk --
 *
 *	Scans start and, when the request recurses, every category below
 *	it, following category references to their targets in every
 *	database of the group. A node in visited is not entered; every node
 *	entered joins visited, so each category is scanned once per search
 *	however many routes lead to it, and references that lead in a circle
 *	end.
 *
 *	The work list keeps the order of the recursive description: the
 *	whole sibling chain of a level is pushed at once, so the last
 *	sibling's subtree is done first and the first sibling's last. A
 *	reference's targets are taken in the group's order; a target that is
 *	itself a reference is followed in turn. Only the start node's own
 *	siblings are never walked.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::partWalk(Pdb_CategoryNode *start,
                                const Pdb_SearchRequest &request,
                                Pdb_AddressSet &visited,
                                Pdb_ResultList &result) const {
  struct Pending {
    Pdb_CategoryNode *node;
    bool descend; /* walk its children too */
  };
  std::vector<Pending> pending{{start, request.recurse}};
  while (!pending.empty()) {
    Pending here = pending.back();
    pending.pop_back();
    if (!visited.insert(here.node)) {
      continue;
    }
    if (here.node->isReference()) {
      std::vector<Pdb_Located> targets = group->locateAll(here.node->refPath());
      for (auto t = targets.rbegin(); t != targets.rend(); ++t) {
        pending.push_back({t->node, here.descend});
      }
      continue;
    }
    scanParts(here.node, request, result);
    if (here.descend) {
      for (Pdb_CategoryNode *c = here.node->child(); c != nullptr;
           c = c->sibling()) {
        pending.push_back({c, true});
      }
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::searchGroup --
 *
 *	Marks the hidden categories and, when the search takes in every
 *	tree whole, scans the images in name order (scanWholeImages). Then
 *	for each database in the group's order and each start category in
 *	order finds the start node (references followed across the group)
 *	and walks from it: the category walk for kind CATEGORY, reporting
 *	paths under the start node's parent's real path, else the part
 *	walk. One visited set serves the whole search.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Adds the strings found to result; may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::searchGroup(const Pdb_SearchRequest &request,
                                   Pdb_ResultList &result) {
  Pdb_AddressSet visited;
  markHidden(visited);
  if (request.kind == Pdb_FindKind::PART ||
      request.kind == Pdb_FindKind::SYMBOL ||
      request.kind == Pdb_FindKind::TEMPLATE) {
    /* At most one string per entry of the group's lists. */
    std::size_t entries = 0;
    group->forEachDatabase([&](Pdb_Database *db) {
      if (db->tree != nullptr && db->tree->entryCount() > 0) {
        entries += static_cast<std::size_t>(db->tree->entryCount());
      }
    });
    result.reserve(entries);
  }
  struct ToResult final : Pdb_PathSink {
    Pdb_ResultList &list;
    explicit ToResult(Pdb_ResultList &list) : list(list) {}
    void add(const char *path, std::size_t length) override {
      list.addCopy(path, length);
    }
  } sink(result);
  scanWholeImages(request, visited, result);
  Pdb_NodeTest pathTest;
  pathTest.pattern = request.pathPattern;
  group->forEachDatabase([&](Pdb_Database *db) {
    for (const std::string &path : request.starts) {
      Pdb_CategoryNode *node =
          db->lookupPath(group, PDB_REFS_GROUP, path.c_str());
      if (node == nullptr) {
        continue;
      }
      if (request.kind != Pdb_FindKind::CATEGORY) {
        partWalk(node, request, visited, result);
        continue;
      }
      std::string parentPath;
      if (Pdb_CategoryNode *parent = node->parentNode()) {
        char *real = parent->nodePath();
        if (real == nullptr) {
          throw std::bad_alloc();
        }
        parentPath = real;
        std::free(real);
      }
      categoryWalk(node, parentPath, request.recurse, pathTest, visited, sink);
    }
  });
}
