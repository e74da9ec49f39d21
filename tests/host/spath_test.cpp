/*
 * spath_test.cpp --
 *
 *	Tests of the directory-list file search.
 */

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"
#include "support/temp_dir.h"

namespace {

class SpathTest : public TclInterpTest {
protected:
  void TearDown() override {
    unsetenv("TOVPART_TEST_PATH");
    TclInterpTest::TearDown();
  }

  /* The search for name along list as a string, or its message. */
  std::string search(const std::string &list, const char *name, int depth) {
    setenv("TOVPART_TEST_PATH", list.c_str(), 1);
    char *found = Tov_Spath(interp, name, "TOVPART_TEST_PATH", "r", depth);
    std::string text = found != nullptr ? found : "-> " + result();
    free(found);
    return text;
  }

  TempDir root;
};

TEST_F(SpathTest, spathFindsTheFirstReadableFileAlongTheListOrSaysWhyNot) {
  for (const char *sub : {"/a", "/b", "/b/lib", "/c", "/c/site.db"}) {
    mkdir((root.name() + sub).c_str(), 0755);
  }
  WriteFile(root.file("b/site.db"), "x");
  WriteFile(root.file("b/lib/lib.db"), "x");
  /* c/site.db is a directory and must be passed over. */
  std::string r = root.name();
  std::string list = r + "/a::" + r + "/c:" + r + "/b:";
  EXPECT_EQ(search(list, "site.db", 0), r + "/b/site.db");
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 3);
  EXPECT_EQ(search(list, "lib/lib.db", 2), r + "/b/lib/lib.db");
  EXPECT_EQ(search(root.file("a"), "site.db", 0),
            "-> no usable file \"site.db\" in the directories of "
            "TOVPART_TEST_PATH");
  EXPECT_EQ(search("::", "site.db", 0),
            "-> environment variable TOVPART_TEST_PATH lists no directory");
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 0);
  unsetenv("TOVPART_TEST_PATH");
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 0);
}

} // namespace
