/*
 * find_cmd.cpp --
 *
 *	The pdb:find command: searches the merged category trees of a group
 *	below one or more categories and returns the sorted, duplicate-free
 *	list of the part names, symbol names, template names, property names,
 *	property values or category paths it finds.
 */

#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <tcl.h>

#include "model/category_tree.h"
#include "model/group.h"
#include "query/glob_pattern.h"
#include "query/part_matcher.h"
#include "query/result_list.h"
#include "query/search_engine.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char *const findOptions[] = {
    "-type",       "-name",     "-part",      "-template",   "-symbol",
    "-propvalues", "-all",      "-norecurse", "-showhidden", "-catlist",
    "-group",      "-propname", "-hdl",       nullptr};

enum FindOption {
  FIND_TYPE,
  FIND_NAME,
  FIND_PART,
  FIND_TEMPLATE,
  FIND_SYMBOL,
  FIND_PROPVALUES,
  FIND_ALL,
  FIND_NORECURSE,
  FIND_SHOWHIDDEN,
  FIND_CATLIST,
  FIND_GROUP,
  FIND_PROPNAME,
  FIND_HDL
};

/* The words of -type; of those with the same first letter the first
 * whose beginning the word is wins. */
struct KindWord {
  const char *word;
  Pdb_FindKind kind;
};
static const KindWord kindWords[] = {{"part", Pdb_FindKind::PART},
                                     {"propvalues", Pdb_FindKind::PROPVALUES},
                                     {"propname", Pdb_FindKind::PROPNAME},
                                     {"template", Pdb_FindKind::TEMPLATE},
                                     {"symbol", Pdb_FindKind::SYMBOL},
                                     {"category", Pdb_FindKind::CATEGORY}};

/* Pieces end at each "??" so that no trigraph can form. */
static const char *const FIND_USAGE =
    "category ?-type type? ?-name pattern? ?-part pattern?"
    "?-template pattern? ?-symbol pattern? ?-propvalues values?"
    "?-hdl hdl?"
    "?-all?, ?-norecurse? ?-showhidden? ?-catlist? ?-group group?";
static const char *const FIND_MSG_BAD_TYPE =
    "pdb:find -type option value must be one of part, symbol, template, "
    "category, propvalues or propname.";
static const char *const FIND_MSG_ONE_PATTERN =
    "Options -name, -part, -symbol, -template, -propvalues, -propname and -all "
    "can be used only one at a time.";
static const char *const FIND_MSG_CATEGORY_PATTERN =
    "Wrong option, should be: pdb:find  -type category -name pattern";
static const char *const FIND_MSG_BAD_CATEGORY = "Category name \"";
static const char *const FIND_MSG_BAD_CATEGORY_END =
    "\" is invalid; category names must begin and end with \"/\"";
static const char *const FIND_MSG_NO_CATEGORY = "No such category \"";

/* One call's options. */
struct FindCall {
  Tcl_Obj *category = nullptr;
  Pdb_FindKind kind = Pdb_FindKind::PART;
  Tcl_Obj *propertyNames = nullptr; /* of -type propvalues */
  Tcl_Obj *pattern = nullptr;       /* of the one pattern option */
  Pdb_MatcherKind matcherKind = Pdb_MatcherKind::NONE;
  Pdb_PartMatcher matcher;
  const char *hdl = nullptr;
  const char *groupName = nullptr;
  bool nameGiven = false;
  bool noRecurse = false;
  bool showHidden = false;
  bool catList = false;
  std::optional<Pdb_GlobPattern> pathPattern;   /* of -type category */
  std::optional<Pdb_GlobPattern> namesOfValues; /* of -type propvalues */
};

static int ReportFindUsage(Tcl_Interp *interp, Tcl_Obj *const objv[]);
static int ReadType(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                    int *at, FindCall *call);
static int ReadPattern(Tcl_Interp *interp, int option, Tcl_Obj *value,
                       FindCall *call);
static int ReadOptions(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                       FindCall *call);
static Pdb_MatcherKind ChooseMatcher(Pdb_FindKind kind);
static int PrepareCall(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                       FindCall *call);
static int ListStarts(Tcl_Interp *interp, Pdb_Group *group, FindCall *call,
                      std::vector<std::string> *starts);
static void FillRequest(FindCall *call, Pdb_SearchRequest *request);
static int FindCommand(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[]);

/* The interpreter's wrong-number-of-arguments message; TCL_ERROR. */
static int ReportFindUsage(Tcl_Interp *interp, Tcl_Obj *const objv[]) {
  Tcl_WrongNumArgs(interp, 1, objv, FIND_USAGE);
  return TCL_ERROR;
}

/*
 * Reads the kind word after -type at objv[*at] (and, for propvalues, the
 * property-name pattern after it), advancing *at past them.
 */
static int ReadType(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                    int *at, FindCall *call) {
  if (*at + 1 >= objc) {
    return ReportFindUsage(interp, objv);
  }
  const char *word = Tcl_GetString(objv[++*at]);
  std::size_t length = std::strlen(word);
  const KindWord *chosen = nullptr;
  for (const KindWord &candidate : kindWords) {
    if (chosen == nullptr && word[0] == candidate.word[0] &&
        std::strncmp(word, candidate.word, length) == 0) {
      chosen = &candidate;
    }
  }
  if (chosen == nullptr) {
    Tcl_AppendResult(interp, FIND_MSG_BAD_TYPE, (char *)nullptr);
    return TCL_ERROR;
  }
  call->kind = chosen->kind;
  if (chosen->kind == Pdb_FindKind::PROPVALUES) {
    if (*at + 1 >= objc) {
      return ReportFindUsage(interp, objv);
    }
    call->propertyNames = objv[++*at];
  }
  return TCL_OK;
}

/* The matcher of each pattern option; -name's waits for the kind. */
struct PatternOption {
  int option;
  Pdb_MatcherKind matcher;
};
static const PatternOption patternOptions[] = {
    {FIND_NAME, Pdb_MatcherKind::NONE},
    {FIND_PART, Pdb_MatcherKind::NAME},
    {FIND_SYMBOL, Pdb_MatcherKind::SYMBOL},
    {FIND_TEMPLATE, Pdb_MatcherKind::TEMPLATE},
    {FIND_ALL, Pdb_MatcherKind::ANY_NAME},
    {FIND_PROPNAME, Pdb_MatcherKind::PROPERTY_NAME},
    {FIND_PROPVALUES, Pdb_MatcherKind::PROPERTY_PAIR}};

/* Stores the value of a pattern option; the property search
 * specification of -propvalues is checked at once. */
static int ReadPattern(Tcl_Interp *interp, int option, Tcl_Obj *value,
                       FindCall *call) {
  if (call->pattern != nullptr) {
    Tcl_AppendResult(interp, FIND_MSG_ONE_PATTERN, (char *)nullptr);
    return TCL_ERROR;
  }
  call->pattern = value;
  call->nameGiven = option == FIND_NAME;
  for (const PatternOption &entry : patternOptions) {
    if (entry.option == option) {
      call->matcherKind = entry.matcher;
    }
  }
  if (option == FIND_PROPVALUES) {
    return call->matcher.prepare(interp, call->matcherKind, value);
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * ReadOptions --
 *
 *	Reads the options from the third word on, each matched by Tcl's
 *	index lookup (unique abbreviations accepted). An option that takes
 *	a value takes the next word whatever it is.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with the message of the first fault: an
 *	unknown option, a missing value, a bad -type word, a second pattern
 *	option, a bad property search specification.
 *
 *----------------------------------------------------------------------
 */

static int ReadOptions(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                       FindCall *call) {
  for (int i = 2; i < objc; i++) {
    int option = 0;
    if (Tcl_GetIndexFromObj(interp, objv[i], findOptions, "option", 0,
                            &option) != TCL_OK) {
      return TCL_ERROR;
    }
    switch (option) {
    case FIND_NORECURSE:
      call->noRecurse = true;
      continue;
    case FIND_SHOWHIDDEN:
      call->showHidden = true;
      continue;
    case FIND_CATLIST:
      call->catList = true;
      continue;
    case FIND_TYPE:
      if (ReadType(interp, objc, objv, &i, call) != TCL_OK) {
        return TCL_ERROR;
      }
      continue;
    default:
      break;
    }
    if (i + 1 >= objc) {
      return ReportFindUsage(interp, objv);
    }
    Tcl_Obj *value = objv[++i];
    if (option == FIND_GROUP) {
      call->groupName = Tcl_GetString(value);
    } else if (option == FIND_HDL) {
      call->hdl = Tcl_GetString(value);
    } else if (ReadPattern(interp, option, value, call) != TCL_OK) {
      return TCL_ERROR;
    }
  }
  return TCL_OK;
}

/* The matcher that a -name pattern stands for under a result kind. */
static Pdb_MatcherKind ChooseMatcher(Pdb_FindKind kind) {
  switch (kind) {
  case Pdb_FindKind::PART:
    return Pdb_MatcherKind::NAME;
  case Pdb_FindKind::SYMBOL:
    return Pdb_MatcherKind::SYMBOL;
  case Pdb_FindKind::TEMPLATE:
    return Pdb_MatcherKind::TEMPLATE;
  case Pdb_FindKind::PROPNAME:
    return Pdb_MatcherKind::PROPERTY_NAME;
  case Pdb_FindKind::PROPVALUES:
    return Pdb_MatcherKind::PROPERTY_PAIR;
  case Pdb_FindKind::CATEGORY:
    break;
  }
  return Pdb_MatcherKind::NONE;
}

/*
 * Reads the options, then chooses the matcher a -name pattern stands for
 * (checking a property search specification), and refuses another
 * pattern option with -type category. TCL_OK, or TCL_ERROR with the
 * message of the first fault.
 */
static int PrepareCall(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[],
                       FindCall *call) {
  if (ReadOptions(interp, objc, objv, call) != TCL_OK) {
    return TCL_ERROR;
  }
  if (call->nameGiven) {
    call->matcherKind = ChooseMatcher(call->kind);
  }
  if (call->matcherKind != call->matcher.kind() &&
      call->matcher.prepare(interp, call->matcherKind, call->pattern) !=
          TCL_OK) {
    return TCL_ERROR;
  }
  if (call->kind == Pdb_FindKind::CATEGORY && call->pattern != nullptr &&
      !call->nameGiven) {
    Tcl_AppendResult(interp, FIND_MSG_CATEGORY_PATTERN, (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}

/*
 * The start categories: the elements of the category argument with
 * -catlist, else the argument as it is. Each must be a well-formed
 * category path that some database of the group holds (references
 * followed); the first that is not fails, as does an argument that is no
 * list.
 */
static int ListStarts(Tcl_Interp *interp, Pdb_Group *group, FindCall *call,
                      std::vector<std::string> *starts) {
  if (call->catList) {
    int count = 0;
    Tcl_Obj **elements = nullptr;
    if (Tcl_ListObjGetElements(interp, call->category, &count, &elements) !=
        TCL_OK) {
      return TCL_ERROR;
    }
    for (int i = 0; i < count; i++) {
      starts->emplace_back(Tcl_GetString(elements[i]));
    }
  } else {
    starts->emplace_back(Tcl_GetString(call->category));
  }
  for (const std::string &start : *starts) {
    const char *path = start.c_str();
    if (!Pdb_IsCategoryPath(path)) {
      Tcl_AppendResult(interp, FIND_MSG_BAD_CATEGORY, path,
                       FIND_MSG_BAD_CATEGORY_END, (char *)nullptr);
      return TCL_ERROR;
    }
    if (group->lookupPathInGroup(PDB_REFS_GROUP, path) == nullptr) {
      Tcl_AppendResult(interp, FIND_MSG_NO_CATEGORY, path, "\"",
                       (char *)nullptr);
      return TCL_ERROR;
    }
  }
  return TCL_OK;
}

/* The search the call asks for; its patterns are kept in call. The HDL
 * filter and the part matcher do not apply to -type category. */
static void FillRequest(FindCall *call, Pdb_SearchRequest *request) {
  request->kind = call->kind;
  request->recurse = !call->noRecurse;
  if (call->kind == Pdb_FindKind::CATEGORY) {
    if (call->pattern != nullptr) {
      request->pathPattern =
          &call->pathPattern.emplace(Tcl_GetString(call->pattern));
    }
    return;
  }
  request->hdl = call->hdl;
  if (call->matcherKind != Pdb_MatcherKind::NONE) {
    request->matcher = &call->matcher;
  }
  if (call->kind == Pdb_FindKind::PROPVALUES) {
    request->propertyNames =
        &call->namesOfValues.emplace(Tcl_GetString(call->propertyNames));
  }
}

/*
 *----------------------------------------------------------------------
 *
 * FindCommand --
 *
 *	pdb:find category ?option ...?: reads the options, chooses the
 *	matcher, resolves the group, checks the start categories and runs
 *	the search. With -showhidden the group's hidden filter is off from
 *	the group's resolution until the command returns, on every path.
 *
 * Results:
 *	TCL_OK with the sorted, duplicate-free list of what was found, or
 *	TCL_ERROR with the message of the first fault.
 *
 *----------------------------------------------------------------------
 */

static int FindCommand(Tcl_Interp *interp, int objc, Tcl_Obj *const objv[]) {
  Pdb_TraceObjv(objc, objv);
  if (objc < 2) {
    return ReportFindUsage(interp, objv);
  }
  FindCall call;
  call.category = objv[1];
  if (PrepareCall(interp, objc, objv, &call) != TCL_OK) {
    return TCL_ERROR;
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, call.groupName);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  std::optional<Pdb_FilterOff> filterOff;
  if (call.showHidden) {
    filterOff.emplace(group->hidden);
  }
  Pdb_SearchRequest request;
  if (ListStarts(interp, group, &call, &request.starts) != TCL_OK) {
    return TCL_ERROR;
  }
  FillRequest(&call, &request);
  Pdb_ResultList result;
  Pdb_SearchEngine(group).searchGroup(request, result);
  Tcl_Obj *list = result.sortedList();
  if (list == nullptr) {
    throw std::bad_alloc();
  }
  Tcl_SetObjResult(interp, list);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartFindObjCmd --
 *
 *	The command procedure of pdb:find: runs FindCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	FindCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of FindCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartFindObjCmd(ClientData, Tcl_Interp *interp, int objc,
                      Tcl_Obj *const objv[]) {
  return Pdb_Guard(interp, [&] { return FindCommand(interp, objc, objv); });
}
