/*
 * read_cmd.cpp --
 *
 *	pdb:read: fills an opened ASCII database from its file, one record
 *	line at a time, through the record handlers.
 */

#include <cstdlib>
#include <cstring>

#include "files/text/record_handlers.h"
#include "host/line_reader.h"
#include "model/ascii_db.h"
#include "model/database.h"
#include "model/group.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char USAGE[] = "zq_pdb handle ?-update?";
static const char UPDATE_OPTION[] = "-update";

static const char MSG_ALREADY_READ[] = "The database has been read.";
static const char MSG_NO_MEMORY[] = "Not enough memory to read";
static const char MSG_SPLIT_LINE[] = "Could not split line";
static const char MSG_NUL_BYTE[] = "Line holds a NUL byte";
static const char MSG_UNKNOWN_KEYWORD[] =
    "Unrecognized keyword. Should be [part], [part=], [category] or "
    "[category=]";

static const char KEYWORD_PART[] = "[part]";
static const char KEYWORD_PART_REFERENCE[] = "[part=]";
static const char KEYWORD_CATEGORY[] = "[category]";
static const char KEYWORD_CATEGORY_REFERENCE[] = "[category=]";

static int ReadAsciiDatabase(Tcl_Interp *interp, Pdb_Group *group,
                             Pdb_AsciiDb *db, bool update);
static int ReadRecords(Pdb_ReadState *state);
static int DispatchRecord(Pdb_ReadState *state, int argc, char **argv);

/*
 * ReadCommand --
 *
 *	pdb:read ?-group group? ?-db name? handle ?-update?
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message; the
 *	reader's own failures also set the error code {PDB word file line}.
 *
 * Side effects:
 *	Fills the database; closes its file in every outcome.
 */
static int ReadCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc != 2 && argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  if (argc == 3 && strcmp(argv[2], UPDATE_OPTION) != 0) {
    return Pdb_InvalidArgs(interp, argv[0], USAGE);
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, pdbGroupOption);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  Pdb_Database *db = Pdb_LookupHandle(interp, group, argv[1]);
  if (db == nullptr) {
    return TCL_ERROR;
  }
  if (db->read) {
    db->closeFile();
    Tcl_AppendResult(interp, MSG_ALREADY_READ, (char *)nullptr);
    return TCL_ERROR;
  }
  db->version = 2;
  if (db->binary) {
    db->read = true;
    db->closeFile();
    return TCL_OK;
  }
  if (db->file == nullptr) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, "A previous read of \"", db->fileName(),
                     "\" failed.  It cannot be read in this session.",
                     (char *)nullptr);
    return TCL_ERROR;
  }
  int status = ReadAsciiDatabase(interp, group, static_cast<Pdb_AsciiDb *>(db),
                                 argc == 3);
  db->closeFile();
  return status;
}

/*
 * ReadAsciiDatabase --
 *
 *	Sets up the per-read state, reads every record and marks the
 *	database read when the end of the file is reached.
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Everything built before a failure stays in the database.
 */
static int ReadAsciiDatabase(Tcl_Interp *interp, Pdb_Group *group,
                             Pdb_AsciiDb *db, bool update) {
  Pdb_ReadState state;
  state.interp = interp;
  state.db = db;
  state.group = group;
  state.categoryPath = nullptr;
  state.categoryNode = nullptr;
  state.lineNumber = 0;
  state.update = update;
  if (!Pdb_LineBufferInit(&state.line, PDB_LINE_INITIAL_CAPACITY)) {
    return Pdb_ReportLineError(&state, MSG_NO_MEMORY, PDB_EC_MALLOC);
  }
  int status = ReadRecords(&state);
  free(state.categoryPath);
  Pdb_LineBufferRelease(&state.line);
  if (status == TCL_OK) {
    db->read = true;
    Tcl_ResetResult(interp);
  }
  return status;
}

/*
 * ReadRecords --
 *
 *	The line loop: refuses a line holding a NUL byte, skips blank lines
 *	and lines beginning with "]", splits every other line in place and
 *	dispatches it by keyword.
 *
 * Results:
 *	TCL_OK at the end of the file, or TCL_ERROR with a message.
 */
static int ReadRecords(Pdb_ReadState *state) {
  for (;;) {
    state->lineNumber++;
    long length = Pdb_ReadLine(&state->line, state->db->file);
    if (length == 0) {
      return TCL_OK;
    }
    if (length < 0) {
      return Pdb_ReportLineError(state, Tcl_PosixError(state->interp),
                                 PDB_EC_POSIX);
    }
    char *line = state->line.bytes;
    if (Pdb_LineHoldsNul(line, length)) {
      return Pdb_ReportLineError(state, MSG_NUL_BYTE, PDB_EC_SYNTAX);
    }
    if (line[0] == ']' || Pdb_IsBlankLine(line)) {
      continue;
    }
    int argc = 0;
    char *argv[PDB_RECORD_MAX_ELEMENTS];
    if (Tov_SplitListInPlace(nullptr, line, &argc, argv,
                             PDB_RECORD_MAX_ELEMENTS) != 0 ||
        argc == 0) {
      return Pdb_ReportLineError(state, MSG_SPLIT_LINE, PDB_EC_SYNTAX);
    }
    if (DispatchRecord(state, argc, argv) != TCL_OK) {
      return TCL_ERROR;
    }
  }
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

/* The command procedure: ReadCommand, with no exception escaping. */
int TovPartReadCmd(ClientData, Tcl_Interp *interp, int argc,
                   const char **argv) {
  return Pdb_Guard(interp, [&] { return ReadCommand(interp, argc, argv); });
}
