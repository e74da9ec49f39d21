/*
 * info_category.cpp --
 *
 *	pdb:info -category path option: whether a category exists, is
 *	protected, is or leads through a category reference, which real
 *	path it stands for, at which other paths it is found, and its help.
 */

#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "query/info_forms.h"
#include "query/search_engine.h"
#include "shell/conventions.h"

enum CategoryOption {
  OPT_EXISTS,
  OPT_PROTECTED,
  OPT_ISREFERENCE,
  OPT_TOREFERENCE,
  OPT_BYREFERENCE,
  OPT_DOCUMENTATION
};
static const Pdb_InfoWord categoryWords[] = {
    {"-exists", 2},      {"-protected", 2},   {"-isreference", 2},
    {"-toreference", 2}, {"-byreference", 2}, {"-documentation", 2}};
static const int CATEGORY_WORD_COUNT =
    sizeof(categoryWords) / sizeof(categoryWords[0]);

static const char *const USAGE_CATEGORY =
    " -category name ?-exists? ?-protected? ?-isreference? ?-toreference? "
    "?-byreference";
static const char *const CHOICES_CATEGORY_SHORT =
    "-exists, -protected, -isreference, -toreference, or -byreference";
static const char *const CHOICES_CATEGORY =
    "-exists, -protected, -isreference, -toreference, -documentation or "
    "-byreference";
static const char *const KIND_CATEGORY_REFERENCE = "category reference";
static const char *const MSG_IS_REFERENCE = "Is a reference category, \"";

static bool IsRealCategory(const Pdb_CategoryNode *node);
static int AppendAppearances(Tcl_Interp *interp, Pdb_Group *group,
                             const Pdb_CategoryNode *found, const char *path);
static int SetDocumentation(Tcl_Interp *interp, Pdb_Group *group,
                            const Pdb_CategoryNode *found);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InfoCategory --
 *
 *	pdb:info -category path option. The category is the first node the
 *	group finds at path, references followed across the group; every
 *	option but -exists needs it.
 *
 * Results:
 *	TCL_OK with the answer; TCL_ERROR with the usage, a bad option, the
 *	not-a-category message or the message of the option.
 *
 * Side effects:
 *	-byreference switches the group's hidden filter off for its search
 *	and on again after it.
 *
 *----------------------------------------------------------------------
 */

int Pdb_InfoCategory(Tcl_Interp *interp, Pdb_Group *group, int argc,
                     const char **argv) {
  if (argc == 3) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE_CATEGORY);
  }
  if (argc == 5) {
    return Pdb_WrongNumArgs(interp, argv[0], PDB_INFO_USAGE_FORM);
  }
  const char *path = argv[2];
  Pdb_CategoryNode *found = group->lookupPathInGroup(PDB_REFS_GROUP, path);
  int option = Pdb_MatchInfoWord(categoryWords, CATEGORY_WORD_COUNT, argv[3]);
  if (option == PDB_INFO_WORD_SHORT) {
    return Pdb_BadOption(interp, argv[3], CHOICES_CATEGORY_SHORT);
  }
  if (option < 0) {
    return Pdb_BadOption(interp, argv[3], CHOICES_CATEGORY);
  }
  if (option == OPT_EXISTS) {
    Pdb_SetFlagResult(interp, found != nullptr);
    return TCL_OK;
  }
  if (found == nullptr) {
    return Pdb_NotA(interp, PDB_INFO_KIND_CATEGORY, path);
  }
  switch (option) {
  case OPT_PROTECTED:
    Pdb_SetFlagResult(interp, Pdb_DefinedOutsideUserDatabases(
                                  group, PDB_OBJECT_CATEGORY, path));
    return TCL_OK;
  case OPT_ISREFERENCE:
    Pdb_SetFlagResult(interp, !IsRealCategory(group->lookupPathInGroup(
                                  PDB_REFS_IGNORE, path)));
    return TCL_OK;
  case OPT_TOREFERENCE:
    if (IsRealCategory(group->lookupPathInGroup(PDB_REFS_IGNORE, path))) {
      return Pdb_NotA(interp, KIND_CATEGORY_REFERENCE, path);
    }
    Tcl_AppendResult(interp, Pdb_CopyNodePath(found).get(), (char *)nullptr);
    return TCL_OK;
  case OPT_BYREFERENCE:
    return AppendAppearances(interp, group, found, path);
  default: /* OPT_DOCUMENTATION */
    return SetDocumentation(interp, group, found);
  }
}

/* A node that is there and is no category reference. */
static bool IsRealCategory(const Pdb_CategoryNode *node) {
  return node != nullptr && !node->isReference();
}

/*
 *----------------------------------------------------------------------
 *
 * AppendAppearances --
 *
 *	-byreference: the other paths at which the real category of path is
 *	found (references designating it, and paths through references to
 *	its ancestors), hidden ones included, in the order of the result
 *	set. The filter is on again on every way out. TCL_ERROR when path is
 *	no real category or names a category reference.
 *
 *----------------------------------------------------------------------
 */

static int AppendAppearances(Tcl_Interp *interp, Pdb_Group *group,
                             const Pdb_CategoryNode *found, const char *path) {
  if (group->lookupPathInGroup(PDB_REFS_IGNORE, path) == nullptr) {
    return Pdb_NotA(interp, PDB_INFO_KIND_REAL_CATEGORY, path);
  }
  if (found->isReference()) {
    Tcl_AppendResult(interp, MSG_IS_REFERENCE, path, "\"", (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_FilterOff filterOff(group->hidden);
  Pdb_StringSet appearances;
  Pdb_SearchEngine engine(group);
  group->forEachDatabase([&](Pdb_Database *db) {
    engine.appearancesOfCategory(db, path, appearances);
  });
  appearances.remove(path);
  appearances.forEach(
      [&](const char *other) { Tcl_AppendElement(interp, other); });
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * SetDocumentation --
 *
 *	-documentation: the help text of the category, for a category
 *	reference that of the real category at its reference path. A
 *	reference whose path names no real category of the group has no help
 *	to give: TCL_ERROR "Not a real category path" naming that path.
 *
 *----------------------------------------------------------------------
 */

static int SetDocumentation(Tcl_Interp *interp, Pdb_Group *group,
                            const Pdb_CategoryNode *found) {
  const Pdb_CategoryNode *category = found;
  if (found->isReference()) {
    category = group->lookupPathInGroup(PDB_REFS_IGNORE, found->refPath());
    if (!IsRealCategory(category)) {
      return Pdb_NotA(interp, PDB_INFO_KIND_REAL_CATEGORY, found->refPath());
    }
  }
  Tcl_AppendResult(interp, category->body()->helpText(), (char *)nullptr);
  return TCL_OK;
}
