/*
 * part_test.cpp --
 *
 *	Part records, references and self-relative links.
 */

#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "model/part.h"
#include "model/window.h"

namespace {

std::string textOf(const Pdb_Part *part, int selector,
                   Pdb_Quoting quoting = PDB_QUOTE_TCL) {
  Tcl_DString text;
  Pdb_PartText(part, selector, &text, quoting);
  std::string copy(Tcl_DStringValue(&text));
  Tcl_DStringFree(&text);
  return copy;
}

struct PartDeleter {
  void operator()(Pdb_Part *p) const {
    Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(p));
  }
};
using PartPtr = std::unique_ptr<Pdb_Part, PartDeleter>;

} // namespace

TEST(PartRecord, EmptyStringsMakeTheSmallestRecord) {
  PartPtr part(Pdb_Part::create("", "", "", "", "", "", 0, nullptr));
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(part->size, 26u);
  EXPECT_EQ(part->propertiesOffset, 6);
  EXPECT_EQ(textOf(part.get(), PDB_FIELD_SYMBOL), "{} {} {}");
  EXPECT_EQ(textOf(part.get(), PDB_FIELD_PROPERTIES), "");
}

TEST(PartRecord, StringsLieBackToBackAfterTheHeader) {
  const char *pairs[] = {"value", "1k", "tol", ""};
  PartPtr part(Pdb_Part::create("R1", "res", "resistor", "basic", "Resistor",
                                "none", 2, pairs));
  ASSERT_NE(part, nullptr);
  const char expected[] = "R1\0res\0basic\0resistor\0Resistor\0none\0"
                          "value\0"
                          "1k\0tol\0";
  ASSERT_EQ(part->size, 20 + sizeof expected);
  EXPECT_EQ(std::memcmp(part->strings(), expected, sizeof expected), 0);
  EXPECT_EQ(part->kind, PDB_ENTRY_PART);
  EXPECT_EQ(part->symbolOffset, 3);
  EXPECT_EQ(part->templateOffset, 13);
  EXPECT_EQ(part->hdlOffset, 31);
  EXPECT_EQ(part->propertiesOffset, 36);
  EXPECT_STREQ(part->symbolLibrary(), "basic");
  EXPECT_STREQ(part->templateDescription(), "Resistor");
  const char *name, *value;
  part->pair(1, &name, &value);
  EXPECT_STREQ(name, "tol");
  EXPECT_STREQ(value, "");
}

TEST(PartRecord, TextFormsOfEachSelector) {
  const char *pairs[] = {"value", "1k", "note", "two words"};
  PartPtr part(Pdb_Part::create("R1", "res", "resistor", "basic", "Resistor",
                                "none", 2, pairs));
  struct {
    int selector;
    const char *text;
  } cases[] = {
      {PDB_FIELD_WHOLE,
       "R1 {res basic {value 1k note {two words}}} {resistor Resistor} none"},
      {PDB_FIELD_SYMBOL, "res basic {value 1k note {two words}}"},
      {PDB_FIELD_TEMPLATE, "resistor Resistor"},
      {PDB_FIELD_HDL, "none"},
      {PDB_FIELD_PROPERTIES, "{value 1k} {note {two words}}"},
      {7, ""},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(textOf(part.get(), c.selector), c.text) << c.selector;
  }
}

TEST(PartRecord, OneLineTextKeepsLineBreaksOutAndSplitsBack) {
  const char *pairs[] = {"note", "line one\nline two"};
  PartPtr part(
      Pdb_Part::create("R\r1", "res", "t", "lib{", "a\nb}", "none", 1, pairs));
  std::string line = textOf(part.get(), PDB_FIELD_WHOLE, PDB_QUOTE_ONE_LINE);
  EXPECT_EQ(line.find_first_of("\n\r"), std::string::npos) << line;
  int count;
  const char **fields;
  ASSERT_EQ(Tcl_SplitList(nullptr, line.c_str(), &count, &fields), TCL_OK);
  ASSERT_EQ(count, 4);
  EXPECT_STREQ(fields[0], "R\r1");
  int symbolCount;
  const char **symbol;
  ASSERT_EQ(Tcl_SplitList(nullptr, fields[1], &symbolCount, &symbol), TCL_OK);
  EXPECT_STREQ(symbol[1], "lib{");
  int pairCount;
  const char **pairsBack;
  ASSERT_EQ(Tcl_SplitList(nullptr, symbol[2], &pairCount, &pairsBack), TCL_OK);
  EXPECT_STREQ(pairsBack[1], "line one\nline two");
  Tcl_Free(reinterpret_cast<char *>(pairsBack));
  Tcl_Free(reinterpret_cast<char *>(symbol));
  Tcl_Free(reinterpret_cast<char *>(fields));
}

TEST(PartRecord, RefusesStringsBeyondTheSixteenBitOffsets) {
  std::string longName(40000, 'x');
  EXPECT_FALSE(Pdb_Part::fits(longName.c_str(), "s", "", "", "", "none", 0));
  EXPECT_EQ(
      Pdb_Part::create(longName.c_str(), "s", "", "", "", "none", 0, nullptr),
      nullptr);
  EXPECT_FALSE(Pdb_Part::fits("a", "s", "", "", "", "none", 40000));
  EXPECT_TRUE(Pdb_Part::fits("a", "s", "", "", "", "none", 32767));
}

TEST(PartReference, DesignatesThePartNeverAnotherReference) {
  PartPtr part(Pdb_Part::create("C1", "cap", "", "", "", "kelm", 0, nullptr));
  auto *entry = reinterpret_cast<Pdb_PartEntry *>(part.get());
  Pdb_PartRef *first = Pdb_PartRef::create(entry);
  Pdb_PartRef *second =
      Pdb_PartRef::create(reinterpret_cast<Pdb_PartEntry *>(first));
  EXPECT_EQ(second->kind, PDB_ENTRY_REFERENCE);
  EXPECT_EQ(Pdb_ResolveEntry(reinterpret_cast<Pdb_PartEntry *>(second)),
            part.get());
  EXPECT_STREQ(Pdb_EntryName(reinterpret_cast<Pdb_PartEntry *>(second)), "C1");
  Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(first));
  Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(second));
}

TEST(RelPtr, StoresNullAsZeroAndTargetsRelativeToTheBase) {
  alignas(8) char block[16];
  Pdb_RelPtr link{0};
  EXPECT_TRUE(link.isNull(block));
  link.set(block, block + 8);
  EXPECT_EQ(link.offset, 8);
  EXPECT_EQ(link.get<char>(block), block + 8);
  link.set(block, nullptr);
  EXPECT_EQ(link.offset, 0);
}
