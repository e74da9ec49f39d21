/*
 * db_report.h --
 *
 *	The printed dump of a database: its parts table, its category tree
 *	with the part entries of every category, the totals and its name.
 */

#ifndef TOVPART_REPORT_DB_REPORT_H
#define TOVPART_REPORT_DB_REPORT_H

#include <cstdio>

class Pdb_Database;
struct Pdb_CategoryNode;
struct Pdb_PartList;

/* Which sections a report holds; at most one is set. */
struct Pdb_ReportSections {
  bool table;       /* the parts table alone */
  bool tree;        /* the tree with its part entries alone */
  bool noPartsTree; /* the tree without part entries alone */
};

/*
 * Writes the report of db to out: the parts section (unless only a tree
 * is asked for), the tree section with its totals (unless only the table
 * is), then the database name line.
 */
void Pdb_PrintReport(Pdb_Database *db, const Pdb_ReportSections &sections,
                     FILE *out);

/* Writes one "level:" line per entry of list at level. */
void Pdb_PrintPartList(const Pdb_PartList *list, int level, FILE *out);

/*
 * Writes the "LEVEL:" line of node and, depth first without recursion,
 * of its children (one level deeper) and its following siblings (at the
 * same level), each real category followed by its part list when
 * showParts is set.
 */
void Pdb_PrintTree(const Pdb_CategoryNode *node, int level, bool showParts,
                   FILE *out);

#endif /* TOVPART_REPORT_DB_REPORT_H */
