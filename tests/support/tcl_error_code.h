/*
 * tcl_error_code.h --
 *
 *	The interpreter's error code as a string, for tests and fuzz targets
 *	that compare it.
 */

#ifndef TOVPART_TESTS_SUPPORT_TCL_ERROR_CODE_H
#define TOVPART_TESTS_SUPPORT_TCL_ERROR_CODE_H

#include <string>
#include <tcl.h>

/* The -errorcode of interp's last error; "" when none is set. */
inline std::string TclErrorCode(Tcl_Interp *interp) {
  Tcl_Obj *options = Tcl_GetReturnOptions(interp, TCL_ERROR);
  Tcl_IncrRefCount(options);
  Tcl_Obj *key = Tcl_NewStringObj("-errorcode", -1);
  Tcl_IncrRefCount(key);
  Tcl_Obj *code = nullptr;
  Tcl_DictObjGet(nullptr, options, key, &code);
  std::string text = code != nullptr ? Tcl_GetString(code) : "";
  Tcl_DecrRefCount(key);
  Tcl_DecrRefCount(options);
  return text;
}

#endif /* TOVPART_TESTS_SUPPORT_TCL_ERROR_CODE_H */
