/*
 * add_forms.h --
 *
 *	The forms of pdb:add, which the command chooses by its word count:
 *	creating a category, adding a part or category reference, creating a
 *	part; and the step they share, finding or making the category that
 *	a part or a reference goes into.
 */

#ifndef TOVPART_EDIT_ADD_FORMS_H
#define TOVPART_EDIT_ADD_FORMS_H

#include <tcl.h>

class Pdb_AsciiDb;
class Pdb_Group;
struct Pdb_CategoryNode;

/* What every form works on. */
struct Pdb_AddContext {
  Tcl_Interp *interp;
  Pdb_Group *group;
  Pdb_AsciiDb *target; /* the database being edited */
  const char *path;    /* the category path, already checked */
};

/*
 * Creates the category path with help text help (the intermediate
 * categories with empty ones). TCL_OK, or TCL_ERROR with a message.
 */
int Pdb_AddCategory(const Pdb_AddContext &add, const char *help);

/*
 * The three-word form: when the path names a category anywhere in the
 * group, adds a reference to the part or category that word names;
 * otherwise creates the category with word as its help text. TCL_OK, or
 * TCL_ERROR with a message.
 */
int Pdb_AddReference(const Pdb_AddContext &add, const char *word);

/*
 * Creates part name in the category from its symbol and template
 * records, with the HDL kind hdl (nullptr: derive it). TCL_OK, or
 * TCL_ERROR with a message.
 */
int Pdb_AddPart(const Pdb_AddContext &add, const char *name,
                const char *symbolRecord, const char *templateRecord,
                const char *hdl);

/*
 * The real category of the target that the path leads to, made when
 * missing; nullptr with a message (failure, the path and failureEnd after
 * the tree's own text when it could not be made and failure is given).
 */
Pdb_CategoryNode *Pdb_AddFindCategory(const Pdb_AddContext &add,
                                      const char *failure,
                                      const char *failureEnd);

#endif /* TOVPART_EDIT_ADD_FORMS_H */
