/*
 * database_test.cpp --
 *
 *	Tests of what all databases share (closing the file, the field
 *	search, the kind names) and of the group queries over them.
 */

#include <gtest/gtest.h>
#include <string>

#include "model/group_queries.h"
#include "tests/model/model_fixture.h"

TEST(Database, closeFileReportsAFailedCloseOnceOnStandardError) {
  FILE *file = fopen("/dev/full", "w");
  ASSERT_NE(file, nullptr);
  ModelGroup g;
  Pdb_AsciiDb db(g.group, file, PDB_KIND_FILE, "/x/broken.pdb");
  testing::internal::CaptureStderr(); /* flushes every stream first */
  setvbuf(file, nullptr, _IOFBF, BUFSIZ);
  fputs("pending", file); /* buffered; the flush at close fails */
  db.closeFile();
  EXPECT_EQ(db.file, nullptr);
  db.closeFile();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Could not close parts database \"/x/broken.pdb\"; error = "
            "ENOSPC(28)\n");
}

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
}

TEST(Database, KindNamesFlagKindsOutOfRange) {
  EXPECT_STREQ(Pdb_GetDbKindName(PDB_KIND_FILE), "file");
  for (int kind : {-1, PDB_KIND_FILE + 1}) {
    EXPECT_STREQ(Pdb_GetDbKindName(kind),
                 "unknown database type from pdb:info.");
  }
}

TEST(GroupQueries, UserDatabasesAreBuildOrUserKindsOnly) {
  ModelGroup g;
  EXPECT_EQ(Pdb_FindUserDatabase(g.group), nullptr);
  Pdb_AsciiDb *build = g.addDb("./parts.db", PDB_KIND_USER_BUILD);
  Pdb_AsciiDb *site = g.addDb("site.db", PDB_KIND_SITE);
  EXPECT_EQ(Pdb_FindUserDatabase(g.group), build);
  g.part(build, "/mine/", "U1");
  g.part(site, "/lib/", "S1");
  EXPECT_FALSE(Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_PART, "U1"));
  EXPECT_TRUE(Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_PART, "S1"));
  EXPECT_FALSE(
      Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_CATEGORY, "/mine/"));
  EXPECT_TRUE(
      Pdb_DefinedOutsideUserDatabases(g.group, PDB_OBJECT_CATEGORY, "/lib/"));
}
