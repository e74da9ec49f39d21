/*
 * db_snapshot.h --
 *
 *	What a database holds, as a sorted list of lines that do not depend
 *	on the order of siblings or of list entries: each category with its
 *	help text and each of its entries (kind and the part's text form),
 *	each category reference, each part of the parts table and the tree's
 *	counters. A database edited in memory and the same database saved and
 *	read back must give the same snapshot.
 */

#ifndef TOVPART_FUZZ_DB_SNAPSHOT_H
#define TOVPART_FUZZ_DB_SNAPSHOT_H

#include <string>
#include <vector>

class Pdb_Database;

/* The snapshot of db, its lines sorted. */
std::vector<std::string> SnapshotDatabase(Pdb_Database *db);

#endif /* TOVPART_FUZZ_DB_SNAPSHOT_H */
