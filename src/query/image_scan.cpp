/*
 * image_scan.cpp --
 *
 *	The part search of a whole binary image in name order. When a part
 *	search covers every tree of the group in full (it starts at "/",
 *	recurses, and no category is hidden), the categories of an image
 *	together list exactly the records of its sorted part list (each is
 *	homed in one category; the image writer lays them out back to back
 *	in name order) and the records that its part references designate.
 *	Reading the sorted list in order instead of the categories one by
 *	one reads the image front to back rather than all over, finds the
 *	parts a name prefix selects by binary search, and hands the result
 *	its strings already sorted.
 */

#include <cstring>
#include <string>

#include "model/address_set.h"
#include "model/binary_db.h"
#include "model/group.h"
#include "model/tree_walk.h"
#include "query/part_report.h"

static int FindFirstNotBelow(const Pdb_PartList *list,
                             const std::string &prefix, bool past);
static bool CoversWholeTrees(const Pdb_SearchRequest &request,
                             const Pdb_AddressSet &visited);

/*
 * The first index of the sorted list whose name is not below prefix, or
 * with past, the first whose name neither is below prefix nor begins
 * with it.
 */
static int FindFirstNotBelow(const Pdb_PartList *list,
                             const std::string &prefix, bool past) {
  int low = 0;
  int high = list->count;
  while (low < high) {
    int middle = low + (high - low) / 2;
    const char *name =
        reinterpret_cast<const Pdb_Part *>(list->entry(middle))->name();
    int order = past ? std::strncmp(name, prefix.c_str(), prefix.size())
                     : std::strcmp(name, prefix.c_str());
    if (past ? order <= 0 : order < 0) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

/* True when the walks of the request would take in every tree of the
 * group whole: a recursing part search from "/" with nothing marked. */
static bool CoversWholeTrees(const Pdb_SearchRequest &request,
                             const Pdb_AddressSet &visited) {
  if (request.kind == Pdb_FindKind::CATEGORY || !request.recurse ||
      visited.size() != 0) {
    return false;
  }
  for (const std::string &start : request.starts) {
    if (start == "/") {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::scanWholeImages --
 *
 *	When the request covers every tree whole, scans each mapped image
 *	of the group in name order and puts its nodes into visited, so that
 *	the part walk that follows leaves them (reached from any database)
 *	alone. Otherwise does nothing.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::scanWholeImages(const Pdb_SearchRequest &request,
                                       Pdb_AddressSet &visited,
                                       Pdb_ResultList &result) const {
  if (!CoversWholeTrees(request, visited)) {
    return;
  }
  group->forEachDatabase([&](Pdb_Database *db) {
    const auto *image = dynamic_cast<const Pdb_BinaryDb *>(db);
    if (image == nullptr || !image->isMapped() || image->tree == nullptr ||
        image->partList == Pdb_BinaryDb::unset()) {
      return;
    }
    scanWholeImage(image, request, result);
    Pdb_WalkPreOrder(image->tree->rootNode(), Pdb_WalkScope::SUBTREE,
                     [&](Pdb_CategoryNode *node, int) {
                       visited.insert(node);
                       return true;
                     });
  });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SearchEngine::scanWholeImage --
 *
 *	Reports what the request finds in the whole tree of an image: first
 *	the parts that the references of its lists designate outside its
 *	sorted list (copies of other databases' parts), found by the
 *	addresses of the list slots alone; then the records of the sorted
 *	list, in order, within the range that the name matcher's fixed
 *	prefix allows.
 *
 *----------------------------------------------------------------------
 */

void Pdb_SearchEngine::scanWholeImage(const Pdb_BinaryDb *db,
                                      const Pdb_SearchRequest &request,
                                      Pdb_ResultList &result) const {
  const Pdb_PartList *records = db->partList;
  const Pdb_HiddenLists *hiding = partHiding();
  const int count = records->count;
  const char *low = nullptr;
  const char *high = nullptr;
  if (count > 0) {
    low = reinterpret_cast<const char *>(records->entry(0));
    const auto *last =
        reinterpret_cast<const Pdb_Part *>(records->entry(count - 1));
    high = reinterpret_cast<const char *>(last) + last->size;
  }
  auto ownRecord = [&](const void *address) {
    const char *at = static_cast<const char *>(address);
    return at >= low && at < high;
  };
  Pdb_WalkPreOrder(db->tree->rootNode(), Pdb_WalkScope::SUBTREE,
                   [&](Pdb_CategoryNode *node, int) {
                     if (node->isReference()) {
                       return true;
                     }
                     const Pdb_PartList *list = node->body()->partList();
                     for (int i = 0; i < list->count; i++) {
                       const Pdb_PartEntry *entry = list->entry(i);
                       if (entry == nullptr || ownRecord(entry)) {
                         continue;
                       }
                       const Pdb_Part *part = Pdb_ResolveEntry(entry);
                       if (part != nullptr && !ownRecord(part)) {
                         Pdb_ReportPart(part, request, hiding, result);
                       }
                     }
                     return true;
                   });

  std::string prefix;
  if (request.matcher != nullptr) {
    prefix = request.matcher->namePrefix();
  }
  int begin = prefix.empty() ? 0 : FindFirstNotBelow(records, prefix, false);
  int end = prefix.empty() ? count : FindFirstNotBelow(records, prefix, true);
  for (int i = begin; i < end; i++) {
    if (i + PDB_FETCH_AHEAD < end) {
      Pdb_FetchEntry(records->entry(i + PDB_FETCH_AHEAD));
    }
    Pdb_ReportPart(reinterpret_cast<const Pdb_Part *>(records->entry(i)),
                   request, hiding, result);
  }
}
