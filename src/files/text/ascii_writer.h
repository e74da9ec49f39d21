/*
 * ascii_writer.h --
 *
 *	Writes a category tree in the ASCII database form: a first pass with
 *	every real category and the parts homed in it, a second with every
 *	real category again and its part and category references, so that
 *	each reference follows what it designates and the file reads back.
 */

#ifndef TOVPART_FILES_ASCII_WRITER_H
#define TOVPART_FILES_ASCII_WRITER_H

#include <cstdio>
#include <tcl.h>

#include "host/tov_host.h"

struct Pdb_CategoryTree;

/*
 * Writes both passes of tree (an empty file when the tree has no root)
 * to stream. Returns false when the stream reported a write error.
 */
bool Pdb_WriteAsciiTree(const Pdb_CategoryTree *tree, FILE *stream);

/* "Could not write parts database \"": the start of a failed write's
 * message. */
extern const char PDB_MSG_CANNOT_WRITE_DB[];

/*
 * Writes tree (nothing when it is nullptr) to a new replace-on-close
 * handle for path (the file's name in UTF-8); fileName is the name
 * messages give. Returns the handle, whose close puts the content under
 * the name (or which the caller abandons); nullptr with a message, the
 * writer's reason and the POSIX error code when the handle cannot be made
 * or the content cannot be written, the file being left as it was.
 */
Tov_RobustFile *Pdb_WriteAsciiFile(Tcl_Interp *interp,
                                   const Pdb_CategoryTree *tree,
                                   const char *path, const char *fileName);

#endif /* TOVPART_FILES_ASCII_WRITER_H */
