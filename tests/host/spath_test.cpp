/*
 * spath_test.cpp --
 *
 *	Tests of the directory-list file search.
 */

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"

namespace {

class SpathTest : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    char pattern[] = "/tmp/tovpart_spath_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    for (const char *sub : {"/a", "/b", "/b/lib", "/c", "/c/site.db"}) {
      mkdir((root + sub).c_str(), 0755);
    }
    std::ofstream(root + "/b/site.db") << "x";
    std::ofstream(root + "/b/lib/lib.db") << "x";
  }
  void TearDown() override {
    unsetenv("TOVPART_TEST_PATH");
    ASSERT_EQ(system(("rm -rf '" + root + "'").c_str()), 0);
    TclInterpTest::TearDown();
  }
  std::string root;
};

TEST_F(SpathTest, spathFindsTheFirstReadableFileAlongTheList) {
  /* c/site.db is a directory and must be passed over. */
  std::string list = root + "/a::" + root + "/c:" + root + "/b:";
  setenv("TOVPART_TEST_PATH", list.c_str(), 1);
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 3);

  char *found = Tov_Spath(interp, "site.db", "TOVPART_TEST_PATH", "r", 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(std::string(found), root + "/b/site.db");
  free(found);

  found = Tov_Spath(interp, "lib/lib.db", "TOVPART_TEST_PATH", "r", 2);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(std::string(found), root + "/b/lib/lib.db");
  free(found);
}

TEST_F(SpathTest, spathExplainsAMissingFileOrAnEmptyList) {
  setenv("TOVPART_TEST_PATH", (root + "/a").c_str(), 1);
  EXPECT_EQ(Tov_Spath(interp, "site.db", "TOVPART_TEST_PATH", "r", 0), nullptr);
  EXPECT_EQ(result(), "no usable file \"site.db\" in the directories of "
                      "TOVPART_TEST_PATH");

  setenv("TOVPART_TEST_PATH", "::", 1);
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 0);
  unsetenv("TOVPART_TEST_PATH");
  EXPECT_EQ(Tov_SpathGetNumElem("TOVPART_TEST_PATH"), 0);
  EXPECT_EQ(Tov_Spath(interp, "site.db", "TOVPART_TEST_PATH", "r", 0), nullptr);
  EXPECT_EQ(result(), "environment variable TOVPART_TEST_PATH lists no "
                      "directory");
}

} // namespace
