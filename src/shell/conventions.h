/*
 * conventions.h --
 *
 *	What every pdb: command shares: tracing, the common -group/-db option
 *	table and preamble, the duplicate-option check, the fixed message
 *	forms and the error-code words of the reader.
 */

#ifndef TOVPART_SHELL_CONVENTIONS_H
#define TOVPART_SHELL_CONVENTIONS_H

#include <new>
#include <tcl.h>

#include "host/nullable_string.h"
#include "host/tov_host.h"

class Pdb_Database;
class Pdb_Group;

/* Tracing is on while the low byte of the switch is non-zero. */
extern int pdbTraceSwitch;

/* Results of the common option table; valid during one command only. */
extern const char *pdbGroupOption;
extern const char *pdbDbOption;
extern const Tov_ArgvInfo pdbCommonOptions[];

/* The constant that flag options store. */
extern int pdbFlagOn;

/* Error-code words. */
extern const char *const PDB_EC_CLASS; /* "PDB" */
extern const char *const PDB_EC_BAD_CATREF;
extern const char *const PDB_EC_BAD_CAT_NAME;
extern const char *const PDB_EC_BAD_PART_NAME;
extern const char *const PDB_EC_DUP_CATREF;
extern const char *const PDB_EC_DUP_PARTREF;
extern const char *const PDB_EC_DUP_PART;
extern const char *const PDB_EC_MALLOC;
extern const char *const PDB_EC_NOT_IN_CAT;
extern const char *const PDB_EC_NO_REFFED_CAT;
extern const char *const PDB_EC_NO_REFFED_PART;
extern const char *const PDB_EC_POSIX;
extern const char *const PDB_EC_SYNTAX;

/* The handle kind of the not-an-object message: "zq_pdb". */
extern const char *const PDB_HANDLE_KIND;

/* The -db value that chooses the group's site database: "site". */
extern const char *const PDB_SITE_ROLE;

/* The refusal of a database that pdb:read has not filled yet. */
extern const char *const PDB_MSG_NOT_READ; /* "Database has not been read" */

/* The same for the user or site database chosen by role, whichever it is:
 * "User parts database has not been read". */
extern const char *const PDB_MSG_ROLE_NOT_READ;

/* Writes the trace line of a command when tracing is on. */
void Pdb_TraceArgv(int argc, const char **argv);
void Pdb_TraceObjv(int objc, Tcl_Obj *const objv[]);

/* TCL_ERROR with "Duplicate option, a, b" when a pair of options clash. */
int Pdb_CheckDuplicateOptions(Tcl_Interp *interp, int argc,
                              const char *const *argv);

/*
 * Trace, reset the -group/-db values and parse the common option table.
 * TCL_ERROR (the parser's message) on failure.
 */
int Pdb_CommonPreamble(Tcl_Interp *interp, int *argcPtr, const char **argv);

/* Message forms; each appends to the result and returns TCL_ERROR. */
int Pdb_WrongNumArgs(Tcl_Interp *interp, const char *command,
                     const char *usage);
int Pdb_InvalidArgs(Tcl_Interp *interp, const char *command, const char *usage);
int Pdb_BadOption(Tcl_Interp *interp, const char *word, const char *choices);
int Pdb_NotA(Tcl_Interp *interp, const char *kind, const char *name,
             const char *word = nullptr);

/* Resets the result to "\"name\" is not a group handle."; TCL_ERROR. */
int Pdb_UnknownGroup(Tcl_Interp *interp, const char *name);

/* Resets the result to the message of a registry without groups. */
int Pdb_NoCurrentGroup(Tcl_Interp *interp);

/*
 * The open-failure form: resets the result to text, then " \"fileName\""
 * and ": errorText" where given; frees translated when not nullptr.
 */
int Pdb_OpenFailure(Tcl_Interp *interp, const char *text, const char *fileName,
                    const char *errorText, Tcl_DString *translated);

/*
 * The reader's error report: resets the result to "text, line n in file."
 * and sets the error code {PDB word file n}. Returns TCL_ERROR.
 */
int Pdb_LineError(Tcl_Interp *interp, const char *text, int line,
                  const char *fileName, const char *word);

/*
 * The report of an exception that a command body let escape: resets the
 * result to an out-of-memory or internal-error message; TCL_ERROR.
 */
int Pdb_ReportEscapedException(Tcl_Interp *interp, bool outOfMemory);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Guard --
 *
 *	Runs a command body that may throw (C++ containers, operator new) so
 *	that no exception reaches Tcl.
 *
 * Results:
 *	The body's status; TCL_ERROR with Pdb_ReportEscapedException's
 *	message when an exception escaped it.
 *
 * Side effects:
 *	Those of the body.
 *
 *----------------------------------------------------------------------
 */

template <typename Body> int Pdb_Guard(Tcl_Interp *interp, Body body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc &) {
    return Pdb_ReportEscapedException(interp, true);
  } catch (...) {
    return Pdb_ReportEscapedException(interp, false);
  }
}

#endif /* TOVPART_SHELL_CONVENTIONS_H */
