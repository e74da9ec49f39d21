/*
 * robust_write_test.cpp --
 *
 *	Tests of replace-on-close writing: commit, abandon, failure at close,
 *	kept permissions and links.
 */

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"

namespace {

class RobustWriteTest : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    char pattern[] = "/tmp/tovpart_robust_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    std::string command = "rm -rf '" + dir + "'";
    ASSERT_EQ(system(command.c_str()), 0);
    TclInterpTest::TearDown();
  }

  std::string path(const std::string &name) const { return dir + "/" + name; }

  static void writeFile(const std::string &name, const std::string &text) {
    std::ofstream(name) << text;
  }
  static std::string readFile(const std::string &name) {
    std::ifstream in(name);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::set<std::string> entries() const {
    std::set<std::string> names;
    DIR *d = opendir(dir.c_str());
    while (struct dirent *e = readdir(d)) {
      std::string name = e->d_name;
      if (name != "." && name != "..") {
        names.insert(name);
      }
    }
    closedir(d);
    return names;
  }
  static mode_t modeOf(const std::string &name) {
    struct stat info;
    stat(name.c_str(), &info);
    return info.st_mode & 07777;
  }

  /* Opens target, writes text, and commits (true) or abandons. */
  int writeThrough(const std::string &target, const std::string &text,
                   bool commit) {
    Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
    if (handle == nullptr) {
      return -1;
    }
    fputs(text.c_str(), Tov_GetFilePtr(handle));
    if (!commit) {
      Tov_RobustFabandonForWrite(handle);
      return 0;
    }
    return Tov_RobustFcloseForWrite(interp, handle);
  }

  std::string dir;
};

TEST_F(RobustWriteTest, commitReplacesTheTargetKeepingItsPermissions) {
  std::string target = path("db");
  writeFile(target, "old content\n");
  chmod(target.c_str(), 0640);

  Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
  ASSERT_NE(handle, nullptr);
  fputs("new content\n", Tov_GetFilePtr(handle));
  EXPECT_EQ(readFile(target), "old content\n") << "target changed before close";
  EXPECT_EQ(entries().size(), 2u) << "a temporary file sits beside the target";
  ASSERT_EQ(Tov_RobustFcloseForWrite(interp, handle), 0);

  EXPECT_EQ(readFile(target), "new content\n");
  EXPECT_EQ(modeOf(target), 0640u);
  EXPECT_EQ(entries(), std::set<std::string>{"db"});
}

TEST_F(RobustWriteTest, commitCreatesAMissingTargetWithTheUmaskMode) {
  mode_t mask = umask(022);
  std::string target = path("fresh");
  ASSERT_EQ(writeThrough(target, "x", true), 0);
  umask(mask);
  EXPECT_EQ(readFile(target), "x");
  EXPECT_EQ(modeOf(target), 0644u);
}

TEST_F(RobustWriteTest, commitSurvivesTheOldFileBeingRenamedAside) {
  std::string target = path("db");
  writeFile(target, "old");
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
  ASSERT_NE(handle, nullptr);
  fputs("new", Tov_GetFilePtr(handle));
  ASSERT_EQ(rename(target.c_str(), path("db.bak").c_str()), 0);
  ASSERT_EQ(Tov_RobustFcloseForWrite(interp, handle), 0);
  EXPECT_EQ(readFile(target), "new");
  EXPECT_EQ(readFile(path("db.bak")), "old");
  EXPECT_EQ(entries(), (std::set<std::string>{"db", "db.bak"}));
}

TEST_F(RobustWriteTest, abandonLeavesTheTargetUntouchedAndNoTemporary) {
  std::string target = path("db");
  writeFile(target, "old");
  ASSERT_EQ(writeThrough(target, "new", false), 0);
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(entries(), std::set<std::string>{"db"});
}

TEST_F(RobustWriteTest, failureAtCloseRemovesTheTemporaryAndReports) {
  std::string target = path("adir");
  ASSERT_EQ(mkdir(target.c_str(), 0755), 0);
  EXPECT_NE(writeThrough(target, "new", true), 0);
  EXPECT_EQ(entries(), std::set<std::string>{"adir"});
  EXPECT_EQ(result().rfind("error writing \"" + target + "\": ", 0), 0u)
      << result();
}

TEST_F(RobustWriteTest, commitThroughASymbolicLinkKeepsTheLink) {
  std::string real = path("real");
  std::string link = path("link");
  writeFile(real, "old");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  ASSERT_EQ(writeThrough(link, "new", true), 0);
  struct stat info;
  ASSERT_EQ(lstat(link.c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode));
  EXPECT_EQ(readFile(real), "new");
}

} // namespace
