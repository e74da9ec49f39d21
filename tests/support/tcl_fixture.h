/*
 * tcl_fixture.h --
 *
 *	A GoogleTest fixture that gives each test a fresh Tcl interpreter.
 */

#ifndef TOVPART_TESTS_SUPPORT_TCL_FIXTURE_H
#define TOVPART_TESTS_SUPPORT_TCL_FIXTURE_H

#include <gtest/gtest.h>
#include <string>
#include <tcl.h>

class TclInterpTest : public ::testing::Test {
protected:
  void SetUp() override { interp = Tcl_CreateInterp(); }
  void TearDown() override { Tcl_DeleteInterp(interp); }

  std::string result() const { return Tcl_GetStringResult(interp); }

  /* The interpreter's errorCode as a string. */
  std::string errorCode() const {
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

  Tcl_Interp *interp = nullptr;
};

#endif /* TOVPART_TESTS_SUPPORT_TCL_FIXTURE_H */
