/*
 * edit_target.h --
 *
 *	The database that pdb:add and pdb:delete change: the group's user
 *	database, or its site database with -db site, read and editable;
 *	and the plain failure report the two commands share.
 */

#ifndef TOVPART_EDIT_EDIT_TARGET_H
#define TOVPART_EDIT_EDIT_TARGET_H

#include <tcl.h>

class Pdb_AsciiDb;
class Pdb_Group;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveEditTarget --
 *
 *	Resolves the group of the current command (its -group value, else
 *	the current group) and chooses the database by its -db value (the
 *	site database for "site", else the user database), which must have
 *	been read and must have a tree that can be changed.
 *
 * Results:
 *	The database, an ASCII database with its editor and parts table,
 *	with *groupPtr set to the group; or nullptr with a message in the
 *	result: the group is unknown, or the database is not open, has not
 *	been read, or is a binary image mapped read-only.
 *
 *----------------------------------------------------------------------
 */

Pdb_AsciiDb *Pdb_ResolveEditTarget(Tcl_Interp *interp, Pdb_Group **groupPtr);

/* Appends message to the result; returns TCL_ERROR. */
int Pdb_EditFailure(Tcl_Interp *interp, const char *message);

#endif /* TOVPART_EDIT_EDIT_TARGET_H */
