/*
 * file_names.cpp --
 *
 *	Conversion of file names between UTF-8 and the system encoding, and
 *	absolute names.
 */

#include "host/file_names.h"

const char *Pdb_MakeNativeName(const char *name, Tcl_DString *native) {
  return Tcl_UtfToExternalDString(nullptr, name, -1, native);
}

const char *Pdb_MakeUtfName(const char *nativeName, Tcl_DString *utf) {
  return Tcl_ExternalToUtfDString(nullptr, nativeName, -1, utf);
}

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
