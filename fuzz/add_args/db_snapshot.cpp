/*
 * db_snapshot.cpp --
 *
 *	The order-free snapshot of a database for the add_args fuzz target.
 */

#include "add_args/db_snapshot.h"

#include <algorithm>
#include <tcl.h>

#include "model/database.h"
#include "model/part.h"
#include "model/tree_walk.h"

static std::string PartText(const Pdb_Part *part);

/* The whole text form of a part. */
static std::string PartText(const Pdb_Part *part) {
  Tcl_DString text;
  Pdb_FormatPartText(part, 0, &text);
  std::string out(Tcl_DStringValue(&text), Tcl_DStringLength(&text));
  Tcl_DStringFree(&text);
  return out;
}

std::vector<std::string> SnapshotDatabase(Pdb_Database *db) {
  std::vector<std::string> lines;
  Pdb_CategoryTree *tree = db->tree;
  Pdb_CategoryNode *root = tree == nullptr ? nullptr : tree->rootNode();
  if (root == nullptr) {
    /* An emptied tree is saved as an empty file, which reads back as the
     * root alone. */
    lines.push_back("C\t/\t");
  }
  std::vector<std::string> pathAt;
  Pdb_WalkPreOrder(
      root, Pdb_WalkScope::SUBTREE, [&](Pdb_CategoryNode *node, int depth) {
        std::string parent = depth == 0 ? "" : pathAt[depth - 1];
        pathAt.resize(depth + 1);
        if (node->isReference()) {
          lines.push_back("R\t" + parent + "\t" + node->refPath());
          return true;
        }
        const Pdb_Category *body = node->body();
        std::string path = depth == 0 ? "/" : parent + body->nameText() + "/";
        pathAt[depth] = path;
        lines.push_back("C\t" + path + "\t" + body->helpText());
        const Pdb_PartList *list = body->partList();
        for (int i = 0; list != nullptr && i < list->count; i++) {
          const Pdb_PartEntry *entry = list->entry(i);
          lines.push_back(
              "E\t" + path +
              (entry->kind == PDB_ENTRY_PART ? "\tbas\t" : "\tref\t") +
              PartText(Pdb_ResolveEntry(entry)));
        }
        return true;
      });
  Tcl_HashTable *parts = db->partsTable();
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = parts == nullptr ? nullptr
                                           : Tcl_FirstHashEntry(parts, &search);
       e != nullptr; e = Tcl_NextHashEntry(&search)) {
    lines.push_back(
        std::string("P\t") +
        static_cast<const char *>(Tcl_GetHashKey(parts, e)) + "\t" +
        PartText(static_cast<const Pdb_Part *>(Tcl_GetHashValue(e))));
  }
  if (tree != nullptr) {
    lines.push_back("T\t" + std::to_string(tree->entryCount()) + " " +
                    std::to_string(tree->categoryCount()) + " " +
                    std::to_string(tree->referenceCount()));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}
