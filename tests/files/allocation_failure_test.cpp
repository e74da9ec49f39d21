/*
 * allocation_failure_test.cpp --
 *
 *	pdb:read and pdb:write of the sample database with each block of the
 *	address window failing in turn: every failure is an error of the
 *	command, never a crash, and unloading afterwards gives every block
 *	back.
 */

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <unistd.h>

#include "model/window.h"
#include "shell/commands.h"
#include "support/temp_dir.h"

namespace {

class AllocationFailure : public ::testing::Test {
protected:
  void SetUp() override {
    interp = Tcl_CreateInterp();
    ASSERT_EQ(TovPart_Init(interp), TCL_OK);
    liveBefore = Pdb_WindowLiveBlocks();
  }
  void TearDown() override {
    Pdb_WindowFailBlock(0);
    TovPart_Term(interp);
    Tcl_DeleteInterp(interp);
  }

  /* Runs a script; its status, and its result in *result. */
  int run(const std::string &script, std::string *result = nullptr) {
    int status = Tcl_Eval(interp, script.c_str());
    if (result != nullptr) {
      *result = Tcl_GetStringResult(interp);
    }
    return status;
  }

  /* Opens the sample database; its handle. */
  std::string openSample() {
    std::string handle;
    EXPECT_EQ(run("pdb:open -file {" + sample + "}", &handle), TCL_OK)
        << handle;
    return handle;
  }

  /* Unloads everything and checks that no block of the window is left. */
  void unloadAll(const std::string &what) {
    EXPECT_EQ(run("pdb:unload -all"), TCL_OK);
    EXPECT_EQ(Pdb_WindowLiveBlocks(), liveBefore) << what;
  }

  Tcl_Interp *interp = nullptr;
  std::size_t liveBefore = 0;
  const std::string sample = std::string(TOVPART_SAMPLES_DIR) + "/parts.db";
};

TEST_F(AllocationFailure, EveryFailingBlockOfOpenAndReadIsAnError) {
  std::size_t callsBefore = Pdb_WindowAllocCalls();
  ASSERT_EQ(run("pdb:read " + openSample()), TCL_OK);
  std::size_t calls = Pdb_WindowAllocCalls() - callsBefore;
  ASSERT_GT(calls, 50u);
  unloadAll("after a good read");

  for (std::size_t nth = 1; nth <= calls && !HasFailure(); nth++) {
    Pdb_WindowFailBlock(nth);
    std::string message;
    int status = run("pdb:read [pdb:open -file {" + sample + "}]", &message);
    Pdb_WindowFailBlock(0);
    EXPECT_EQ(status, TCL_ERROR) << "block " << nth;
    bool expected =
        message == "Could not create parts database: not enough memory" ||
        message.rfind("Not enough memory to read, line ", 0) == 0 ||
        message.rfind("could not create category child of: ", 0) == 0;
    EXPECT_TRUE(expected) << "block " << nth << ": " << message;
    unloadAll("block " + std::to_string(nth));
  }
}

TEST_F(AllocationFailure, EveryFailingBlockOfWriteIsAnErrorAndKeepsTheFile) {
  TempDir dir;
  std::string target = dir.file("parts.zq_pdb_bi");
  std::string handle = openSample();
  ASSERT_EQ(run("pdb:read " + handle), TCL_OK);
  std::size_t callsBefore = Pdb_WindowAllocCalls();
  std::string write = "pdb:write -binary " + handle + " {" + target + "}";
  ASSERT_EQ(run(write), TCL_OK);
  std::size_t calls = Pdb_WindowAllocCalls() - callsBefore;
  ASSERT_GT(calls, 0u);
  ASSERT_EQ(unlink(target.c_str()), 0);

  for (std::size_t nth = 1; nth <= calls && !HasFailure(); nth++) {
    Pdb_WindowFailBlock(nth);
    std::string message;
    int status = run(write, &message);
    Pdb_WindowFailBlock(0);
    EXPECT_EQ(status, TCL_ERROR) << "block " << nth;
    EXPECT_EQ(message,
              "Cannot write binary file \"" + target + "\": not enough memory")
        << "block " << nth;
    EXPECT_NE(access(target.c_str(), F_OK), 0) << "block " << nth;
  }
  unloadAll("after the failed writes");
}

} // namespace
