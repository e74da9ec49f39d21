/*
 * messages.cpp --
 *
 *	The fixed message forms of the commands and the reader's error
 *	report with its error code. Every text here is part of the contract
 *	with scripts.
 */

#include <cstdio>

#include "shell/conventions.h"

static const char *const MSG_WRONG_ARGS = "Wrong # args: should be \"";
static const char *const MSG_INVALID_ARGS = "Invalid arguments: should be \"";
static const char *const MSG_BAD_OPTION = "Bad option \"";
static const char *const MSG_MUST_BE = "\": must be ";
static const char *const MSG_NOT_A = "Not a ";
static const char *const MSG_NOT_A_GROUP = "\" is not a group handle.";
static const char *const MSG_NO_CURRENT_GROUP =
    "No current group: the parts database module has been unloaded.";
static const char *const MSG_OUT_OF_MEMORY = "Out of memory.";
static const char *const MSG_INTERNAL = "Internal error in a pdb: command.";
static const char *const MSG_LINE = ", line ";
static const char *const MSG_IN = " in ";

const char *const PDB_MSG_NOT_READ = "Database has not been read";
const char *const PDB_MSG_ROLE_NOT_READ =
    "User parts database has not been read";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WrongNumArgs --
 *
 *	Appends "Wrong # args: should be \"command usage\"" to the result.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_WrongNumArgs(Tcl_Interp *interp, const char *command,
                     const char *usage) {
  Tcl_AppendResult(interp, MSG_WRONG_ARGS, command, " ", usage, "\"",
                   (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InvalidArgs --
 *
 *	Appends "Invalid arguments: should be \"command usage\"" to the result.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_InvalidArgs(Tcl_Interp *interp, const char *command,
                    const char *usage) {
  Tcl_AppendResult(interp, MSG_INVALID_ARGS, command, " ", usage, "\"",
                   (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BadOption --
 *
 *	Appends "Bad option \"word\": must be choices" to the result.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_BadOption(Tcl_Interp *interp, const char *word, const char *choices) {
  Tcl_AppendResult(interp, MSG_BAD_OPTION, word, MSG_MUST_BE, choices,
                   (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NotA --
 *
 *	Appends "Not a kind \"name\"" to the result, or "Not a kind \"name
 *	word\"" when word is given.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Changes the interpreter result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_NotA(Tcl_Interp *interp, const char *kind, const char *name,
             const char *word) {
  Tcl_AppendResult(interp, MSG_NOT_A, kind, " \"", name, (char *)nullptr);
  if (word != nullptr) {
    Tcl_AppendResult(interp, " ", word, (char *)nullptr);
  }
  Tcl_AppendResult(interp, "\"", (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_UnknownGroup --
 *
 *	Sets the result to "\"name\" is not a group handle.".
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Resets the interpreter result first.
 *
 *----------------------------------------------------------------------
 */

int Pdb_UnknownGroup(Tcl_Interp *interp, const char *name) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, "\"", name, MSG_NOT_A_GROUP, (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_NoCurrentGroup --
 *
 *	Sets the result to the message of a registry without groups, which
 *	only commands left registered after the exit point meet.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Resets the interpreter result first.
 *
 *----------------------------------------------------------------------
 */

int Pdb_NoCurrentGroup(Tcl_Interp *interp) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, MSG_NO_CURRENT_GROUP, (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReportEscapedException --
 *
 *	Reports an exception that a command body let escape into Pdb_Guard:
 *	the out-of-memory message for std::bad_alloc, the internal-error
 *	message for any other.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Resets the interpreter result first.
 *
 *----------------------------------------------------------------------
 */

int Pdb_ReportEscapedException(Tcl_Interp *interp, bool outOfMemory) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, outOfMemory ? MSG_OUT_OF_MEMORY : MSG_INTERNAL,
                   (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_OpenFailure --
 *
 *	The open-failure form: resets the result to text, then
 *	" \"fileName\"" when a file name is given and ": errorText" when an
 *	error text is given. errorText comes from Tcl_PosixError, whose POSIX
 *	error code the reset would drop, so the code is set again from errno.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Frees the caller's dynamic string translated, when given, after its
 *	text (which fileName may point into) has been used.
 *
 *----------------------------------------------------------------------
 */

int Pdb_OpenFailure(Tcl_Interp *interp, const char *text, const char *fileName,
                    const char *errorText, Tcl_DString *translated) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, text, (char *)nullptr);
  if (fileName != nullptr) {
    Tcl_AppendResult(interp, " \"", fileName, "\"", (char *)nullptr);
  }
  if (errorText != nullptr) {
    Tcl_AppendResult(interp, ": ", errorText, (char *)nullptr);
    Tcl_SetErrorCode(interp, "POSIX", Tcl_ErrnoId(), errorText,
                     (char *)nullptr);
  }
  if (translated != nullptr) {
    Tcl_DStringFree(translated);
  }
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LineError --
 *
 *	The reader's error report: resets the result to
 *	"<text>, line <line> in <fileName>." and sets the error code
 *	{PDB <word> <fileName> <line>}. Texts and names of any length.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	Resets the interpreter result and sets its error code.
 *
 *----------------------------------------------------------------------
 */

int Pdb_LineError(Tcl_Interp *interp, const char *text, int line,
                  const char *fileName, const char *word) {
  char number[TCL_INTEGER_SPACE];
  snprintf(number, sizeof(number), "%d", line);
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, text, MSG_LINE, number, MSG_IN, fileName, ".",
                   (char *)nullptr);
  Tcl_SetErrorCode(interp, PDB_EC_CLASS, word, fileName, number,
                   (char *)nullptr);
  return TCL_ERROR;
}
