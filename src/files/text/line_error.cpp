/*
 * line_error.cpp --
 *
 *	The line error report that the ASCII reader's line loop and its
 *	record handlers share: it ends the read with the reader's message and
 *	error code, or hands the bad line to an observer that takes them.
 */

#include <cstdlib>

#include "files/text/ascii_reader.h"
#include "files/text/record_handlers.h"
#include "host/line_reader.h"
#include "model/ascii_db.h"
#include "shell/conventions.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReportLineError --
 *
 *	The line error report of the record handlers. Without an observer that
 *	takes bad lines it ends the read: the current category is forgotten,
 *	the line buffer released, and the result becomes "text, line n in
 *	file." with the error code {PDB word file n}. With such an observer it
 *	tells the observer instead and leaves the state as it is, so that the
 *	read can go on.
 *
 * Results:
 *	TCL_ERROR.
 *
 * Side effects:
 *	As above; counts the report in state->reported.
 *
 *----------------------------------------------------------------------
 */

int Pdb_ReportLineError(Pdb_ReadState *state, const char *text,
                        const char *word) {
  const Pdb_ReadObserver *observer = state->observer;
  if (observer != nullptr && observer->badLine != nullptr) {
    observer->badLine(observer->context, state->lineNumber, word, text);
    state->reported++;
    state->lastWord = word;
    return TCL_ERROR;
  }
  free(state->categoryPath);
  state->categoryPath = nullptr;
  state->categoryNode = nullptr;
  Pdb_LineBufferRelease(&state->line);
  return Pdb_LineError(state->interp, text, state->lineNumber,
                       state->db->fileName(), word);
}
