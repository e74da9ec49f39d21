/*
 * info_cmd.cpp --
 *
 *	pdb:info: answers questions about one part, part reference,
 *	category, symbol or template name of a group, or lists the group's
 *	databases. This file holds the command's entry, its selector table
 *	and the dispatch, and the forms that take no option (-symbol,
 *	-template) or one fixed option (-zq_pdb -open); the forms of -part,
 *	-partref and -category have a file each.
 */

#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "query/info_forms.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

/* The selectors; "-partref" is tried before "-part" by words of six
 * characters or more. */
enum InfoSelector {
  SEL_PARTREF,
  SEL_PART,
  SEL_CATEGORY,
  SEL_SYMBOL,
  SEL_TEMPLATE,
  SEL_DATABASES
};
static const Pdb_InfoWord selectorWords[] = {{"-partref", 6},  {"-part", 2},
                                             {"-category", 2}, {"-symbol", 2},
                                             {"-template", 2}, {"-zq_pdb", 2}};
static const int SELECTOR_COUNT =
    sizeof(selectorWords) / sizeof(selectorWords[0]);

/* The one option of -zq_pdb. */
static const Pdb_InfoWord databaseWords[] = {{"-open", 2}};

static const char *const USAGE_WORDS =
    " ?-part? ?-category? ?-template? ?-symbol? ?-zq_pdb? ?-partref? name "
    "?options?";
static const char *const CHOICES_SELECTOR =
    "-part, -symbol, -template, -category, -partref, or -zq_pdb";
static const char *const CHOICES_DATABASES = "-open";
static const char *const KIND_SYMBOL = "symbol";
static const char *const KIND_TEMPLATE = "template";

static int DispatchInfo(Tcl_Interp *interp, int argc, const char **argv);
static int FindByField(Tcl_Interp *interp, Pdb_Group *group, int argc,
                       const char **argv, int selector);
static int ListDatabases(Tcl_Interp *interp, Pdb_Group *group, int argc,
                         const char **argv);

/*
 *----------------------------------------------------------------------
 *
 * TovPartInfoCmd --
 *
 *	pdb:info ?-group group? ?-db handle? selector name ?more? ?option?
 *	(the -db value is parsed and not used).
 *
 * Results:
 *	TCL_OK with the answer, one string, flag or list; TCL_ERROR with a
 *	message.
 *
 * Side effects:
 *	None on the databases. -categories and -byreference switch the
 *	group's hidden filter off for their search and on again after it.
 *
 *----------------------------------------------------------------------
 */

int TovPartInfoCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return DispatchInfo(interp, argc, argv); });
}

/* The preamble, the word count, the group and the dispatch. */
static int DispatchInfo(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc < 3 || argc > 5) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE_WORDS);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  switch (Pdb_MatchInfoWord(selectorWords, SELECTOR_COUNT, argv[1])) {
  case SEL_PART:
    return Pdb_InfoPart(interp, group, argc, argv);
  case SEL_PARTREF:
    return Pdb_InfoPartReference(interp, group, argc, argv);
  case SEL_CATEGORY:
    return Pdb_InfoCategory(interp, group, argc, argv);
  case SEL_SYMBOL:
    return FindByField(interp, group, argc, argv, PDB_FIELD_SYMBOL);
  case SEL_TEMPLATE:
    return FindByField(interp, group, argc, argv, PDB_FIELD_TEMPLATE);
  case SEL_DATABASES:
    return ListDatabases(interp, group, argc, argv);
  case PDB_INFO_WORD_SHORT:
    return Pdb_BadOption(interp, argv[1], PDB_INFO_CHOICES_PART);
  default:
    return Pdb_BadOption(interp, argv[1], CHOICES_SELECTOR);
  }
}

/*
 * -symbol name, -template name: the name of the first part whose symbol
 * (or template) name is name, asked of the library (veltrum) databases
 * first and then of the others, each in group order.
 */
static int FindByField(Tcl_Interp *interp, Pdb_Group *group, int argc,
                       const char **argv, int selector) {
  if (argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], PDB_INFO_USAGE_FORM);
  }
  const char *value = argv[2];
  const Pdb_Part *found = nullptr;
  for (bool libraries : {true, false}) {
    group->findFirst([&](const char *, Pdb_Database *db) {
      if ((db->kind == PDB_KIND_VELTRUM) == libraries) {
        found = db->findPartByField(selector, value);
      }
      return found != nullptr;
    });
    if (found != nullptr) {
      Tcl_AppendResult(interp, found->name(), (char *)nullptr);
      return TCL_OK;
    }
  }
  return Pdb_NotA(interp,
                  selector == PDB_FIELD_SYMBOL ? KIND_SYMBOL : KIND_TEMPLATE,
                  value);
}

/* -zq_pdb -open: the handles of the group's databases, in group order. */
static int ListDatabases(Tcl_Interp *interp, Pdb_Group *group, int argc,
                         const char **argv) {
  if (argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], PDB_INFO_USAGE_FORM);
  }
  if (Pdb_MatchInfoWord(databaseWords, 1, argv[2]) < 0) {
    return Pdb_BadOption(interp, argv[2], CHOICES_DATABASES);
  }
  Pdb_ListHandles(interp, group);
  return TCL_OK;
}
