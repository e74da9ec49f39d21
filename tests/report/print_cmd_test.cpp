/*
 * print_cmd_test.cpp --
 *
 *	Tests of pdb:print: the report of each option form for an ASCII and
 *	a binary database, the usage rules, the output file, and trees that a
 *	recursive walk could not print.
 */

#include <cstdio>
#include <gtest/gtest.h>
#include <regex>
#include <string>

#include "files/image_file.h"
#include "files/image_fixture.h"
#include "report/db_report.h"
#include "shell/commands.h"
#include "support/tcl_fixture.h"

namespace {

const char *const USAGE = "USAGE: pdb:print <database name> [ -table | -tree "
                          "| -noPartsTree ] [ -file <output file name> ]\n";

/* The tree section of the sample database, node addresses as PTR. */
const char *const TREE_WITH_PARTS =
    "\n"
    "LEVEL:0/ (size:0) (help:)\n"
    "LEVEL:1    a (size:1) (help:A)\n"
    "level:1    (bas)p:0  R1 {res basic {value 1k}} {resistor R} none\n"
    "LEVEL:2        b (size:2) (help:)\n"
    "level:2        (bas)p:0  C1 {cap basic {}} {capacitor C} none\n"
    "level:2        (ref)p:1  R1 {res basic {value 1k}} {resistor R} none\n"
    "LEVEL:1    (CAT REFTO)/a/b/  PTR\n";
const char *const TREE_WITHOUT_PARTS = "\n"
                                       "LEVEL:0/ (size:0) (help:)\n"
                                       "LEVEL:1    a (size:1) (help:A)\n"
                                       "LEVEL:2        b (size:2) (help:)\n"
                                       "LEVEL:1    (CAT REFTO)/a/b/  PTR\n";
const char *const TOTALS = "<<<<<< Total parts in tree:      3\n"
                           "<<<<<< Total real parts in tree: 2\n"
                           "<<<<<< Total part references:    1\n"
                           "<<<<<< Total categories in tree:          3\n"
                           "<<<<<< Total real categories in tree:     2\n"
                           "<<<<<< Total category references in tree: 1\n";

class PrintCommand : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    TovPart_Init(interp);
    Pdb_Group *group = pdbRegistry.current;
    db = new Pdb_AsciiDb(group, nullptr, PDB_KIND_USER, "user.db");
    group->addDatabase("zq_pdb_a", db);
    Pdb_CategoryTree *tree = db->tree;
    Pdb_CategoryNode *a = tree->createChild(tree->rootNode(), "a", "A");
    Pdb_CategoryNode *b = tree->createChild(a, "b", "");
    const char *pairs[] = {"value", "1k"};
    Pdb_Part *r1 = Pdb_Part::create("R1", "res", "resistor", "basic", "R",
                                    "none", 1, pairs);
    Pdb_Part *c1 = Pdb_Part::create("C1", "cap", "capacitor", "basic", "C",
                                    "none", 0, nullptr);
    db->addPart(r1);
    db->addPart(c1);
    tree->addEntry(a, reinterpret_cast<Pdb_PartEntry *>(r1));
    tree->addEntry(b, reinterpret_cast<Pdb_PartEntry *>(c1));
    tree->addEntry(b, reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(
                          reinterpret_cast<Pdb_PartEntry *>(r1))));
    tree->createReference(tree->rootNode(), b);
  }
  void TearDown() override {
    DropDatabase(pdbRegistry.current, "zq_pdb_b");
    TovPart_Term(interp);
    TclInterpTest::TearDown();
  }

  /* Runs script; returns what it wrote to standard output. */
  std::string run(const std::string &script, int expectedStatus = TCL_OK) {
    testing::internal::CaptureStdout();
    int status = Tcl_Eval(interp, script.c_str());
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(status, expectedStatus) << script << ": " << result();
    return std::regex_replace(out, std::regex("  0x[0-9a-f]+\n"), "  PTR\n");
  }

  /* The parts section of database db. */
  static std::string partsSection(Pdb_Database *db) {
    char *text = nullptr;
    std::size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    db->printPartsTable(out);
    std::fclose(out);
    std::string section =
        std::string("\n") + text +
        "<<<<<< Total parts in table: " + std::to_string(db->partCount()) +
        "\n";
    std::free(text);
    return section;
  }

  Pdb_AsciiDb *db = nullptr;
  TempDir dir;
};

TEST_F(PrintCommand, ReportsEachOptionFormForAsciiAndBinaryDatabases) {
  std::string image = dir.file("image");
  ASSERT_EQ(Tcl_Eval(interp, ("pdb:write -binary zq_pdb_a " + image).c_str()),
            TCL_OK)
      << result();
  int status = 0;
  std::string message;
  Pdb_BinaryDb *binary = LoadImage(image, &status, &message);
  ASSERT_EQ(status, 0) << message;
  pdbRegistry.current->addDatabase("zq_pdb_b", binary);

  const struct {
    const char *handle;
    Pdb_Database *db;
    const char *name;
  } dbs[] = {{"zq_pdb_a", db, "user.db"}, {"zq_pdb_b", binary, image.c_str()}};
  for (const auto &d : dbs) {
    std::string parts = partsSection(d.db);
    std::string name = std::string("<<<<<< Database name: ") + d.name + "\n";
    const struct {
      const char *options;
      std::string report;
    } forms[] = {
        {"", parts + TREE_WITH_PARTS + TOTALS + name},
        {" -table", parts + name},
        {" -tree", TREE_WITH_PARTS + std::string(TOTALS) + name},
        {" -noPartsTree", TREE_WITHOUT_PARTS + std::string(TOTALS) + name},
    };
    for (const auto &form : forms) {
      std::string script = std::string("pdb:print ") + d.handle + form.options;
      EXPECT_EQ(run(script), form.report) << script;
      EXPECT_EQ(result(), "") << script;
    }
  }
  EXPECT_EQ(partsSection(binary),
            "\n<<<<<< partsTable:\n"
            "C1 {cap basic {}} {capacitor C} none\n"
            "R1 {res basic {value 1k}} {resistor R} none\n"
            "<<<<<< Total parts in table: 2\n")
      << "a binary database lists its parts in name order";
}

TEST_F(PrintCommand, UsageRulesAndFailures) {
  const struct {
    const char *script;
    int status;
    std::string out;
    std::string result;
  } cases[] = {
      {"pdb:print", TCL_OK, USAGE, ""},
      {"pdb:print zq_pdb_a -table -tree", TCL_OK, USAGE, ""},
      {"pdb:print zq_pdb_a -noPartsTree -tree", TCL_OK, USAGE, ""},
      {"pdb:print -table", TCL_OK, USAGE, ""},
      {"pdb:print zq_pdb_a a b c d", TCL_OK, USAGE, ""},
      {"pdb:print zq_pdb_a extra -tree", TCL_OK, USAGE,
       " unknown options: extra "},
      {"pdb:print zq_pdb_a -t -table", TCL_ERROR, "",
       "Duplicate option, -t, -table"},
      {"pdb:print zq_pdb_a -group nogroup", TCL_ERROR, "",
       "\"nogroup\" is not a group handle."},
      {"pdb:print zq_pdb_none -tree", TCL_ERROR, "",
       "Unknown database: zq_pdb_none"},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(run(c.script, c.status), c.out) << c.script;
    EXPECT_EQ(result(), c.result) << c.script;
  }
}

TEST_F(PrintCommand, FileOptionWritesTheReportThereOrFailsClearly) {
  std::string file = dir.file("report.txt");
  EXPECT_EQ(run("pdb:print zq_pdb_a -noPartsTree -file " + file), "");
  EXPECT_EQ(result(), "Result in file: " + file);
  std::vector<unsigned char> bytes = ReadBytes(file);
  std::string written =
      std::regex_replace(std::string(bytes.begin(), bytes.end()),
                         std::regex("  0x[0-9a-f]+\n"), "  PTR\n");
  EXPECT_EQ(written, TREE_WITHOUT_PARTS + std::string(TOTALS) +
                         "<<<<<< Database name: user.db\n");

  std::string missing = dir.file("no/such/report");
  run("pdb:print zq_pdb_a -file " + missing, TCL_ERROR);
  EXPECT_EQ(result(), "Cannot open file \"" + missing +
                          "\" for writing: no such file or directory");
}

TEST(PrintTree, LongSiblingChainsAndDeepTreesPrintEveryLevel) {
  for (bool deep : {false, true}) {
    MemoryDb mem;
    Pdb_CategoryNode *parent = mem.root();
    const int nodes = deep ? 10000 : 100000;
    for (int i = 0; i < nodes; i++) {
      Pdb_CategoryNode *node = mem.category("c", "", parent);
      parent = deep ? node : parent;
    }
    char *text = nullptr;
    std::size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    Pdb_PrintTree(mem.root(), 0, true, out);
    std::fclose(out);
    std::string report(text, size);
    std::free(text);
    std::string last = deep ? "LEVEL:10000" + std::string(4 * 10000, ' ') +
                                  "c (size:0) (help:)\n"
                            : "LEVEL:1    c (size:0) (help:)\n";
    ASSERT_GE(report.size(), last.size());
    EXPECT_EQ(report.substr(report.size() - last.size()), last);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), nodes + 1);
  }
}

} // namespace
