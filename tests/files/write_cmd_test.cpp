/*
 * write_cmd_test.cpp --
 *
 *	Tests of the pdb:write command: the image it writes and its argument
 *	and database checks.
 */

#include <gtest/gtest.h>
#include <string>

#include "files/image_fixture.h"
#include "shell/commands.h"
#include "support/tcl_fixture.h"

namespace {

class WriteCommand : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    TovPart_Init(interp);
    Pdb_Group *group = pdbRegistry.current;
    db = new Pdb_AsciiDb(group, nullptr, PDB_KIND_USER, "user.db");
    group->addDatabase("zq_pdb_w", db);
    Pdb_CategoryNode *node =
        db->tree->createChild(db->tree->rootNode(), "a", "help");
    const char *pairs[] = {"value", "1k"};
    Pdb_Part *part = Pdb_Part::create("R1", "res", "resistor", "basic", "R",
                                      "none", 1, pairs);
    db->addPart(part);
    db->tree->addEntry(node, reinterpret_cast<Pdb_PartEntry *>(part));
  }
  void TearDown() override {
    DropDatabase(pdbRegistry.current, "zq_pdb_b");
    TovPart_Term(interp);
    TclInterpTest::TearDown();
  }

  int eval(const std::string &script) {
    return Tcl_Eval(interp, script.c_str());
  }

  Pdb_AsciiDb *db = nullptr;
  TempDir dir;
  std::string file = dir.file("out.zq_pdb_bi");
};

TEST_F(WriteCommand, WritesTheImageOfTheDatabase) {
  ASSERT_EQ(eval("pdb:write -binary zq_pdb_w " + file), TCL_OK) << result();
  EXPECT_EQ(result(), "");
  Pdb_ImageBuffer image;
  BuildImage(db, &image);
  EXPECT_EQ(ReadBytes(file), std::vector<unsigned char>(
                                 image.bytes(), image.bytes() + image.size()));
}

TEST_F(WriteCommand, RefusesBadArgumentsAndBinaryDatabases) {
  ASSERT_EQ(eval("pdb:write -binary zq_pdb_w " + file), TCL_OK) << result();
  int status = 0;
  std::string message;
  pdbRegistry.current->addDatabase("zq_pdb_b",
                                   LoadImage(file, &status, &message));
  ASSERT_EQ(status, 0) << message;

  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {"pdb:write -binary zq_pdb_w", "Wrong # args for pdb:write"},
      {"pdb:write -binary zq_pdb_w a b", "Wrong # args for pdb:write"},
      {"pdb:write -bin zq_pdb_w x", "Illegal args for pdb:write"},
      {"pdb:write -binary zq_pdb_none x", "Not a zq_pdb \"zq_pdb_none\""},
      {"pdb:write -group nogroup -binary zq_pdb_w x",
       "\"nogroup\" is not a group handle."},
      {"pdb:write -binary zq_pdb_b " + dir.file("again"),
       "Cannot write database \"zq_pdb_b\": it is a binary image, only ASCII "
       "databases can be written as images"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(eval(c.script), TCL_ERROR) << c.script;
    EXPECT_EQ(result(), c.message) << c.script;
  }
}

} // namespace
