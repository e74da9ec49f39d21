/*
 * part_test.cpp --
 *
 *	Part records and part references.
 */

#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "model/part.h"

namespace {

std::string textOf(const Pdb_Part *part, int selector) {
  Tcl_DString text;
  Pdb_PartText(part, selector, &text, PDB_QUOTE_TCL);
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

TEST(PartRecord, StringsLieBackToBackAfterTheHeader) {
  PartPtr empty(Pdb_Part::create("", "", "", "", "", "", 0, nullptr));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->size, 26u);
  EXPECT_EQ(empty->propertiesOffset, 6);
  EXPECT_EQ(textOf(empty.get(), PDB_FIELD_SYMBOL), "{} {} {}");

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
  const char *name, *value;
  part->pair(1, &name, &value);
  EXPECT_STREQ(name, "tol");
  EXPECT_STREQ(value, "");
}

TEST(PartReference, DesignatesThePartNeverAnotherReference) {
  PartPtr part(Pdb_Part::create("C1", "cap", "", "", "", "kelm", 0, nullptr));
  auto *entry = reinterpret_cast<Pdb_PartEntry *>(part.get());
  auto *first = reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(entry));
  auto *second = reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(first));
  EXPECT_EQ(second->kind, PDB_ENTRY_REFERENCE);
  EXPECT_EQ(Pdb_ResolveEntry(second), part.get());
  EXPECT_STREQ(Pdb_EntryName(second), "C1");
  Pdb_DestroyEntry(first);
  Pdb_DestroyEntry(second);
}
