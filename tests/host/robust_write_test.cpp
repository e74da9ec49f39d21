/*
 * robust_write_test.cpp --
 *
 *	Tests of replace-on-close writing, with an unnamed temporary and with
 *	a named one: commit, kept permissions, symbolic links, targets that
 *	are not regular files, stale temporaries of killed writers and the
 *	longest name. (Every step failing in turn, which abandons the write,
 *	is tested through the commands that write; a target renamed aside
 *	while it is written through pdb:save's backup.)
 */

#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "host/tov_host.h"
#include "support/fault_hook.h"
#include "support/tcl_fixture.h"
#include "support/temp_dir.h"

namespace {

mode_t ModeOf(const std::string &name) {
  struct stat info;
  return stat(name.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

/* The pid of a process that has ended. */
pid_t DeadPid() {
  pid_t child = fork();
  if (child == 0) {
    _exit(0);
  }
  waitpid(child, nullptr, 0);
  return child;
}

/* The parameter: true for a named temporary, false for an unnamed one. */
class RobustWrite : public TclInterpTest,
                    public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    faults.namedTemporary(GetParam());
  }

  /* Opens name, writes text and commits. Returns the commit's status, or
   * -1 when the open failed. */
  int writeThrough(const std::string &name, const std::string &text) {
    Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, name.c_str());
    if (handle == nullptr) {
      return -1;
    }
    fwrite(text.data(), 1, text.size(), Tov_GetFilePtr(handle));
    return Tov_RobustFcloseForWrite(interp, handle);
  }

  FaultHook faults;
  TempDir dir;
  std::string target = dir.file("db");
  const std::set<std::string> onlyTarget{"db"};
};

TEST_P(RobustWrite, CommitReplacesTheTargetAtCloseAndKeepsItsPermissions) {
  WriteFile(target, "old content\n");
  chmod(target.c_str(), 0640);
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(interp, target.c_str());
  ASSERT_NE(handle, nullptr);
  fputs("new content\n", Tov_GetFilePtr(handle));
  fflush(Tov_GetFilePtr(handle));
  EXPECT_EQ(ReadFile(target), "old content\n") << "target changed before close";
  EXPECT_EQ(dir.listing().size(), GetParam() ? 2u : 1u)
      << "only a named temporary shows beside the target";
  ASSERT_EQ(Tov_RobustFcloseForWrite(interp, handle), 0);
  EXPECT_EQ(ReadFile(target), "new content\n");
  EXPECT_EQ(ModeOf(target), 0640u);
  EXPECT_EQ(dir.listing(), onlyTarget);
}

TEST_P(RobustWrite, SymbolicLinksStayAndTheFileTheyNameReceivesTheContent) {
  mkdir(dir.file("sub").c_str(), 0755);
  WriteFile(dir.file("sub/real"), "old");
  symlink("sub/real", dir.file("relative").c_str());
  symlink(dir.file("relative").c_str(), dir.file("chain").c_str());
  symlink("sub/missing", dir.file("dangling").c_str());
  const struct {
    const char *link;
    const char *file;
  } cases[] = {{"relative", "sub/real"},
               {"chain", "sub/real"},
               {"dangling", "sub/missing"}};
  for (const auto &c : cases) {
    std::string content = std::string("through ") + c.link;
    ASSERT_EQ(writeThrough(dir.file(c.link), content), 0) << result();
    struct stat info;
    ASSERT_EQ(lstat(dir.file(c.link).c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode)) << c.link << " is no longer a link";
    EXPECT_EQ(ReadFile(dir.file(c.file)), content) << c.link;
  }
  EXPECT_EQ(dir.listing(),
            (std::set<std::string>{"chain", "dangling", "relative", "sub"}));
}

TEST_P(RobustWrite, TargetThatIsNotARegularFileIsRefusedUnopened) {
  mkdir(dir.file("directory").c_str(), 0755);
  mkfifo(dir.file("fifo").c_str(), 0644);
  symlink("fifo", dir.file("link-to-fifo").c_str());
  /* Opening the FIFO for writing would block without a reader. */
  for (std::string name :
       {dir.file("directory"), dir.file("fifo"), dir.file("link-to-fifo"),
        std::string("/dev/null")}) {
    std::set<std::string> before = dir.listing();
    EXPECT_EQ(writeThrough(name, "x"), -1) << name;
    EXPECT_EQ(result(), "cannot write a new version of \"" + name +
                            "\": not a regular file");
    const char *text = nullptr;
    EXPECT_EQ(Tov_RobustLastFailure(&text), EINVAL);
    EXPECT_STREQ(text, "not a regular file");
    EXPECT_EQ(dir.listing(), before);
  }
  struct stat info;
  EXPECT_TRUE(stat(dir.file("fifo").c_str(), &info) == 0 &&
              S_ISFIFO(info.st_mode));
  EXPECT_TRUE(stat("/dev/null", &info) == 0 && S_ISCHR(info.st_mode));
}

TEST_P(RobustWrite, NextWriteRemovesStaleTemporariesOfTheTargetOnly) {
  std::string dead = std::to_string(DeadPid());
  std::string own = std::to_string(getpid());
  const struct {
    std::string name;
    bool stays;
  } entries[] = {{"db.tmp-tov." + dead + ".3", false},
                 {"db.tmp-tov." + own + ".9", true},
                 {"db.tmp-tov.1.0", true}, /* init runs */
                 {"other.tmp-tov." + dead + ".0", true},
                 {"db.tmp-tov." + dead + ".x", true},
                 {"db.tmp-tov." + dead, true}};
  std::set<std::string> expected = onlyTarget;
  for (const auto &e : entries) {
    WriteFile(dir.file(e.name.c_str()), "left behind");
    if (e.stays) {
      expected.insert(e.name);
    }
  }
  ASSERT_EQ(writeThrough(target, "new"), 0) << result();
  EXPECT_EQ(dir.listing(), expected);
}

TEST_P(RobustWrite, TargetWithTheLongestNameIsWritten) {
  std::string name = dir.file(std::string(NAME_MAX, 'L').c_str());
  WriteFile(name, "old");
  ASSERT_EQ(writeThrough(name, "new"), 0) << result();
  EXPECT_EQ(ReadFile(name), "new");
  EXPECT_EQ(dir.listing().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Temporary, RobustWrite, ::testing::Bool(),
                         TemporaryKind);

} // namespace
