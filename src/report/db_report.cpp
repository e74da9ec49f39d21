/*
 * db_report.cpp --
 *
 *	The printed dump of a database behind pdb:print.
 */

#include "report/db_report.h"

#include <tcl.h>

#include "model/category_tree.h"
#include "model/database.h"
#include "model/part.h"
#include "model/part_list.h"
#include "model/tree_walk.h"

static void PrintIndent(int level, FILE *out);

/* Writes level times four blanks. */
static void PrintIndent(int level, FILE *out) {
  static const char blanks[] = "                                "
                               "                                ";
  std::size_t left = 4 * static_cast<std::size_t>(level > 0 ? level : 0);
  while (left > 0) {
    std::size_t chunk = left < sizeof(blanks) - 1 ? left : sizeof(blanks) - 1;
    std::fwrite(blanks, 1, chunk, out);
    left -= chunk;
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PrintPartList --
 *
 *	Writes one "level:" line per entry of list: the level, the indent, the
 *	entry's kind and place and the text of the part it resolves to. A
 *	nullptr list writes nothing.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to out.
 *
 *----------------------------------------------------------------------
 */

void Pdb_PrintPartList(const Pdb_PartList *list, int level, FILE *out) {
  if (list == nullptr) {
    return;
  }
  Tcl_DString text;
  for (int i = 0; i < list->count; i++) {
    const Pdb_PartEntry *entry = list->entry(i);
    Pdb_FormatPartText(Pdb_ResolveEntry(entry), PDB_FIELD_WHOLE, &text);
    std::fprintf(out, "level:%d", level);
    PrintIndent(level, out);
    std::fprintf(out, "%sp:%d  %s\n",
                 entry->kind == PDB_ENTRY_REFERENCE ? "(ref)" : "(bas)", i,
                 Tcl_DStringValue(&text));
    Tcl_DStringFree(&text);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PrintTree --
 *
 *	Writes the "LEVEL:" line of node and, through the shared walker, of
 *	its children (one level deeper) and its following siblings (at the
 *	same level), each real category followed by its part list when
 *	showParts is set.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to out. The walker's work list may throw std::bad_alloc.
 *
 *----------------------------------------------------------------------
 */

void Pdb_PrintTree(const Pdb_CategoryNode *node, int level, bool showParts,
                   FILE *out) {
  Pdb_WalkPreOrder(
      const_cast<Pdb_CategoryNode *>(node), Pdb_WalkScope::WITH_SIBLINGS,
      [&](Pdb_CategoryNode *current, int depth) {
        depth += level;
        std::fprintf(out, "LEVEL:%d", depth);
        PrintIndent(depth, out);
        if (current->isReference()) {
          std::fprintf(out, "(CAT REFTO)%s  %p\n", current->refPath(),
                       static_cast<const void *>(current));
          return true;
        }
        const Pdb_Category *category = current->body();
        const Pdb_PartList *list = category->partList();
        std::fprintf(out, "%s (size:%d) (help:%s)\n", category->nameText(),
                     list != nullptr ? static_cast<int>(list->count) : 0,
                     category->helpText());
        if (showParts) {
          Pdb_PrintPartList(list, depth, out);
        }
        return true;
      });
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PrintReport --
 *
 *	Writes the report of db to out: the parts section (unless only a tree
 *	is asked for), the tree section with its totals (unless only the table
 *	is), then the database name line. Totals are summed in 64 bits.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to out; may throw std::bad_alloc (see Pdb_PrintTree).
 *
 *----------------------------------------------------------------------
 */

void Pdb_PrintReport(Pdb_Database *db, const Pdb_ReportSections &sections,
                     FILE *out) {
  bool onlyTree = sections.tree || sections.noPartsTree;
  if (!onlyTree) {
    std::fputs("\n", out);
    db->printPartsTable(out);
    std::fprintf(out, "<<<<<< Total parts in table: %lld\n",
                 static_cast<long long>(db->partCount()));
  }
  if (!sections.table) {
    /* Stored counters may be anything up to 2^31 - 1: sums and
     * differences are taken in 64 bits. */
    const Pdb_CategoryTree *tree = db->tree;
    long long entries = tree != nullptr ? tree->entryCount() : 0;
    long long categories = tree != nullptr ? tree->categoryCount() : 0;
    long long references = tree != nullptr ? tree->referenceCount() : 0;
    long long parts = db->partCount();
    std::fputs("\n", out);
    Pdb_PrintTree(tree != nullptr ? tree->rootNode() : nullptr, 0,
                  !sections.noPartsTree, out);
    std::fprintf(out, "<<<<<< Total parts in tree:      %lld\n", entries);
    std::fprintf(out, "<<<<<< Total real parts in tree: %lld\n", parts);
    std::fprintf(out, "<<<<<< Total part references:    %lld\n",
                 entries - parts);
    std::fprintf(out, "<<<<<< Total categories in tree:          %lld\n",
                 categories + references);
    std::fprintf(out, "<<<<<< Total real categories in tree:     %lld\n",
                 categories);
    std::fprintf(out, "<<<<<< Total category references in tree: %lld\n",
                 references);
  }
  std::fprintf(out, "<<<<<< Database name: %s\n", db->fileName());
}
