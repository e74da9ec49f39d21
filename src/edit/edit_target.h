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
 * The group of the current command and the database its -db value
 * chooses, read and editable; nullptr with a message otherwise.
 */
Pdb_AsciiDb *Pdb_ResolveEditTarget(Tcl_Interp *interp, Pdb_Group **groupPtr);

/* Appends message to the result; returns TCL_ERROR. */
int Pdb_EditFailure(Tcl_Interp *interp, const char *message);

#endif /* TOVPART_EDIT_EDIT_TARGET_H */
