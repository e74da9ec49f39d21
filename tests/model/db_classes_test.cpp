/*
 * database_test.cpp --
 *
 *	The two database classes and the group queries over them.
 */

#include <gtest/gtest.h>

#include "model/binary_db.h"
#include "shell/group_queries.h"
#include "tests/model/model_fixture.h"

TEST(Database, FindByFieldMatchesSymbolOrTemplateAndRejectsOtherSelectors) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_Part *p = g.part(db, "/a/", "R1");
  EXPECT_EQ(db->findPartByField(PDB_FIELD_SYMBOL, "sym"), p);
  EXPECT_EQ(db->findPartByField(PDB_FIELD_TEMPLATE, "tmpl"), p);
  EXPECT_EQ(db->findPartByField(PDB_FIELD_TEMPLATE, "sym"), nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(db->findPartByField(PDB_FIELD_HDL, "none"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: unkown type 6\n");
  EXPECT_EQ(db->partCount(), 1);
  EXPECT_EQ(db->partsTable(), &db->parts);
}

TEST(Database, BinaryDatabaseSearchesItsSortedList) {
  Pdb_PartList *list = Pdb_PartList::create(0);
  std::vector<Pdb_Part *> parts;
  for (const char *name : {"m", "a", "z", "B"}) {
    parts.push_back(makePart(name));
    list->append(reinterpret_cast<Pdb_PartEntry *>(parts.back()));
  }
  list->sort();
  {
    Pdb_BinaryDb db(nullptr, PDB_KIND_FILE, "image");
    EXPECT_EQ(db.partCount(), 0); /* nothing mapped yet */
    EXPECT_EQ(db.findPart("a"), nullptr);
    EXPECT_EQ(db.partsTable(), nullptr);
    db.partList = list;
    db.mapBase = list; /* stands in for a view; not in the view table */
    EXPECT_EQ(db.partCount(), 4);
    EXPECT_EQ(db.findPart("a"), parts[1]);
    EXPECT_EQ(db.findPart("B"), parts[3]);
    EXPECT_EQ(db.findPart("b"), nullptr);
    EXPECT_EQ(db.findPartByField(PDB_FIELD_SYMBOL, "sym"), parts[3]);
  }
  Pdb_PartList::destroy(list);
  for (Pdb_Part *p : parts) {
    Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(p));
  }
}

TEST(GroupQueries, AnswerByKindAndFileName) {
  ModelGroup g;
  EXPECT_EQ(Pdb_FindUserDatabase(g.group), nullptr);
  Pdb_AsciiDb *build = g.addDb("./parts.db", PDB_KIND_USER_BUILD);
  Pdb_AsciiDb *site = g.addDb("site.db", PDB_KIND_SITE);
  EXPECT_EQ(Pdb_FindUserDatabase(g.group), build);
  EXPECT_EQ(Pdb_FindSiteDatabase(g.group), site);
  EXPECT_TRUE(Pdb_IsFileOpen(g.group, "./parts.db"));
  EXPECT_FALSE(Pdb_IsFileOpen(g.group, "parts.db"));

  g.part(build, "/mine/", "U1");
  g.part(site, "/lib/", "S1");
  EXPECT_FALSE(Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_PART, "U1"));
  EXPECT_TRUE(Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_PART, "S1"));
  EXPECT_FALSE(
      Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_CATEGORY, "/mine/"));
  EXPECT_TRUE(
      Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_CATEGORY, "/lib/"));
  EXPECT_EQ(Pdb_FindPartInGroup(g.group, "S1"), site->findPart("S1"));
}
