/*
 * ascii_reader.cpp --
 *
 *	The ASCII reader's line loop: skips blank lines and lines beginning
 *	with "]", splits every other line in place and hands it by keyword to
 *	its record handler; stops at the first bad line, or with an observer
 *	reports it and goes on.
 */

#include "files/text/ascii_reader.h"

#include <cstdlib>
#include <cstring>

#include "files/text/record_handlers.h"
#include "host/line_reader.h"
#include "model/ascii_db.h"
#include "shell/conventions.h"

static const char MSG_SPLIT_LINE[] = "Could not split line";
static const char MSG_NUL_BYTE[] = "Line holds a NUL byte";
static const char MSG_UNKNOWN_KEYWORD[] =
    "Unrecognized keyword. Should be [part], [part=], [category] or "
    "[category=]";

/* The word an observer is given for a failure that carries no code. */
static const char NO_CODE_WORD[] = "NONE";

static const char KEYWORD_PART[] = "[part]";
static const char KEYWORD_PART_REFERENCE[] = "[part=]";
static const char KEYWORD_CATEGORY[] = "[category]";
static const char KEYWORD_CATEGORY_REFERENCE[] = "[category=]";

/* Lines between two progress calls. */
enum { PROGRESS_INTERVAL = 8192 };

static int ReadRecords(Pdb_ReadState *state);
static int DispatchRecord(Pdb_ReadState *state, int argc, char **argv);
static bool IsScopedRecord(const char *keyword);
static bool ShouldReadOn(Pdb_ReadState *state, bool categoryLine,
                         int reportedBefore);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReadAsciiDatabase --
 *
 *	Sets up the per-read state, reads every record and marks the
 *	database read when the end of the file is reached with no bad line.
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR (see ascii_reader.h).
 *
 * Side effects:
 *	Everything built before a failure stays in the database; the
 *	observer's hooks are called as the read goes.
 *
 *----------------------------------------------------------------------
 */

int Pdb_ReadAsciiDatabase(Tcl_Interp *interp, Pdb_Group *group, Pdb_AsciiDb *db,
                          bool update, const Pdb_ReadObserver *observer) {
  Pdb_ReadState state;
  state.interp = interp;
  state.db = db;
  state.group = group;
  state.categoryPath = nullptr;
  state.categoryNode = nullptr;
  state.lineNumber = 0;
  state.update = update;
  state.observer = observer;
  state.reported = 0;
  state.lastWord = nullptr;
  if (!Pdb_LineBufferInit(&state.line, PDB_LINE_INITIAL_CAPACITY)) {
    return Pdb_ReportLineError(&state, PDB_MSG_NO_MEMORY_TO_READ,
                               PDB_EC_MALLOC);
  }
  int status = ReadRecords(&state);
  free(state.categoryPath);
  Pdb_LineBufferRelease(&state.line);
  if (status == TCL_OK && state.reported > 0) {
    status = TCL_ERROR;
  }
  if (status == TCL_OK) {
    db->read = true;
    Tcl_ResetResult(interp);
  }
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * ReadRecords --
 *
 *	The line loop: refuses a line holding a NUL byte, skips blank lines
 *	and lines beginning with "]", splits every other line in place and
 *	dispatches it by keyword.
 *
 * Results:
 *	TCL_OK at the end of the file, or TCL_ERROR at a bad line that ends
 *	the read.
 *
 *----------------------------------------------------------------------
 */

static int ReadRecords(Pdb_ReadState *state) {
  const Pdb_ReadObserver *observer = state->observer;
  bool skipScope = false; /* in the scope of a [category] line that failed */
  for (;;) {
    state->lineNumber++;
    if (observer != nullptr && observer->progress != nullptr &&
        state->lineNumber % PROGRESS_INTERVAL == 0) {
      observer->progress(observer->context, ftell(state->db->file));
    }
    long length = Pdb_ReadLine(&state->line, state->db->file);
    if (length == 0) {
      return TCL_OK;
    }
    if (length < 0) {
      return Pdb_ReportLineError(state, Tcl_PosixError(state->interp),
                                 PDB_EC_POSIX);
    }
    char *line = state->line.bytes;
    int reportedBefore = state->reported;
    if (Pdb_LineHoldsNul(line, length)) {
      Pdb_ReportLineError(state, MSG_NUL_BYTE, PDB_EC_SYNTAX);
      if (!ShouldReadOn(state, false, reportedBefore)) {
        return TCL_ERROR;
      }
      continue;
    }
    if (line[0] == ']' || Pdb_IsBlankLine(line)) {
      continue;
    }
    int argc = 0;
    char *argv[PDB_RECORD_MAX_ELEMENTS];
    if (Tov_SplitListInPlace(nullptr, line, &argc, argv,
                             PDB_RECORD_MAX_ELEMENTS) != 0 ||
        argc == 0) {
      Pdb_ReportLineError(state, MSG_SPLIT_LINE, PDB_EC_SYNTAX);
      if (!ShouldReadOn(state, false, reportedBefore)) {
        return TCL_ERROR;
      }
      continue;
    }
    bool categoryLine = strcmp(argv[0], KEYWORD_CATEGORY) == 0;
    if (skipScope && IsScopedRecord(argv[0])) {
      continue;
    }
    skipScope = skipScope && !categoryLine;
    if (observer != nullptr) {
      Tcl_ResetResult(state->interp);
    }
    if (DispatchRecord(state, argc, argv) != TCL_OK) {
      if (!ShouldReadOn(state, categoryLine, reportedBefore)) {
        return TCL_ERROR;
      }
      skipScope = categoryLine;
    }
  }
}

/*
 *----------------------------------------------------------------------
 *
 * ShouldReadOn --
 *
 *	Decides, after a bad line, whether the read goes on: only with an
 *	observer that takes bad lines, and not after a failure of memory or
 *	of the stream. A failure the handlers reported without the line error
 *	report (the category tree's own) is passed on to the observer here.
 *	After a [category] line that failed there is no current category.
 *
 * Results:
 *	True when the read goes on with the next line.
 *
 *----------------------------------------------------------------------
 */

static bool ShouldReadOn(Pdb_ReadState *state, bool categoryLine,
                         int reportedBefore) {
  const Pdb_ReadObserver *observer = state->observer;
  if (observer == nullptr || observer->badLine == nullptr) {
    return false;
  }
  if (state->reported == reportedBefore) {
    observer->badLine(observer->context, state->lineNumber, NO_CODE_WORD,
                      Tcl_GetStringResult(state->interp));
    state->reported++;
  } else if (state->lastWord == PDB_EC_MALLOC ||
             state->lastWord == PDB_EC_POSIX) {
    return false;
  }
  Tcl_ResetResult(state->interp);
  if (categoryLine) {
    free(state->categoryPath);
    state->categoryPath = nullptr;
    state->categoryNode = nullptr;
  }
  return true;
}

/* True for the keywords of records that go into the current category. */
static bool IsScopedRecord(const char *keyword) {
  return strcmp(keyword, KEYWORD_PART) == 0 ||
         strcmp(keyword, KEYWORD_PART_REFERENCE) == 0 ||
         strcmp(keyword, KEYWORD_CATEGORY_REFERENCE) == 0;
}

static int DispatchRecord(Pdb_ReadState *state, int argc, char **argv) {
  const char *keyword = argv[0];
  if (strcmp(keyword, KEYWORD_PART) == 0) {
    return Pdb_HandlePart(state, argc, argv);
  }
  if (strcmp(keyword, KEYWORD_PART_REFERENCE) == 0) {
    return Pdb_HandlePartReference(state, argc, argv);
  }
  if (strcmp(keyword, KEYWORD_CATEGORY) == 0) {
    Pdb_ApplyUserOverride(state, argc, argv);
    return Pdb_HandleCategory(state, argc, argv);
  }
  if (strcmp(keyword, KEYWORD_CATEGORY_REFERENCE) == 0) {
    return Pdb_HandleCategoryReference(state, argc, argv);
  }
  return Pdb_ReportLineError(state, MSG_UNKNOWN_KEYWORD, PDB_EC_SYNTAX);
}
