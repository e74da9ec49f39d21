/*
 * part_reference_search.cpp --
 *
 *	The search for a part listed by reference in a category.
 */

#include "query/part_reference_search.h"

#include <cstdlib>
#include <memory>
#include <new>

#include "model/database.h"
#include "model/group.h"

static bool ListsByReference(const Pdb_CategoryNode *node,
                             const Pdb_Part *part);

/* A real category whose list holds an entry resolving to part while the
 * record itself is not an entry of that list. */
static bool ListsByReference(const Pdb_CategoryNode *node,
                             const Pdb_Part *part) {
  if (node == nullptr || node->isReference()) {
    return false;
  }
  const Pdb_PartList *list = node->body()->partList();
  return list->containsPart(part) &&
         !list->containsEntry(reinterpret_cast<const Pdb_PartEntry *>(part));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindPartReference --
 *
 *	Finds the category that category names (the real path that the first
 *	database holding it gives, references followed across the group), then
 *	looks that path up in each database in group order (a user database
 *	whose tree lacks it, and any user_build database, also through
 *	references), stopping at the first database whose category lists part
 *	by a reference and not as its home.
 *
 * Results:
 *	True with *hit filled; false when no database does.
 *
 * Side effects:
 *	None; throws std::bad_alloc when memory runs out (the calling
 *	command's guard reports it).
 *
 *----------------------------------------------------------------------
 */

bool Pdb_FindPartReference(Pdb_Group *group, const Pdb_Part *part,
                           const char *category, Pdb_PartReferenceHit *hit) {
  Pdb_CategoryNode *first = group->lookupPathInGroup(PDB_REFS_GROUP, category);
  if (first == nullptr) {
    return false;
  }
  std::unique_ptr<char, decltype(&std::free)> realPath(first->nodePath(),
                                                       &std::free);
  if (realPath == nullptr) {
    throw std::bad_alloc();
  }
  Pdb_Database *found = group->findFirst([&](const char *, Pdb_Database *db) {
    Pdb_CategoryNode *node =
        db->lookupPath(group, PDB_REFS_IGNORE, realPath.get());
    if ((node == nullptr && db->kind == PDB_KIND_USER) ||
        db->kind == PDB_KIND_USER_BUILD) {
      node = db->lookupPath(group, PDB_REFS_GROUP, category);
    }
    if (!ListsByReference(node, part)) {
      return false;
    }
    hit->db = db;
    hit->node = node;
    return true;
  });
  return found != nullptr;
}
