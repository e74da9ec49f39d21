/*
 * info_part.cpp --
 *
 *	pdb:info -part name ?option?: a part's text form or one field group
 *	of it, whether it exists or is protected, where it is homed, which
 *	categories list it and which database holds it.
 */

#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "query/info_forms.h"
#include "query/search_engine.h"
#include "shell/conventions.h"

/* The options; of two with one second character the first takes the
 * words both could mean ("-p" -protected, "-h" -hdl). */
enum PartOption {
  OPT_EXISTS,
  OPT_PROTECTED,
  OPT_PROPERTIES,
  OPT_SYMBOL,
  OPT_TEMPLATE,
  OPT_HDL,
  OPT_HOME,
  OPT_CATEGORIES,
  OPT_DATABASE
};
static const Pdb_InfoWord partWords[] = {
    {"-exists", 2},       {"-protected", 2},  {"-properties", 2},
    {"-symbol", 2},       {"-template", 2},   {"-hdl", 2},
    {"-homecategory", 2}, {"-categories", 2}, {"-zq_pdb", 2}};
static const int PART_WORD_COUNT = sizeof(partWords) / sizeof(partWords[0]);

/* The field selector of each option that answers with a text form of the
 * part, -1 for the others; in the order of partWords. */
static const int partFields[] = {-1,
                                 -1,
                                 PDB_FIELD_PROPERTIES,
                                 PDB_FIELD_SYMBOL,
                                 PDB_FIELD_TEMPLATE,
                                 PDB_FIELD_HDL,
                                 -1,
                                 -1,
                                 -1};
static_assert(sizeof(partFields) / sizeof(partFields[0]) == PART_WORD_COUNT,
              "one field selector per option of -part");

static void SetPartText(Tcl_Interp *interp, const Pdb_Part *part, int selector);
static const Pdb_Part *AppendHomes(Tcl_Interp *interp, Pdb_Group *group,
                                   const char *name, Pdb_OwnedPath *lastHome);
static void AppendCategories(Tcl_Interp *interp, Pdb_Group *group,
                             const char *name);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InfoPart --
 *
 *	pdb:info -part name ?option?. The part is the first one of that
 *	name in the group's order. -exists needs no part; every other
 *	answer fails with the not-a-part message without one.
 *
 * Results:
 *	TCL_OK with the answer; TCL_ERROR with the usage, a bad option or
 *	the not-a-part message.
 *
 * Side effects:
 *	-categories switches the group's hidden filter off for its search
 *	and on again after it.
 *
 *----------------------------------------------------------------------
 */

int Pdb_InfoPart(Tcl_Interp *interp, Pdb_Group *group, int argc,
                 const char **argv) {
  if (argc == 5) {
    return Pdb_WrongNumArgs(interp, argv[0], PDB_INFO_USAGE_FORM);
  }
  const char *name = argv[2];
  const Pdb_Part *part = Pdb_FindPartInGroup(group, name);
  if (argc == 3) {
    if (part == nullptr) {
      return Pdb_NotA(interp, PDB_INFO_KIND_PART, name);
    }
    SetPartText(interp, part, PDB_FIELD_WHOLE);
    return TCL_OK;
  }
  int option = Pdb_MatchInfoWord(partWords, PART_WORD_COUNT, argv[3]);
  if (option < 0) {
    return Pdb_BadOption(interp, argv[3], PDB_INFO_CHOICES_PART);
  }
  if (option == OPT_EXISTS) {
    Pdb_SetFlagResult(interp, part != nullptr);
    return TCL_OK;
  }
  if (part == nullptr) {
    return Pdb_NotA(interp, PDB_INFO_KIND_PART, name);
  }
  if (partFields[option] >= 0) {
    SetPartText(interp, part, partFields[option]);
    return TCL_OK;
  }
  switch (option) {
  case OPT_PROTECTED:
    Pdb_SetFlagResult(
        interp, Pdb_DefinedOutsideUserDatabases(group, PDB_OBJECT_PART, name));
    break;
  case OPT_HOME:
    AppendHomes(interp, group, name, nullptr);
    break;
  case OPT_CATEGORIES:
    AppendCategories(interp, group, name);
    break;
  default: /* OPT_DATABASE */
    Pdb_InfoAppendDatabase(
        interp, group->findFirst([&](const char *, Pdb_Database *db) {
          return db->findPart(name) != nullptr;
        }));
    break;
  }
  return TCL_OK;
}

/* Sets the result to the part's text form of the selector. */
static void SetPartText(Tcl_Interp *interp, const Pdb_Part *part,
                        int selector) {
  Tcl_DString text;
  Pdb_FormatPartText(part, selector, &text);
  Tcl_DStringResult(interp, &text);
}

/*
 *----------------------------------------------------------------------
 *
 * AppendHomes --
 *
 *	Appends, for each database in group order that holds a part of that
 *	name, the path of the part's home category in that database. A part
 *	that no category of its database lists adds nothing.
 *
 *	Returns the part of the last database that holds one (nullptr when
 *	none does); when lastHome is given it receives the path appended
 *	last (nullptr when none was).
 *
 *----------------------------------------------------------------------
 */

static const Pdb_Part *AppendHomes(Tcl_Interp *interp, Pdb_Group *group,
                                   const char *name, Pdb_OwnedPath *lastHome) {
  const Pdb_Part *last = nullptr;
  group->forEachDatabase([&](Pdb_Database *db) {
    const Pdb_Part *part = db->findPart(name);
    if (part == nullptr) {
      return;
    }
    last = part;
    Pdb_CategoryNode *root =
        db->tree != nullptr ? db->tree->rootNode() : nullptr;
    Pdb_CategoryNode *home =
        root != nullptr
            ? root->homeOf(reinterpret_cast<const Pdb_PartEntry *>(part))
            : nullptr;
    if (home == nullptr) {
      return;
    }
    Pdb_OwnedPath path = Pdb_CopyNodePath(home);
    Tcl_AppendElement(interp, path.get());
    if (lastHome != nullptr) {
      *lastHome = std::move(path);
    }
  });
  return last;
}

/*
 *----------------------------------------------------------------------
 *
 * AppendCategories --
 *
 *	-categories: the home paths, then every other path at which some
 *	database's tree lists the part found last among them, hidden
 *	categories included, in the order of the result set. The filter is
 *	on again on every way out.
 *
 *----------------------------------------------------------------------
 */

static void AppendCategories(Tcl_Interp *interp, Pdb_Group *group,
                             const char *name) {
  Pdb_FilterOff filterOff(group->hidden);
  Pdb_OwnedPath lastHome;
  const Pdb_Part *part = AppendHomes(interp, group, name, &lastHome);
  Pdb_StringSet holding;
  Pdb_SearchEngine engine(group);
  group->forEachDatabase([&](Pdb_Database *db) {
    engine.categoriesHoldingPart(db, part, holding);
  });
  if (lastHome != nullptr) {
    holding.remove(lastHome.get());
  }
  holding.forEach([&](const char *path) { Tcl_AppendElement(interp, path); });
}
