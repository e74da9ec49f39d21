/*
 * ascii_reader.h --
 *
 *	The ASCII reader: fills an opened ASCII database from its file, one
 *	record line at a time, through the record handlers. pdb:read stops at
 *	the first bad line; a caller that passes an observer may go on past
 *	bad lines and follow the read's progress.
 */

#ifndef TOVPART_FILES_ASCII_READER_H
#define TOVPART_FILES_ASCII_READER_H

#include <tcl.h>

class Pdb_AsciiDb;
class Pdb_Group;

/* What a read tells its caller as it goes; every member is optional. */
struct Pdb_ReadObserver {
  /*
   * Called for every bad line, with its number, its error-code word
   * ("SYNTAX", ...; "NONE" for the category tree's own failures, which
   * carry no code) and the message text without the line and file. The
   * read then goes on with the next line; only a failure that leaves
   * nothing to go on with (memory, a stream error) ends it. The records
   * of a [category] line that failed are skipped up to the next
   * [category] line, as they have no category to go into.
   */
  void (*badLine)(void *context, int line, const char *word, const char *text);
  /* Called every few thousand lines with the bytes read so far. */
  void (*progress)(void *context, long bytesRead);
  void *context;
};

/*
 * Reads db's open file to its end (or to the first bad line when there
 * is no observer, or it has no badLine). The file is not closed.
 * Returns TCL_OK and marks db read when every line was good; otherwise
 * TCL_ERROR, with the message of the first bad line in the interpreter
 * result when there is no badLine to tell. Everything the good lines
 * built stays in db.
 */
int Pdb_ReadAsciiDatabase(Tcl_Interp *interp, Pdb_Group *group, Pdb_AsciiDb *db,
                          bool update, const Pdb_ReadObserver *observer);

#endif /* TOVPART_FILES_ASCII_READER_H */
