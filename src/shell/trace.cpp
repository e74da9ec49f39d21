/*
 * trace.cpp --
 *
 *	Command tracing: the trace switch and the trace lines that commands
 *	write to standard output while it is on.
 */

#include <cstdio>

#include "shell/conventions.h"

int pdbTraceSwitch = 0;

static const char *const TRACE_PREFIX = "<<<<<< ";

static bool IsTracingOn() { return (pdbTraceSwitch & 0xff) != 0; }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TraceArgv --
 *
 *	Writes the trace line of a string command: "<<<<<< " and each word
 *	followed by a blank, then a newline. Nothing while tracing is off.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to standard output and flushes it.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TraceArgv(int argc, const char **argv) {
  if (!IsTracingOn()) {
    return;
  }
  fputs(TRACE_PREFIX, stdout);
  for (int i = 0; i < argc; i++) {
    fputs(argv[i], stdout);
    fputc(' ', stdout);
  }
  fputc('\n', stdout);
  fflush(stdout);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_TraceObjv --
 *
 *	Writes the trace line of an object command, as Pdb_TraceArgv does,
 *	from the string forms of its words.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to standard output and flushes it; may make the words' string
 *	forms.
 *
 *----------------------------------------------------------------------
 */

void Pdb_TraceObjv(int objc, Tcl_Obj *const objv[]) {
  if (!IsTracingOn()) {
    return;
  }
  fputs(TRACE_PREFIX, stdout);
  for (int i = 0; i < objc; i++) {
    fputs(Tcl_GetString(objv[i]), stdout);
    fputc(' ', stdout);
  }
  fputc('\n', stdout);
  fflush(stdout);
}
