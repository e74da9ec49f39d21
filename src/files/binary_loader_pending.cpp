/*
 * binary_loader_pending.cpp --
 *
 *	Stand-in for the binary loader until binary images are supported: it
 *	refuses every image and closes its file.
 */

#include "files/binary_loader.h"
#include "model/binary_db.h"

int Pdb_LoadBinary(Pdb_BinaryDb *db, Tcl_Interp *interp) {
  db->closeFile();
  Tcl_SetResult(
      interp,
      const_cast<char *>("binary parts databases are not supported yet"),
      TCL_STATIC);
  return 1;
}
