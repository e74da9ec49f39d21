/*
 * add_category.cpp --
 *
 *	The category form of pdb:add, and finding or making the category
 *	that a part or a reference goes into: a path that the target lacks
 *	must not run through one of its category references.
 */

#include <cstring>
#include <string>

#include "edit/add_forms.h"
#include "model/ascii_db.h"
#include "model/category_tree.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "model/tree_edit.h"
#include "shell/conventions.h"

static const char MSG_CATEGORY_EXISTS[] = "Category exists \"";
static const char MSG_CREATE_CATEGORY[] = "Could not create category, \"";
static const char MSG_MODIFY_REFERENCE[] =
    "Cannot modify a category reference \"";
static const char MSG_QUOTE_END[] = "\"";
static const char MSG_OTHER_HELP[] = "The user parts database has category \"";
static const char MSG_OTHER_HELP_END[] = "\" with another help text";

static bool RefuseReferenceOnPath(const Pdb_AddContext &add);
static bool RefuseHelpConflict(const Pdb_AddContext &add, const char *help);

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
 * RefuseHelpConflict --
 *
 *	The categories of the path that a database other than a user
 *	database lacks are made with empty help texts, the last with help.
 *	When a user database holds one of them with another, non-empty help
 *	text, the user database's file would no longer read back after this
 *	database's (the reader checks a help text against the one the group
 *	finds first).
 *
 * Results:
 *	True, with a message naming the category, when that is so.
 *
 *----------------------------------------------------------------------
 */

static bool RefuseHelpConflict(const Pdb_AddContext &add, const char *help) {
  if (Pdb_IsUserDatabase(add.target)) {
    return false;
  }
  std::string prefix(add.path);
  for (std::size_t end = 1; end < prefix.size(); end++) {
    if (prefix[end] != '/') {
      continue;
    }
    std::string path(prefix, 0, end + 1);
    const char *given = end + 1 == prefix.size() ? help : "";
    if (add.target->lookupPath(add.group, PDB_REFS_IGNORE, path.c_str()) !=
        nullptr) {
      continue;
    }
    if (add.group->findFirst([&](const char *, Pdb_Database *db) {
          Pdb_CategoryNode *node =
              Pdb_IsUserDatabase(db)
                  ? db->lookupPath(add.group, PDB_REFS_IGNORE, path.c_str())
                  : nullptr;
          const char *held = node == nullptr || node->isReference()
                                 ? ""
                                 : node->body()->helpText();
          return held[0] != '\0' && std::strcmp(held, given) != 0;
        }) != nullptr) {
      Tcl_AppendResult(add.interp, MSG_OTHER_HELP, path.c_str(),
                       MSG_OTHER_HELP_END, (char *)nullptr);
      return true;
    }
  }
  return false;
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
  if (RefuseReferenceOnPath(add) || RefuseHelpConflict(add, help)) {
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
    if (RefuseReferenceOnPath(add) || RefuseHelpConflict(add, "")) {
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
