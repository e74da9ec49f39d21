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

#include "support/tcl_error_code.h"

class TclInterpTest : public ::testing::Test {
protected:
  void SetUp() override { interp = Tcl_CreateInterp(); }
  void TearDown() override { Tcl_DeleteInterp(interp); }

  std::string result() const { return Tcl_GetStringResult(interp); }

  /* The interpreter's errorCode as a string. */
  std::string errorCode() const { return TclErrorCode(interp); }

  Tcl_Interp *interp = nullptr;
};

#endif /* TOVPART_TESTS_SUPPORT_TCL_FIXTURE_H */
