/*
 * module_fixture.h --
 *
 *	A GoogleTest fixture that loads the module's commands into a fresh
 *	interpreter and runs scripts there, for tests that drive commands
 *	together with hooks only the unit-test binary can reach.
 */

#ifndef TOVPART_TESTS_SUPPORT_MODULE_FIXTURE_H
#define TOVPART_TESTS_SUPPORT_MODULE_FIXTURE_H

#include <gtest/gtest.h>
#include <string>
#include <tcl.h>

#include "shell/commands.h"
#include "support/tcl_fixture.h"

class ModuleTest : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    ASSERT_EQ(TovPart_Init(interp), TCL_OK);
  }
  void TearDown() override {
    TovPart_Term(interp);
    TclInterpTest::TearDown();
  }

  /* Runs script at global level; its status (the result in result()). */
  int eval(const std::string &script) {
    return Tcl_EvalEx(interp, script.c_str(), -1, TCL_EVAL_GLOBAL);
  }

  /* Runs script, which must succeed, and returns its result. */
  std::string run(const std::string &script) {
    EXPECT_EQ(eval(script), TCL_OK) << script << ": " << result();
    return result();
  }
};

/* A word quoted for a Tcl script. */
inline std::string TclQuote(const std::string &word) {
  Tcl_Obj *list = Tcl_NewListObj(0, nullptr);
  Tcl_IncrRefCount(list);
  Tcl_ListObjAppendElement(nullptr, list, Tcl_NewStringObj(word.data(), -1));
  std::string quoted = Tcl_GetString(list);
  Tcl_DecrRefCount(list);
  return quoted;
}

#endif /* TOVPART_TESTS_SUPPORT_MODULE_FIXTURE_H */
