/*
 * registry.h --
 *
 *	The module-wide registry of groups, the current group and the two
 *	counters that name new groups and new database handles, with the
 *	lookups that commands use to resolve a group and a handle.
 */

#ifndef TOVPART_SHELL_REGISTRY_H
#define TOVPART_SHELL_REGISTRY_H

#include <cstdint>
#include <tcl.h>

class Pdb_Database;
class Pdb_Group;

struct Pdb_GroupRegistry {
  Tcl_HashTable groups;   /* group name -> Pdb_Group; owns them */
  Pdb_Group *current;     /* a group of the table; nullptr after exit */
  int nameCounter;        /* next "group%d" number */
  uint32_t handleCounter; /* next "zq_pdb%u" number */
};

extern Pdb_GroupRegistry pdbRegistry;

/*
 * Starts the registry afresh with a new default group, made current;
 * groups left from an earlier start are destroyed first. Returns TCL_OK,
 * or TCL_ERROR with a message when memory ran out (the registry is then
 * empty with no current group).
 */
int Pdb_InitRegistry(Tcl_Interp *interp);

/*
 * Destroys every group and leaves the registry empty with no current
 * group; commands still registered elsewhere then find no group.
 */
void Pdb_ClearRegistry();

/*
 * Creates a group named "group%d" from the counter and enters it into the
 * registry. nullptr with a message in the result when out of memory.
 */
Pdb_Group *Pdb_NewGroup(Tcl_Interp *interp);

/* The group of that name, or nullptr with the unknown-group message. */
Pdb_Group *Pdb_FindGroup(Tcl_Interp *interp, const char *name);

/*
 * nullptr name: the current group (nullptr with a message when the
 * registry has none); otherwise as Pdb_FindGroup.
 */
Pdb_Group *Pdb_ResolveGroup(Tcl_Interp *interp, const char *name);

/*
 * Formats the next handle into buffer (at least 24 bytes). The counter is
 * not advanced; pdb:open advances it once the database is entered.
 */
void Pdb_FormatNextHandle(char *buffer);

/* The database of handle in group, or nullptr with "Not a zq_pdb ...". */
Pdb_Database *Pdb_LookupHandle(Tcl_Interp *interp, Pdb_Group *group,
                               const char *handle);

/*
 * The group named groupName (nullptr: the current group), then the
 * database of handle in it; nullptr with the message of whichever failed.
 */
Pdb_Database *Pdb_ResolveHandle(Tcl_Interp *interp, const char *groupName,
                                const char *handle);

/* True when the -db value of the current command is "site". */
bool Pdb_IsSiteRoleChosen();

/*
 * The database the -db value chooses by its role: the group's site
 * database for "site", else its user database (the first of kind user or
 * user_build). nullptr with "Site parts database is not open" or "User
 * parts database is not open" appended when the group has none.
 */
Pdb_Database *Pdb_FindRoleDatabase(Tcl_Interp *interp, Pdb_Group *group);

#endif /* TOVPART_SHELL_REGISTRY_H */
