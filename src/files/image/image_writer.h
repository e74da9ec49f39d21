/*
 * image_writer.h --
 *
 *	Lays out the binary image of a database in memory: the header, every
 *	part record in name order, the sorted list of all parts, then the
 *	category tree with its lists, strings and nodes, every link resolved
 *	between image offsets.
 */

#ifndef TOVPART_FILES_IMAGE_WRITER_H
#define TOVPART_FILES_IMAGE_WRITER_H

#include <tcl.h>

#include "files/image/image_buffer.h"
#include "files/image/image_format.h"

class Pdb_Database;

/*
 * Lays out the image of db, which must have a parts table, into image
 * (which must be empty). The database is not changed. Returns true on
 * success. On failure returns false; the problem text is empty when a
 * system error stopped it (errno says which: ENOMEM, EFBIG) and describes
 * the inconsistency otherwise.
 */
bool Pdb_BuildImage(Pdb_Database *db, Pdb_ImageBuffer *image,
                    Pdb_ImageProblem *problem);

/*
 * Lays out the image of db (which must have a parts table) and writes it
 * to fileName as Pdb_WriteImageFile does. Returns TCL_OK, or TCL_ERROR
 * with a message naming the file; fileName is then left untouched.
 */
int Pdb_WriteDatabaseImage(Tcl_Interp *interp, Pdb_Database *db,
                           const char *fileName);

#endif /* TOVPART_FILES_IMAGE_WRITER_H */
