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
 * Pdb_WriteImageFile --
 *
 *	Writes image to fileName (UTF-8, used as given otherwise) through the
 *	replace-on-close writer: a symbolic link keeps pointing at the file
 *	that receives the image, an existing file keeps its permission bits,
 *	a new one gets 0666 less the umask, and an existing name that is not
 *	a regular file is refused.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with "Unable to open output file \"name\": " or
 *	"Cannot write binary file \"name\": " and the reason in the result.
 *
 * Side effects:
 *	Replaces the file. A failure writes a perror-style line naming the
 *	step to standard error and leaves an existing file untouched and no
 *	temporary file behind.
 */
int Pdb_WriteImageFile(Tcl_Interp *interp, const Pdb_ImageBuffer &image,
                       const char *fileName);

/* The start of the message of an image that could not be written. */
inline constexpr char PDB_MSG_CANNOT_WRITE_IMAGE[] = "Cannot write binary file";

#endif /* TOVPART_FILES_IMAGE_FILE_H */
