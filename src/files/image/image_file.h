/*
 * image_file.h --
 *
 *	Puts a laid-out binary image into its file through the host's
 *	replace-on-close writer, every seek and write checked.
 */

#ifndef TOVPART_FILES_IMAGE_FILE_H
#define TOVPART_FILES_IMAGE_FILE_H

#include <tcl.h>

class Pdb_ImageBuffer;

/*
 * Writes image to fileName (UTF-8, used as given otherwise) through the
 * replace-on-close writer. TCL_OK, or TCL_ERROR with a message.
 */
int Pdb_WriteImageFile(Tcl_Interp *interp, const Pdb_ImageBuffer &image,
                       const char *fileName);

/* The start of the message of an image that could not be written. */
inline constexpr char PDB_MSG_CANNOT_WRITE_IMAGE[] = "Cannot write binary file";

#endif /* TOVPART_FILES_IMAGE_FILE_H */
