/*
 * conventions_test.cpp --
 *
 *	Tests of the shared command conventions that scripts cannot reach
 *	yet: the duplicate-option check, the common preamble, the release of
 *	a translated name and the reader's line error. (The message forms
 *	are pinned by the command tests.)
 */

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "shell/conventions.h"
#include "support/tcl_fixture.h"

namespace {

class ConventionsTest : public TclInterpTest {};

TEST_F(ConventionsTest, duplicateCheckFlagsWordsThatArePrefixesOfEachOther) {
  const struct {
    std::vector<const char *> words;
    std::string message; /* empty: no clash */
  } cases[] = {
      {{"pdb:hide", "-parts", "a", "-p", "b"}, "Duplicate option, -parts, -p"},
      {{"pdb:hide", "-p", "a", "-parts", "b"}, "Duplicate option, -p, -parts"},
      {{"pdb:x", "-group", "g", "-db", "d"}, ""},
      {{"pdb:x", "-a", "-b", "-a"}, "Duplicate option, -a, -a"},
      {{"pdb:x", "parts", "parts"}, ""},
      {{"pdb:x", "-ab", "-ac", "-a"}, "Duplicate option, -ab, -a"},
  };
  for (const auto &c : cases) {
    Tcl_ResetResult(interp);
    int status = Pdb_CheckDuplicateOptions(
        interp, static_cast<int>(c.words.size()), c.words.data());
    EXPECT_EQ(status, c.message.empty() ? TCL_OK : TCL_ERROR) << c.message;
    EXPECT_EQ(result(), c.message);
  }
}

TEST_F(ConventionsTest, preambleForgetsTheOptionsOfThePreviousCommand) {
  const char *first[] = {"pdb:x", "-group", "g7", "-db", "site", "h", nullptr};
  int argc = 6;
  ASSERT_EQ(Pdb_CommonPreamble(interp, &argc, first), TCL_OK);
  EXPECT_EQ(argc, 2);
  EXPECT_STREQ(pdbGroupOption, "g7");
  EXPECT_STREQ(pdbDbOption, "site");

  const char *second[] = {"pdb:x", "h", nullptr};
  argc = 2;
  ASSERT_EQ(Pdb_CommonPreamble(interp, &argc, second), TCL_OK);
  EXPECT_EQ(pdbGroupOption, nullptr);
  EXPECT_EQ(pdbDbOption, nullptr);
}

TEST_F(ConventionsTest, openFailureReleasesTheTranslatedNameAfterUsingIt) {
  Tcl_DString translated;
  Tcl_DStringInit(&translated);
  Tcl_DStringAppend(&translated, std::string(500, 'n').c_str(), -1);
  Tcl_SetResult(interp, const_cast<char *>("stale"), TCL_STATIC);
  Pdb_OpenFailure(interp, "Cannot open", Tcl_DStringValue(&translated), nullptr,
                  &translated);
  EXPECT_EQ(result(), "Cannot open \"" + std::string(500, 'n') + "\"");
  EXPECT_EQ(Tcl_DStringLength(&translated), 0);
}

TEST_F(ConventionsTest, lineErrorFormatsAnyLengthAndSetsTheErrorCode) {
  std::string file = "/data/" + std::string(3000, 'f') + ".pdb";
  std::string text(2000, 't');
  Tcl_AppendResult(interp, "earlier text", (char *)nullptr);
  EXPECT_EQ(
      Pdb_LineError(interp, text.c_str(), 42, file.c_str(), PDB_EC_DUP_PART),
      TCL_ERROR);
  EXPECT_EQ(result(), text + ", line 42 in " + file + ".");
  EXPECT_EQ(errorCode(), "PDB DUP_PART " + file + " 42");
}

} // namespace
