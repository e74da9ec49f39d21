/*
 * temporary_names_test.cpp --
 *
 *	The names the replace-on-close writer derives from a target: its
 *	directory and base name, and temporaries that stay beside it and
 *	within NAME_MAX however long the target's name is.
 */

#include <climits>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <unistd.h>

#include "host/temporary_names.h"

TEST(TemporaryNames, DirectoryAndBaseOfEveryFormOfName) {
  struct Case {
    const char *path, *directory, *base;
  };
  const Case cases[] = {
      {"file", ".", "file"},       {"/file", "/", "file"},
      {"dir/file", "dir", "file"}, {"/a/b/file", "/a/b", "file"},
      {"dir/", "dir", ""},         {"./file", ".", "file"},
      {"a//file", "a/", "file"},
  };
  for (const Case &c : cases) {
    Tcl_DString directory;
    Pdb_CopyDirectoryName(c.path, &directory);
    EXPECT_STREQ(Tcl_DStringValue(&directory), c.directory) << c.path;
    Tcl_DStringFree(&directory);
    EXPECT_STREQ(Pdb_FindBaseName(c.path), c.base) << c.path;
  }
}

TEST(TemporaryNames, TemporariesStayBesideTheTargetAndFitNameMax) {
  const std::string longBase(NAME_MAX, 'n');
  const std::string targets[] = {"dir/db.txt", "/abs/" + longBase, "plain"};
  const std::string pid = std::to_string(getpid());
  for (const std::string &target : targets) {
    Tcl_DString first, second;
    Tcl_DStringInit(&first);
    Tcl_DStringInit(&second);
    Pdb_FormatTemporaryName(target.c_str(), &first);
    Pdb_FormatTemporaryName(target.c_str(), &second);
    std::string name = Tcl_DStringValue(&first);
    EXPECT_NE(name, Tcl_DStringValue(&second)) << "names repeat";
    Tcl_DString directory, expected;
    Pdb_CopyDirectoryName(name.c_str(), &directory);
    Pdb_CopyDirectoryName(target.c_str(), &expected);
    EXPECT_STREQ(Tcl_DStringValue(&directory), Tcl_DStringValue(&expected));
    const char *base = Pdb_FindBaseName(name.c_str());
    EXPECT_LE(std::strlen(base), static_cast<std::size_t>(NAME_MAX)) << name;
    EXPECT_NE(std::strstr(base, (".tmp-tov." + pid + ".").c_str()), nullptr)
        << name;
    Tcl_DStringFree(&directory);
    Tcl_DStringFree(&expected);
    Tcl_DStringFree(&first);
    Tcl_DStringFree(&second);
  }
}
