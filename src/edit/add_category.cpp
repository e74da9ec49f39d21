/*
 * add_category.cpp --
 *
 *	The category form of pdb:add, and finding or making the category
 *	that a part or a reference goes into: a path that the target lacks
 *	must not run through one of its category references.
 */

#include <string>

#include "edit/add_forms.h"
#include "model/ascii_db.h"
#include "model/category_tree.h"
#include "model/tree_edit.h"
#include "shell/conventions.h"

static const char MSG_CATEGORY_EXISTS[] = "Category exists \"";
static const char MSG_CREATE_CATEGORY[] = "Could not create category, \"";
static const char MSG_MODIFY_REFERENCE[] =
    "Cannot modify a category reference \"";
static const char MSG_QUOTE_END[] = "\"";

static bool RefuseReferenceOnPath(const Pdb_AddContext &add);

/*
 *----------------------------------------------------------------------
 *
 * RefuseReferenceOnPath --
 *
 *	A path that the target lacks must not run through one of its
 *	category references: making it would put a real category beside the
 *	reference, under the same name, and the saved file would not read
 *	back.
 *
 * Results:
 *	True, with a message naming the reference's place, when it does.
 *
 *----------------------------------------------------------------------
 */

static bool RefuseReferenceOnPath(const Pdb_AddContext &add) {
  std::size_t place = add.target->treeEdit()->referenceOnPath(add.path);
  if (place == 0) {
    return false;
  }
  std::string reference(add.path, place);
  Tcl_AppendResult(add.interp, MSG_MODIFY_REFERENCE, reference.c_str(),
                   MSG_QUOTE_END, (char *)nullptr);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AddCategory --
 *
 *	Makes the category path in the target with help text help (the
 *	missing ancestors with empty ones). A path the target already finds
 *	(its own category references followed) is refused, and so is one
 *	that runs through a category reference of the target.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Categories made before a failure of the tree stay.
 *
 *----------------------------------------------------------------------
 */
int Pdb_AddCategory(const Pdb_AddContext &add, const char *help) {
  if (add.target->lookupPath(add.group, PDB_REFS_SAME_TREE, add.path) !=
      nullptr) {
    Tcl_AppendResult(add.interp, MSG_CATEGORY_EXISTS, add.path, MSG_QUOTE_END,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (RefuseReferenceOnPath(add)) {
    return TCL_ERROR;
  }
  if (add.target->treeEdit()->ensurePath(add.interp, add.group, add.path,
                                         help) == nullptr) {
    Tcl_AppendResult(add.interp, MSG_CREATE_CATEGORY, add.path, MSG_QUOTE_END,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AddFindCategory --
 *
 *	The real category of the target database that the path leads to
 *	(category references of the target followed), made with an empty
 *	help text when the target lacks it.
 *
 * Results:
 *	The node, or nullptr with a message: the path names a category
 *	reference or runs through one, or it could not be made (then the
 *	tree's own text, followed by failure, path and failureEnd when
 *	failure is not nullptr).
 *
 * Side effects:
 *	Categories made before a failure stay.
 *
 *----------------------------------------------------------------------
 */

Pdb_CategoryNode *Pdb_AddFindCategory(const Pdb_AddContext &add,
                                      const char *failure,
                                      const char *failureEnd) {
  Pdb_CategoryNode *cat =
      add.target->lookupPath(add.group, PDB_REFS_SAME_TREE, add.path);
  if (cat == nullptr) {
    if (RefuseReferenceOnPath(add)) {
      return nullptr;
    }
    cat =
        add.target->treeEdit()->ensurePath(add.interp, add.group, add.path, "");
    if (cat == nullptr) {
      if (failure != nullptr) {
        Tcl_AppendResult(add.interp, failure, add.path, failureEnd,
                         (char *)nullptr);
      }
      return nullptr;
    }
  }
  if (cat->isReference()) {
    Tcl_AppendResult(add.interp, MSG_MODIFY_REFERENCE, add.path, MSG_QUOTE_END,
                     (char *)nullptr);
    return nullptr;
  }
  return cat;
}
