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
 * Writes "<<<<<< " and each word followed by a blank, then a newline, and
 * flushes standard output; nothing while tracing is off.
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

/* As Pdb_TraceArgv, for the string forms of an object command's words. */

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
