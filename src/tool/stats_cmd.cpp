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
#include <map>
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

/* A category and its count, for the ranked lists. */
struct RankedNode {
  long count;
  const Pdb_CategoryNode *node;
};

/* Everything stats reports of one database. */
struct DbStats {
  long parts = 0;
  long partReferences = 0;
  long categories = 0;
  long categoryReferences = 0;
  int depth = 0;
  std::vector<RankedNode> widest;
  std::vector<RankedNode> fullest;
  std::vector<std::pair<std::string, long>> properties;
  std::map<std::string, long> hdlKinds;
};

static void CollectStats(Pdb_Database *db, std::size_t top, DbStats *stats);
static void KeepTop(std::vector<RankedNode> *ranked, std::size_t top);
static void PrintText(const char *fileName, Pdb_Database *db,
                      const DbStats &stats);
static void PrintJson(const char *fileName, Pdb_Database *db,
                      const DbStats &stats);
static void PrintJsonString(const char *text);
static std::string PathOf(const Pdb_CategoryNode *node);

/*
 * RunStats --
 *
 *	pdbtool stats [--json] [--top N] [--update] FILE
 *
 * Results:
 *	An exit status.
 */
static int RunStats(Tcl_Interp *interp, int argc, char **argv) {
  bool json = false;
  long top = DEFAULT_TOP;
  const char *fileName = nullptr;
  Pdb_ToolReadOptions options;
  for (int i = 0; i < argc; i++) {
    if (std::strcmp(argv[i], JSON_OPTION) == 0) {
      json = true;
    } else if (std::strcmp(argv[i], UPDATE_OPTION) == 0) {
      options.update = true;
    } else if (std::strcmp(argv[i], TOP_OPTION) == 0) {
      char *end = nullptr;
      top = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
      if (i + 1 >= argc || *end != '\0' || top < 0 || top > 1000000) {
        return Pdb_ToolUsageError(pdbStatsCommand,
                                  "--top needs a count from 0 to 1000000");
      }
      i++;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return Pdb_ToolUsageError(pdbStatsCommand, "unknown option", argv[i]);
    } else if (fileName != nullptr) {
      return Pdb_ToolUsageError(pdbStatsCommand, "takes one file; extra",
                                argv[i]);
    } else {
      fileName = argv[i];
    }
  }
  if (fileName == nullptr) {
    return Pdb_ToolUsageError(pdbStatsCommand, "no file");
  }
  Pdb_Group *group = Pdb_ToolNewGroup("stats");
  Pdb_Database *db = Pdb_ToolOpenDatabase(interp, group, fileName, options);
  if (db == nullptr) {
    Pdb_ToolReportResult(interp);
    Pdb_ToolEndGroup(group, true);
    return PDB_TOOL_BAD;
  }
  DbStats stats;
  CollectStats(db, static_cast<std::size_t>(top), &stats);
  if (json) {
    PrintJson(fileName, db, stats);
  } else {
    PrintText(fileName, db, stats);
  }
  Pdb_ToolEndGroup(group, true);
  return PDB_TOOL_OK;
}

/*
 * CollectStats --
 *
 *	One walk over the tree: real categories and references, the entries
 *	of every list (parts homed there, with their properties and HDL kind,
 *	and part references), the children of every category.
 */
static void CollectStats(Pdb_Database *db, std::size_t top, DbStats *stats) {
  std::unordered_map<std::string, long> propertyCounts;
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
        stats->widest.push_back({children, node});
        stats->fullest.push_back({list->count, node});
        for (int i = 0; i < list->count; i++) {
          const Pdb_PartEntry *entry = list->entry(i);
          if (entry->kind != PDB_ENTRY_PART) {
            stats->partReferences++;
            continue;
          }
          const Pdb_Part *part = reinterpret_cast<const Pdb_Part *>(entry);
          stats->parts++;
          stats->hdlKinds[part->hdl()]++;
          for (int p = 0; p < part->pairCount; p++) {
            const char *name;
            const char *value;
            part->pair(p, &name, &value);
            propertyCounts[name]++;
          }
        }
        return true;
      });
  KeepTop(&stats->widest, top);
  KeepTop(&stats->fullest, top);
  stats->properties.assign(propertyCounts.begin(), propertyCounts.end());
  std::sort(stats->properties.begin(), stats->properties.end(),
            [](const auto &a, const auto &b) {
              return a.second != b.second ? a.second > b.second
                                          : a.first < b.first;
            });
  if (stats->properties.size() > top) {
    stats->properties.resize(top);
  }
}

/* Keeps the top entries with a non-zero count, largest first; ties keep
 * tree order. */
static void KeepTop(std::vector<RankedNode> *ranked, std::size_t top) {
  ranked->erase(
      std::remove_if(ranked->begin(), ranked->end(),
                     [](const RankedNode &r) { return r.count == 0; }),
      ranked->end());
  std::stable_sort(ranked->begin(), ranked->end(),
                   [](const RankedNode &a, const RankedNode &b) {
                     return a.count > b.count;
                   });
  if (ranked->size() > top) {
    ranked->resize(top);
  }
}

static std::string PathOf(const Pdb_CategoryNode *node) {
  char *path = node->nodePath();
  std::string text = path != nullptr ? path : "";
  std::free(path);
  return text;
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
  const struct {
    const char *title;
    const std::vector<RankedNode> &ranked;
  } lists[] = {
      {"widest categories (child categories)", stats.widest},
      {"fullest categories (parts and part references)", stats.fullest}};
  for (const auto &list : lists) {
    std::printf("  %s:\n", list.title);
    for (const RankedNode &r : list.ranked) {
      std::printf("    %10ld  %s\n", r.count, PathOf(r.node).c_str());
    }
  }
  std::printf("  most common properties (parts that have them):\n");
  for (const auto &property : stats.properties) {
    std::printf("    %10ld  %s\n", property.second, property.first.c_str());
  }
  std::printf("  HDL kinds (parts):\n");
  for (const auto &kind : stats.hdlKinds) {
    std::printf("    %10ld  %s\n", kind.second, kind.first.c_str());
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
  const struct {
    const char *key;
    const char *countKey;
    const std::vector<RankedNode> &ranked;
  } lists[] = {{"widest", "children", stats.widest},
               {"fullest", "entries", stats.fullest}};
  for (const auto &list : lists) {
    std::printf(", \"%s\": [", list.key);
    const char *separator = "";
    for (const RankedNode &r : list.ranked) {
      std::printf("%s{\"path\": ", separator);
      PrintJsonString(PathOf(r.node).c_str());
      std::printf(", \"%s\": %ld}", list.countKey, r.count);
      separator = ", ";
    }
    std::printf("]");
  }
  std::printf(", \"properties\": [");
  const char *separator = "";
  for (const auto &property : stats.properties) {
    std::printf("%s{\"name\": ", separator);
    PrintJsonString(property.first.c_str());
    std::printf(", \"parts\": %ld}", property.second);
    separator = ", ";
  }
  std::printf("], \"hdlKinds\": {");
  separator = "";
  for (const auto &kind : stats.hdlKinds) {
    std::printf("%s", separator);
    PrintJsonString(kind.first.c_str());
    std::printf(": %ld", kind.second);
    separator = ", ";
  }
  std::printf("}}\n");
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
