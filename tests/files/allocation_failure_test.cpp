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
#include "support/module_fixture.h"
#include "support/temp_dir.h"

namespace {

class AllocationFailure : public ModuleTest {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    liveBefore = Pdb_WindowLiveBlocks();
    open = "pdb:open -file " +
           TclQuote(std::string(TOVPART_SAMPLES_DIR) + "/parts.db");
  }
  void TearDown() override {
    Pdb_WindowFailBlock(0);
    ModuleTest::TearDown();
  }

  /* Runs script with the nth block from now failing; its status. */
  int runFailing(std::size_t nth, const std::string &script) {
    Pdb_WindowFailBlock(nth);
    int status = eval(script);
    Pdb_WindowFailBlock(0);
    return status;
  }

  /* Unloads everything and checks that no block of the window is left. */
  void unloadAll(const std::string &what) {
    run("pdb:unload -all");
    EXPECT_EQ(Pdb_WindowLiveBlocks(), liveBefore) << what;
  }

  std::size_t liveBefore = 0;
  std::string open;
};

TEST_F(AllocationFailure, EveryFailingBlockOfOpenAndReadIsAnError) {
  std::size_t callsBefore = Pdb_WindowAllocCalls();
  run("pdb:read [" + open + "]");
  std::size_t calls = Pdb_WindowAllocCalls() - callsBefore;
  ASSERT_GT(calls, 50u);
  unloadAll("after a good read");

  for (std::size_t nth = 1; nth <= calls && !HasFailure(); nth++) {
    EXPECT_EQ(runFailing(nth, "pdb:read [" + open + "]"), TCL_ERROR)
        << "block " << nth;
    std::string message = result();
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
  std::string handle = run(open);
  run("pdb:read " + handle);
  std::size_t callsBefore = Pdb_WindowAllocCalls();
  std::string write = "pdb:write -binary " + handle + " " + TclQuote(target);
  run(write);
  std::size_t calls = Pdb_WindowAllocCalls() - callsBefore;
  ASSERT_GT(calls, 0u);
  ASSERT_EQ(unlink(target.c_str()), 0);

  for (std::size_t nth = 1; nth <= calls && !HasFailure(); nth++) {
    EXPECT_EQ(runFailing(nth, write), TCL_ERROR) << "block " << nth;
    EXPECT_EQ(result(),
              "Cannot write binary file \"" + target + "\": not enough memory")
        << "block " << nth;
    EXPECT_NE(access(target.c_str(), F_OK), 0) << "block " << nth;
  }
  unloadAll("after the failed writes");
}

} // namespace
