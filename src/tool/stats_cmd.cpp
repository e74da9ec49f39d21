/*
 * stats_cmd.cpp --
 *
 *	pdbtool stats: counts the parts, categories and references of a
 *	database, its tree depth, its widest and fullest categories, its most
 *	common properties and its HDL kinds, as text or as JSON.
 */

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/category_tree.h"
#include "model/database.h"
#include "model/group.h"
#include "model/part.h"
#include "model/part_list.h"
#include "model/tree_walk.h"
#include "tool/tool.h"

static const char JSON_OPTION[] = "--json";
static const char TOP_OPTION[] = "--top";
static const char UPDATE_OPTION[] = "--update";
static const char MSG_ONE_FILE[] = "needs exactly one file";

enum { DEFAULT_TOP = 5 };

static const char STATS_HELP[] =
    "usage: pdbtool stats [--json] [--top N] [--update] FILE\n"
    "\n"
    "Reads the database FILE (text, read as pdb:read reads it, or a binary\n"
    "image, verified first) and reports:\n"
    "  parts, part references, categories (real ones below the root) and\n"
    "  category references; the tree depth (levels of real categories below\n"
    "  the root); the N widest categories (most child categories and\n"
    "  category references) and the N fullest (most parts and part\n"
    "  references); the N property names most parts have; and how many parts\n"
    "  have each HDL kind.\n"
    "\n"
    "  --json     one JSON object on standard output, for scripts\n"
    "  --top N    how many categories and properties to list (default 5)\n"
    "  --update   derive the HDL kinds of a format-version-1 text file, as\n"
    "             pdb:read -update does\n"
    "\n"
    "Exit status: 0 on success; 1 when FILE is bad or cannot be read (a\n"
    "message on standard error); 2 for wrong usage.\n";

/* A ranked list: names (category paths, property names, HDL kinds) with
 * their counts, largest first. */
using Ranking = std::vector<std::pair<std::string, long>>;

/* Everything stats reports of one database. */
struct DbStats {
  long parts = 0;
  long partReferences = 0;
  long categories = 0;
  long categoryReferences = 0;
  int depth = 0;
  Ranking widest;     /* categories by child nodes */
  Ranking fullest;    /* categories by list entries */
  Ranking properties; /* property names by parts that have them */
  Ranking hdlKinds;   /* HDL kinds by parts */
};

/* How a ranked list is shown: its title, and its JSON key and fields. */
struct RankingView {
  const char *title;
  const char *key;
  const char *nameKey;
  const char *countKey;
  Ranking DbStats::*list;
};

static const RankingView RANKINGS[] = {
    {"widest categories (child categories)", "widest", "path", "children",
     &DbStats::widest},
    {"fullest categories (parts and part references)", "fullest", "path",
     "entries", &DbStats::fullest},
    {"most common properties (parts that have them)", "properties", "name",
     "parts", &DbStats::properties},
    {"HDL kinds (parts)", "hdlKinds", "kind", "parts", &DbStats::hdlKinds}};

static void CollectStats(Pdb_Database *db, std::size_t top, DbStats *stats);
static void
RankNodes(std::vector<std::pair<long, const Pdb_CategoryNode *>> *nodes,
          std::size_t top, Ranking *ranking);
static void RankCounts(const std::unordered_map<std::string, long> &counts,
                       std::size_t top, Ranking *ranking);
static void PrintText(const char *fileName, Pdb_Database *db,
                      const DbStats &stats);
static void PrintJson(const char *fileName, Pdb_Database *db,
                      const DbStats &stats);
static void PrintJsonString(const char *text);

/*
 *----------------------------------------------------------------------
 *
 * RunStats --
 *
 *	pdbtool stats [--json] [--top N] [--update] FILE
 *
 * Results:
 *	An exit status.
 *
 *----------------------------------------------------------------------
 */

static int RunStats(Tcl_Interp *interp, int argc, char **argv) {
  bool json = false;
  long top = DEFAULT_TOP;
  std::vector<const char *> files;
  Pdb_ToolReadOptions options;
  const Pdb_ToolOption table[] = {
      {JSON_OPTION, &json, nullptr, nullptr},
      {TOP_OPTION, nullptr, nullptr, &top},
      {UPDATE_OPTION, &options.update, nullptr, nullptr},
      {nullptr, nullptr, nullptr, nullptr}};
  if (Pdb_ToolParseOptions(pdbStatsCommand, argc, argv, table, &files) !=
      PDB_TOOL_OK) {
    return PDB_TOOL_USAGE;
  }
  if (files.size() != 1) {
    return Pdb_ToolUsageError(pdbStatsCommand, MSG_ONE_FILE);
  }
  Pdb_Group *group = Pdb_ToolNewGroup("stats");
  Pdb_Database *db = Pdb_ToolOpenDatabase(interp, group, files[0], options);
  if (db == nullptr) {
    Pdb_ToolReportResult(interp);
    Pdb_ToolEndGroup(group, true);
    return PDB_TOOL_BAD;
  }
  DbStats stats;
  CollectStats(db, static_cast<std::size_t>(top), &stats);
  if (json) {
    PrintJson(files[0], db, stats);
  } else {
    PrintText(files[0], db, stats);
  }
  Pdb_ToolEndGroup(group, true);
  return PDB_TOOL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * CollectStats --
 *
 *	One walk over the tree: real categories and references, the entries
 *	of every list (parts homed there, with their properties and HDL kind,
 *	and part references), the children of every category.
 *
 *----------------------------------------------------------------------
 */

static void CollectStats(Pdb_Database *db, std::size_t top, DbStats *stats) {
  std::vector<std::pair<long, const Pdb_CategoryNode *>> widest;
  std::vector<std::pair<long, const Pdb_CategoryNode *>> fullest;
  std::unordered_map<std::string, long> properties;
  std::unordered_map<std::string, long> hdlKinds;
  Pdb_CategoryNode *root = db->tree != nullptr ? db->tree->rootNode() : nullptr;
  Pdb_WalkPreOrder(
      root, Pdb_WalkScope::SUBTREE, [&](Pdb_CategoryNode *node, int depth) {
        if (node->isReference()) {
          stats->categoryReferences++;
          return true;
        }
        if (node != root) {
          stats->categories++;
        }
        stats->depth = std::max(stats->depth, depth);
        long children = 0;
        for (const Pdb_CategoryNode *child = node->child(); child != nullptr;
             child = child->sibling()) {
          children++;
        }
        const Pdb_PartList *list = node->body()->partList();
        widest.emplace_back(children, node);
        fullest.emplace_back(list->count, node);
        for (int i = 0; i < list->count; i++) {
          const Pdb_PartEntry *entry = list->entry(i);
          if (entry->kind != PDB_ENTRY_PART) {
            stats->partReferences++;
            continue;
          }
          const Pdb_Part *part = reinterpret_cast<const Pdb_Part *>(entry);
          stats->parts++;
          hdlKinds[part->hdl()]++;
          for (int p = 0; p < part->pairCount; p++) {
            const char *name;
            const char *value;
            part->pair(p, &name, &value);
            properties[name]++;
          }
        }
        return true;
      });
  RankNodes(&widest, top, &stats->widest);
  RankNodes(&fullest, top, &stats->fullest);
  RankCounts(properties, top, &stats->properties);
  RankCounts(hdlKinds, hdlKinds.size(), &stats->hdlKinds);
}

/* The top categories with a non-zero count, largest first (ties in tree
 * order), by path. */
static void
RankNodes(std::vector<std::pair<long, const Pdb_CategoryNode *>> *nodes,
          std::size_t top, Ranking *ranking) {
  std::stable_sort(
      nodes->begin(), nodes->end(),
      [](const auto &a, const auto &b) { return a.first > b.first; });
  for (const auto &[count, node] : *nodes) {
    if (ranking->size() == top || count == 0) {
      break;
    }
    char *path = node->nodePath();
    ranking->emplace_back(path != nullptr ? path : "", count);
    std::free(path);
  }
}

/* The top names, largest count first, ties by name. */
static void RankCounts(const std::unordered_map<std::string, long> &counts,
                       std::size_t top, Ranking *ranking) {
  ranking->assign(counts.begin(), counts.end());
  std::sort(ranking->begin(), ranking->end(), [](const auto &a, const auto &b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  if (ranking->size() > top) {
    ranking->resize(top);
  }
}

static void PrintText(const char *fileName, Pdb_Database *db,
                      const DbStats &stats) {
  std::printf("%s: %s, format version %d\n", fileName,
              db->binary ? "binary image" : "text database", db->version);
  std::printf("  parts                %10ld\n", stats.parts);
  std::printf("  part references      %10ld\n", stats.partReferences);
  std::printf("  categories           %10ld\n", stats.categories);
  std::printf("  category references  %10ld\n", stats.categoryReferences);
  std::printf("  tree depth           %10d\n", stats.depth);
  for (const RankingView &view : RANKINGS) {
    std::printf("  %s:\n", view.title);
    for (const auto &[name, count] : stats.*view.list) {
      std::printf("    %10ld  %s\n", count, name.c_str());
    }
  }
}

static void PrintJson(const char *fileName, Pdb_Database *db,
                      const DbStats &stats) {
  std::printf("{\"file\": ");
  PrintJsonString(fileName);
  std::printf(", \"form\": \"%s\", \"version\": %d, \"parts\": %ld, "
              "\"partReferences\": %ld, \"categories\": %ld, "
              "\"categoryReferences\": %ld, \"depth\": %d",
              db->binary ? "image" : "text", db->version, stats.parts,
              stats.partReferences, stats.categories, stats.categoryReferences,
              stats.depth);
  for (const RankingView &view : RANKINGS) {
    std::printf(", \"%s\": [", view.key);
    const char *separator = "";
    for (const auto &[name, count] : stats.*view.list) {
      std::printf("%s{\"%s\": ", separator, view.nameKey);
      PrintJsonString(name.c_str());
      std::printf(", \"%s\": %ld}", view.countKey, count);
      separator = ", ";
    }
    std::printf("]");
  }
  std::printf("}\n");
}

/* A JSON string: quotes, backslashes and control bytes escaped; other
 * bytes as they are (so UTF-8 text stays UTF-8). */
static void PrintJsonString(const char *text) {
  std::putchar('"');
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text);
       *p != '\0'; p++) {
    if (*p == '"' || *p == '\\') {
      std::printf("\\%c", *p);
    } else if (*p < 0x20) {
      std::printf("\\u%04x", *p);
    } else {
      std::putchar(*p);
    }
  }
  std::putchar('"');
}

const Pdb_ToolCommand pdbStatsCommand = {
    "stats", "counts, tree depth, widest categories, properties, HDL kinds",
    STATS_HELP, RunStats};
