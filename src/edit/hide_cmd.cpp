/*
 * hide_cmd.cpp --
 *
 *	The pdb:hide command: adds parts and categories to the hidden lists
 *	of a group, takes them off again, and reports the lists to the
 *	interpreter, to standard output or to a file.
 */

#include <cstdio>
#include <tcl.h>

#include "host/tov_host.h"
#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"
#include "shell/report_file.h"

/* The option values; reset before every parse. */
static const char *hideGroup;
static const char *hideParts;
static const char *hideCategories;
static const char *hideFile;
static int hideUnhide;
static int hidePrint;
static int hideListParts;
static int hideListCategories;

static const Tov_ArgvInfo hideOptions[] = {
    {"-group", TOV_ARGV_STRING, nullptr, &hideGroup,
     "the database group to operate on"},
    {"-parts", TOV_ARGV_STRING, nullptr, &hideParts, "Hidden part list"},
    {"-categories", TOV_ARGV_STRING, nullptr, &hideCategories,
     "Hidden category list"},
    {"-file", TOV_ARGV_STRING, nullptr, &hideFile,
     "print hidden part and category to a file"},
    {"-unhide", TOV_ARGV_CONSTANT, &pdbFlagOn, &hideUnhide,
     "unhide the objects in the list"},
    {"-print", TOV_ARGV_CONSTANT, &pdbFlagOn, &hidePrint,
     "print part hash table flag"},
    {"parts", TOV_ARGV_CONSTANT, &pdbFlagOn, &hideListParts,
     "print hidden parts to interp flag"},
    {"categories", TOV_ARGV_CONSTANT, &pdbFlagOn, &hideListCategories,
     "print hidden categories to interp flag"},
    {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};

static const char *const HIDE_MSG_UNKNOWN_ONE = "Unknown option or string,";
static const char *const HIDE_MSG_UNKNOWN_MANY = "Unknown options or strings,";
static const char *const HIDE_USAGE =
    "USAGE: pdb:hide -parts {{part}...} -categories {{category}...} "
    "[ parts | categories | -file <out file name> | -print ]";
static const char *const HIDE_MSG_SPLIT = ": could not split the hidden list";
static const char *const HIDE_MSG_NO_PART = "No such part, ";
static const char *const HIDE_MSG_NOT_HIDDEN_PART = "Not a hidden part: \"";
static const char *const HIDE_MSG_UNHIDE_PART =
    "Unable to delete hidden part \"";
static const char *const HIDE_MSG_BAD_CATEGORY = "Bad category name \"";
static const char *const HIDE_MSG_NO_CATEGORY = "No such category, ";
static const char *const HIDE_MSG_NOT_REAL = "Not a real category, \"";
static const char *const HIDE_MSG_NOT_HIDDEN_CATEGORY =
    "Not a hidden category: \"";
static const char *const HIDE_MSG_UNHIDE_CATEGORY =
    "Unable to delete hidden category \"";
static const char *const HIDE_MSG_PRINT_TO = "Print to file: ";
static const char *const HIDE_REPORT_PARTS = "<<<<<< Hidden parts (size: ";
static const char *const HIDE_REPORT_CATEGORIES =
    "<<<<<< Hidden categories (size: ";

static int ApplyPart(Tcl_Interp *interp, Pdb_Group *group, const char *name,
                     bool unhide);
static int ApplyCategory(Tcl_Interp *interp, Pdb_Group *group, const char *path,
                         bool unhide);
static int ApplyList(Tcl_Interp *interp, Pdb_Group *group, const char *list,
                     bool parts, bool unhide);
static void PrintLine(FILE *out, const char *text);
static void PrintHiddenLists(const Pdb_HiddenLists &hidden, FILE *out);
static int HideCommand(Tcl_Interp *interp, int argc, const char **argv);

/* Hides or unhides the part of that name (the first the group finds). */
static int ApplyPart(Tcl_Interp *interp, Pdb_Group *group, const char *name,
                     bool unhide) {
  const Pdb_Part *part = Pdb_FindPartInGroup(group, name);
  if (part == nullptr) {
    Tcl_AppendResult(interp, HIDE_MSG_NO_PART, name, (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_HiddenLists &hidden = group->hidden;
  if (!unhide) {
    hidden.hidePart(part);
    return TCL_OK;
  }
  if (!hidden.isPartHidden(part)) {
    Tcl_AppendResult(interp, HIDE_MSG_NOT_HIDDEN_PART, name, "\"",
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (!hidden.unhidePart(part)) {
    Tcl_AppendResult(interp, HIDE_MSG_UNHIDE_PART, name, "\"", (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}

/*
 * Hides a real category by its path, or unhides a hidden path. Only a
 * well-formed path that some database holds as a real category (not a
 * reference, not reached only through one) can be hidden.
 */
static int ApplyCategory(Tcl_Interp *interp, Pdb_Group *group, const char *path,
                         bool unhide) {
  Pdb_HiddenLists &hidden = group->hidden;
  if (unhide) {
    if (!hidden.isCategoryHidden(path)) {
      Tcl_AppendResult(interp, HIDE_MSG_NOT_HIDDEN_CATEGORY, path, "\"",
                       (char *)nullptr);
      return TCL_ERROR;
    }
    if (!hidden.unhideCategory(path)) {
      Tcl_AppendResult(interp, HIDE_MSG_UNHIDE_CATEGORY, path, "\"",
                       (char *)nullptr);
      return TCL_ERROR;
    }
    return TCL_OK;
  }
  if (!Pdb_IsCategoryPath(path)) {
    Tcl_AppendResult(interp, HIDE_MSG_BAD_CATEGORY, path, "\"",
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (group->lookupPathInGroup(PDB_REFS_GROUP, path) == nullptr) {
    Tcl_AppendResult(interp, HIDE_MSG_NO_CATEGORY, path, (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_CategoryNode *real = group->lookupPathInGroup(PDB_REFS_IGNORE, path);
  if (real == nullptr || real->isReference()) {
    Tcl_AppendResult(interp, HIDE_MSG_NOT_REAL, path, "\"", (char *)nullptr);
    return TCL_ERROR;
  }
  hidden.hideCategory(path);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * ApplyList --
 *
 *	Splits list as a Tcl list and hides or unhides each element, parts
 *	or categories, in order. The first element that fails stops the
 *	walk; those before it stay applied.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with the message of the failing element, or the
 *	split's message followed by ": could not split the hidden list".
 *
 *----------------------------------------------------------------------
 */

static int ApplyList(Tcl_Interp *interp, Pdb_Group *group, const char *list,
                     bool parts, bool unhide) {
  int count = 0;
  const char **elements = nullptr;
  if (Tcl_SplitList(interp, list, &count, &elements) != TCL_OK) {
    Tcl_AppendResult(interp, HIDE_MSG_SPLIT, (char *)nullptr);
    return TCL_ERROR;
  }
  int status = TCL_OK;
  for (int i = 0; i < count && status == TCL_OK; i++) {
    status = parts ? ApplyPart(interp, group, elements[i], unhide)
                   : ApplyCategory(interp, group, elements[i], unhide);
  }
  Tcl_Free(reinterpret_cast<char *>(elements));
  return status;
}

/* Writes text and an end of line, and flushes. */
static void PrintLine(FILE *out, const char *text) {
  std::fputs(text, out);
  std::fputc('\n', out);
  std::fflush(out);
}

/*
 * The report of the hidden lists: an empty line, the parts with their
 * count, an empty line, the categories with theirs, an empty line.
 */
static void PrintHiddenLists(const Pdb_HiddenLists &hidden, FILE *out) {
  PrintLine(out, "");
  std::fprintf(out, "%s%d):\n", HIDE_REPORT_PARTS, hidden.hiddenPartCount());
  std::fflush(out);
  hidden.forEachHiddenPart(
      [&](const Pdb_Part *part) { PrintLine(out, part->name()); });
  PrintLine(out, "");
  std::fprintf(out, "%s%d):\n", HIDE_REPORT_CATEGORIES,
               hidden.hiddenCategoryCount());
  std::fflush(out);
  hidden.forEachHiddenCategory([&](const char *path) { PrintLine(out, path); });
  PrintLine(out, "");
}

/*
 *----------------------------------------------------------------------
 *
 * HideCommand --
 *
 *	pdb:hide ?-group group? ?-unhide? ?-parts list? ?-categories list?
 *	?parts | categories | -file name | -print?: applies the part list,
 *	answers with the hidden parts when "parts" is given, applies the
 *	category list, answers with the hidden categories when "categories"
 *	is given, then reports the lists to a file and to standard output as
 *	asked.
 *
 * Results:
 *	TCL_OK with an empty result, a list, or "Print to file: name";
 *	TCL_ERROR with the message of the first fault. Elements applied
 *	before a failing one stay applied.
 *
 *----------------------------------------------------------------------
 */

static int HideCommand(Tcl_Interp *interp, int argc, const char **argv) {
  Pdb_TraceArgv(argc, argv);
  if (Pdb_CheckDuplicateOptions(interp, argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  hideGroup = nullptr;
  hideParts = nullptr;
  hideCategories = nullptr;
  hideFile = nullptr;
  hideUnhide = 0;
  hidePrint = 0;
  hideListParts = 0;
  hideListCategories = 0;
  Tcl_ResetResult(interp);
  if (Tov_ParseArgv(interp, &argc, argv, hideOptions, 0) != 0) {
    return TCL_ERROR;
  }
  if (argc > 1) {
    Tcl_AppendResult(interp,
                     argc == 2 ? HIDE_MSG_UNKNOWN_ONE : HIDE_MSG_UNKNOWN_MANY,
                     (char *)nullptr);
    for (int i = 1; i < argc; i++) {
      Tcl_AppendResult(interp, " ", argv[i], (char *)nullptr);
    }
    return TCL_ERROR;
  }
  if (hideParts == nullptr && hideCategories == nullptr &&
      hideFile == nullptr && !hidePrint && !hideListParts &&
      !hideListCategories) {
    Tcl_AppendResult(interp, HIDE_USAGE, (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, hideGroup);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  bool unhide = hideUnhide != 0;
  if (hideParts != nullptr &&
      ApplyList(interp, group, hideParts, true, unhide) != TCL_OK) {
    return TCL_ERROR;
  }
  if (hideListParts) {
    group->hidden.forEachHiddenPart(
        [&](const Pdb_Part *part) { Tcl_AppendElement(interp, part->name()); });
    return TCL_OK;
  }
  if (hideCategories != nullptr &&
      ApplyList(interp, group, hideCategories, false, unhide) != TCL_OK) {
    return TCL_ERROR;
  }
  if (hideListCategories) {
    group->hidden.forEachHiddenCategory(
        [&](const char *path) { Tcl_AppendElement(interp, path); });
    return TCL_OK;
  }
  if (hideFile != nullptr &&
      Pdb_WriteReportFile(interp, hideFile, HIDE_MSG_PRINT_TO, [&](FILE *out) {
        PrintHiddenLists(group->hidden, out);
      }) != TCL_OK) {
    return TCL_ERROR;
  }
  if (hidePrint) {
    PrintHiddenLists(group->hidden, stdout);
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartHideCmd --
 *
 *	The command procedure of pdb:hide: runs HideCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	HideCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of HideCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartHideCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return HideCommand(interp, argc, argv); });
}
