/*
 * image_file.h --
 *
 *	Puts a laid-out binary image into its file: through a temporary file
 *	beside it that is renamed into place once complete, every seek and
 *	write checked.
 */

#ifndef TOVPART_FILES_IMAGE_FILE_H
#define TOVPART_FILES_IMAGE_FILE_H

#include <tcl.h>

class Pdb_ImageBuffer;

/*
 * Writes image to fileName (used as given). The new file is created with
 * mode 0666 less the umask. Returns TCL_OK, or TCL_ERROR with a message
 * naming the file and the system's error text in the interpreter result
 * and a perror-style line on standard error; on failure the temporary
 * file is removed and an existing fileName is left untouched.
 */
int Pdb_WriteImageFile(Tcl_Interp *interp, const Pdb_ImageBuffer &image,
                       const char *fileName);

#endif /* TOVPART_FILES_IMAGE_FILE_H */
