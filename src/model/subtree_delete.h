/*
 * subtree_delete.h --
 *
 *	Removal of a category with everything below it from an editable
 *	database, and the clean-up that keeps no reference to freed parts.
 */

#ifndef TOVPART_MODEL_SUBTREE_DELETE_H
#define TOVPART_MODEL_SUBTREE_DELETE_H

#include <tcl.h>

#include "model/address_set.h"
#include "model/category_tree.h"

class Pdb_Group;

/*
 * Deletes node (nullptr: none) with its subtree from tree, the parts homed
 * there (freed, and removed from partsTable), every part reference to them
 * in any database of group, and every category reference of tree that
 * leads only into the deleted subtree or nowhere.
 */
void deleteSubtree(Pdb_CategoryTree *tree, Pdb_Group *group,
                   Pdb_CategoryNode *node, Tcl_HashTable *partsTable);

/*
 * Removes every part reference to a member of parts from every database
 * of group other than the one whose tree is except, and drops the parts
 * from the group's hidden-part table. Call before freeing the records.
 */
void Pdb_ForgetParts(Pdb_Group *group, const Pdb_CategoryTree *except,
                     const Pdb_AddressSet &parts);

#endif /* TOVPART_MODEL_SUBTREE_DELETE_H */
