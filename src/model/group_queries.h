/*
 * group_queries.h --
 *
 *	Questions commands ask a group about the databases it holds. Each
 *	walks the group's database table in its order and stops at the first
 *	database that answers.
 */

#ifndef TOVPART_MODEL_GROUP_QUERIES_H
#define TOVPART_MODEL_GROUP_QUERIES_H

#include <tcl.h>

class Pdb_Database;
class Pdb_Group;
struct Pdb_Part;

enum { PDB_OBJECT_PART = 0, PDB_OBJECT_CATEGORY = 2 };

/* True for a database of kind user or user_build. */
bool Pdb_IsUserDatabase(const Pdb_Database *db);

/* The first database of kind user or user_build, or nullptr. */
Pdb_Database *Pdb_FindUserDatabase(Pdb_Group *group);

/* The first database of kind site, or nullptr. */
Pdb_Database *Pdb_FindSiteDatabase(Pdb_Group *group);

/* True when some database was opened under exactly fileName. */
bool Pdb_IsFileOpen(Pdb_Group *group, const char *fileName);

/* True when a database of another kind than user/user_build holds it. */
bool Pdb_DefinedOutsideUserDatabases(Pdb_Group *group, int objectKind,
                                     const char *name);

/* Appends every handle of the group to the result as a list element. */
void Pdb_ListHandles(Tcl_Interp *interp, Pdb_Group *group);

/* The first part of that name in the group's databases, or nullptr. */
const Pdb_Part *Pdb_FindPartInGroup(Pdb_Group *group, const char *partName);

#endif /* TOVPART_MODEL_GROUP_QUERIES_H */
