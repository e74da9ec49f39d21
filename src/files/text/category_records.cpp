/*
 * category_records.cpp --
 *
 *	The [category] and [category=] record handlers of the ASCII reader
 *	and the user-database override that runs before the category handler.
 */

#include <cstdlib>
#include <cstring>

#include "edit/record_rules.h"
#include "files/text/ascii_reader.h"
#include "files/text/record_handlers.h"
#include "model/ascii_db.h"
#include "model/category_tree.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "model/tree_edit.h"
#include "shell/conventions.h"

static const char MSG_CATEGORY_ELEMENTS[] =
    "Wrong number of elements for category data";
static const char MSG_CATEGORY_NAME[] =
    "Category names must begin and end with \"/\"";
static const char MSG_CATREF_ELEMENTS[] =
    "Wrong number of elements for category reference data";
static const char MSG_CATREF_SCOPE[] =
    "Category reference is not in a category scope";
static const char MSG_CATREF_MISSING[] = "Reference to a non-existent category";

/* The first six characters of the two override markers. */
static const char *const OVERRIDE_MARKERS[] = {"{LIBMGR", "{CATDIR"};
enum { OVERRIDE_MARKER_LENGTH = 6 };

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HandleCategory --
 *
 *	Checks a [category] line, makes its path the current category and
 *	creates the missing categories of the path; a help text given must
 *	agree with the one the group records for the path.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 * Side effects:
 *	May add categories to the tree; replaces the current category.
 *
 *----------------------------------------------------------------------
 */

int Pdb_HandleCategory(Pdb_ReadState *state, int argc, char **argv) {
  if (argc != 2 && argc != 3) {
    return Pdb_ReportLineError(state, MSG_CATEGORY_ELEMENTS, PDB_EC_SYNTAX);
  }
  const char *path = argv[1];
  if (!Pdb_IsCategoryPath(path)) {
    return Pdb_ReportLineError(state, MSG_CATEGORY_NAME, PDB_EC_BAD_CAT_NAME);
  }
  char *copy = zq_strdup(path);
  if (copy == nullptr) {
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  free(state->categoryPath);
  state->categoryPath = copy;
  const char *help = argc == 3 ? argv[2] : "";
  state->categoryNode = state->db->treeEdit()->ensurePath(
      state->interp, state->group, path, help);
  return state->categoryNode == nullptr ? TCL_ERROR : TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ApplyUserOverride --
 *
 *	For a user database's [category] line whose help text carries an
 *	override marker, deletes the category of that path, with everything
 *	below it, from the group's site database in memory. A site database
 *	mapped from a binary image is read-only and is left alone.
 *
 * Side effects:
 *	May shrink the site database's tree and parts table.
 *
 * Results:
 *	None; the deletion may throw std::bad_alloc while it builds its sets.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ApplyUserOverride(Pdb_ReadState *state, int argc, char **argv) {
  if (state->db->kind != PDB_KIND_USER || argc != 3) {
    return;
  }
  bool marked = false;
  for (const char *marker : OVERRIDE_MARKERS) {
    marked = marked || strncmp(argv[2], marker, OVERRIDE_MARKER_LENGTH) == 0;
  }
  if (!marked) {
    return;
  }
  Pdb_Database *site = Pdb_FindSiteDatabase(state->group);
  if (site == nullptr || site->binary || site->tree == nullptr ||
      site->partsTable() == nullptr) {
    return;
  }
  Pdb_CategoryNode *node =
      site->lookupPath(state->group, PDB_REFS_SAME_TREE, argv[1]);
  if (node != nullptr) {
    site->treeEdit()->deleteSubtree(state->group, node, site->partsTable());
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HandleCategoryReference --
 *
 *	Checks a [category=] line and places a reference to the designated
 *	category, under the last component of its path, in the current
 *	category.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR through the line error report.
 *
 * Side effects:
 *	Adds a reference node to the tree.
 *
 *----------------------------------------------------------------------
 */

int Pdb_HandleCategoryReference(Pdb_ReadState *state, int argc, char **argv) {
  if (argc != 2) {
    return Pdb_ReportLineError(state, MSG_CATREF_ELEMENTS, PDB_EC_SYNTAX);
  }
  if (state->categoryPath == nullptr) {
    return Pdb_ReportLineError(state, MSG_CATREF_SCOPE, PDB_EC_NOT_IN_CAT);
  }
  const char *targetPath = argv[1];
  if (strcmp(targetPath, "/") == 0) {
    return Pdb_ReportLineError(state, PDB_MSG_REFERENCE_TO_ROOT,
                               PDB_EC_BAD_CATREF);
  }
  Pdb_CategoryNode *target =
      state->group->lookupPathInGroup(PDB_REFS_IGNORE, targetPath);
  if (target == nullptr) {
    return Pdb_ReportLineError(state, MSG_CATREF_MISSING, PDB_EC_NO_REFFED_CAT);
  }
  if (state->group->isCircularReference(state->categoryNode, targetPath)) {
    return Pdb_ReportLineError(state, PDB_MSG_CIRCULAR_REFERENCE,
                               PDB_EC_BAD_CATREF);
  }
  if (state->group->referencePlaceTaken(state->categoryPath, targetPath)) {
    return Pdb_ReportLineError(state, PDB_MSG_CATREF_EXISTS, PDB_EC_DUP_CATREF);
  }
  if (!state->db->treeEdit()->createReference(state->categoryNode, target)) {
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  return TCL_OK;
}
