/*
 * file_names.cpp --
 *
 *	Conversion of file names between UTF-8 and the system encoding, and
 *	absolute names.
 */

#include "host/file_names.h"

/*
 *----------------------------------------------------------------------
 *
 * Pdb_MakeNativeName --
 *
 *	Converts a file name from UTF-8 to the system encoding (the encoding
 *	Tcl's own file commands use for names).
 *
 * Results:
 *	The converted name, held in *native, which the function initialises
 *	and the caller frees with Tcl_DStringFree.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_MakeNativeName(const char *name, Tcl_DString *native) {
  return Tcl_UtfToExternalDString(nullptr, name, -1, native);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_MakeUtfName --
 *
 *	Converts a file name that came from the system (an environment
 *	variable, a directory search) from the system encoding to UTF-8.
 *
 * Results:
 *	The converted name, held in *utf, which the function initialises and
 *	the caller frees with Tcl_DStringFree.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_MakeUtfName(const char *nativeName, Tcl_DString *utf) {
  return Tcl_ExternalToUtfDString(nullptr, nativeName, -1, utf);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_MakeAbsoluteName --
 *
 *	The absolute form of a UTF-8 file name: an absolute name as it is, a
 *	relative one joined to the current directory. When the current
 *	directory cannot be found the name stays as given.
 *
 * Results:
 *	The name, held in *absolute, which the function initialises and the
 *	caller frees with Tcl_DStringFree.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_MakeAbsoluteName(const char *name, Tcl_DString *absolute) {
  Tcl_DStringInit(absolute);
  if (name[0] != '/') {
    Tcl_Obj *cwd = Tcl_FSGetCwd(nullptr);
    if (cwd != nullptr) {
      Tcl_DStringAppend(absolute, Tcl_GetString(cwd), -1);
      Tcl_DecrRefCount(cwd);
      if (Tcl_DStringLength(absolute) == 0 ||
          Tcl_DStringValue(absolute)[Tcl_DStringLength(absolute) - 1] != '/') {
        Tcl_DStringAppend(absolute, "/", 1);
      }
    }
  }
  return Tcl_DStringAppend(absolute, name, -1);
}
