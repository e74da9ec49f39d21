/*
 * record_handlers.h --
 *
 *	The four record handlers of the ASCII reader ([category], [part],
 *	[part=], [category=]), the per-read state they share and the user
 *	database override.
 */

#ifndef TOVPART_FILES_RECORD_HANDLERS_H
#define TOVPART_FILES_RECORD_HANDLERS_H

#include <tcl.h>

#include "host/line_reader.h"

/* The reader's message when memory runs out, with the code PDB MALLOC. */
inline constexpr char PDB_MSG_NO_MEMORY_TO_READ[] = "Not enough memory to read";

class Pdb_AsciiDb;
struct Pdb_ReadObserver;
class Pdb_Group;
struct Pdb_CategoryNode;

/* Elements a record line may have. */
enum { PDB_RECORD_MAX_ELEMENTS = 5 };

/* What one pdb:read carries from line to line. */
struct Pdb_ReadState {
  Tcl_Interp *interp;
  Pdb_AsciiDb *db;                /* the database being read */
  Pdb_Group *group;               /* the group holding it */
  char *categoryPath;             /* path of the last [category] line */
  Pdb_CategoryNode *categoryNode; /* its node; nullptr before the first */
  int lineNumber;                 /* physical lines read so far */
  Pdb_LineBuffer line;
  bool update; /* -update: derive the HDL kind of version-1 parts */
  const Pdb_ReadObserver *observer; /* nullptr for pdb:read */
  int reported;                     /* bad lines told to the observer */
  const char *lastWord;             /* error-code word of the last one */
};

/*
 * The line error report: frees the current category path, releases the
 * line buffer and leaves "text, line n in file." with the error code
 * {PDB word file n}. With an observer that takes bad lines, it tells the
 * observer instead and leaves the state as it is, so that the read can go
 * on. Returns TCL_ERROR.
 */
int Pdb_ReportLineError(Pdb_ReadState *state, const char *text,
                        const char *word);

/*
 * The handlers. Each returns TCL_OK, or TCL_ERROR with its message in the
 * interpreter result (through the line error report, except for the
 * category tree's own failures of a [category] line).
 */
int Pdb_HandleCategory(Pdb_ReadState *state, int argc, char **argv);
int Pdb_HandlePart(Pdb_ReadState *state, int argc, char **argv);
int Pdb_HandlePartReference(Pdb_ReadState *state, int argc, char **argv);
int Pdb_HandleCategoryReference(Pdb_ReadState *state, int argc, char **argv);

/*
 * Run before the category handler on every [category] line: a user
 * database's category whose help text begins with "{LIBMGR" or "{CATDIR"
 * replaces the same category of the group's site database, which loses
 * it with everything below it (in memory only).
 */
void Pdb_ApplyUserOverride(Pdb_ReadState *state, int argc, char **argv);

#endif /* TOVPART_FILES_RECORD_HANDLERS_H */
