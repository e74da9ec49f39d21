/*
 * robust_write_test.cpp --
 *
 *	Tests of replace-on-close writing: commit, abandon, failure at close
 *	and kept permissions.
 */

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"
#include "support/temp_dir.h"

namespace {

class RobustWriteTest : public TclInterpTest {
protected:
  static mode_t modeOf(const std::string &name) {
    struct stat info;
    stat(name.c_str(), &info);
    return info.st_mode & 07777;
  }

  /* Opens target, writes text, and commits (true) or abandons. */
  int writeThrough(const std::string &target, const char *text, bool commit) {
    Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
    if (handle == nullptr) {
      return -1;
    }
    fputs(text, Tov_GetFilePtr(handle));
    if (!commit) {
      Tov_RobustFabandonForWrite(handle);
      return 0;
    }
    return Tov_RobustFcloseForWrite(interp, handle);
  }

  TempDir dir;
  std::string target = dir.file("db");
};

TEST_F(RobustWriteTest, commitReplacesTheTargetAtCloseKeepingItsPermissions) {
  WriteFile(target, "old content\n");
  chmod(target.c_str(), 0640);
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
  ASSERT_NE(handle, nullptr);
  fputs("new content\n", Tov_GetFilePtr(handle));
  EXPECT_EQ(ReadFile(target), "old content\n") << "target changed before close";
  EXPECT_EQ(dir.listing().size(), 2u) << "a temporary sits beside the target";
  ASSERT_EQ(Tov_RobustFcloseForWrite(interp, handle), 0);
  EXPECT_EQ(ReadFile(target), "new content\n");
  EXPECT_EQ(modeOf(target), 0640u);
  EXPECT_EQ(dir.listing(), std::set<std::string>{"db"});
}

TEST_F(RobustWriteTest, commitCreatesAMissingTargetWithTheUmaskMode) {
  mode_t mask = umask(022);
  ASSERT_EQ(writeThrough(target, "x", true), 0);
  umask(mask);
  EXPECT_EQ(ReadFile(target), "x");
  EXPECT_EQ(modeOf(target), 0644u);
}

TEST_F(RobustWriteTest, commitSurvivesTheOldFileBeingRenamedAside) {
  WriteFile(target, "old");
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
  ASSERT_NE(handle, nullptr);
  fputs("new", Tov_GetFilePtr(handle));
  ASSERT_EQ(rename(target.c_str(), dir.file("db.bak").c_str()), 0);
  ASSERT_EQ(Tov_RobustFcloseForWrite(interp, handle), 0);
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(ReadFile(dir.file("db.bak")), "old");
  EXPECT_EQ(dir.listing(), (std::set<std::string>{"db", "db.bak"}));
}

TEST_F(RobustWriteTest, abandonLeavesTheTargetUntouchedAndNoTemporary) {
  WriteFile(target, "old");
  ASSERT_EQ(writeThrough(target, "new", false), 0);
  EXPECT_EQ(ReadFile(target), "old");
  EXPECT_EQ(dir.listing(), std::set<std::string>{"db"});
}

TEST_F(RobustWriteTest, failureAtCloseRemovesTheTemporaryAndReports) {
  ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
  EXPECT_NE(writeThrough(target, "new", true), 0);
  EXPECT_EQ(dir.listing(), std::set<std::string>{"db"});
  EXPECT_EQ(result().rfind("error writing \"" + target + "\": ", 0), 0u)
      << result();
}

} // namespace
