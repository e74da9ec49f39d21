/*
 * binary_loader.h --
 *
 *	Maps a binary image read-only into the address window and points a
 *	binary database's part list and tree into it.
 */

#ifndef TOVPART_FILES_BINARY_LOADER_H
#define TOVPART_FILES_BINARY_LOADER_H

#include <tcl.h>

class Pdb_BinaryDb;

/*
 * Loads the image open on db's file. Returns 0 on success, 1 with a
 * message in the interpreter result on failure. The file is closed in
 * every outcome.
 */
int Pdb_LoadBinary(Pdb_BinaryDb *db, Tcl_Interp *interp);

#endif /* TOVPART_FILES_BINARY_LOADER_H */
