/*
 * database_test.cpp --
 *
 *	Tests of what all databases share: closing the file, the unknown
 *	selector report and the kind names.
 */

#include <gtest/gtest.h>
#include <string>

#include "support/fake_database.h"

namespace {

TEST(DatabaseTest, closeFileClosesOnceAndThenDoesNothing) {
  FILE *file = tmpfile();
  ASSERT_NE(file, nullptr);
  FakeDatabase db(file, "/tmp/db", nullptr);
  EXPECT_EQ(db.fileName(), std::string("/tmp/db"));
  testing::internal::CaptureStderr();
  db.closeFile();
  EXPECT_EQ(db.file, nullptr);
  db.closeFile();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(DatabaseTest, closeFileReportsAFailedCloseOnStandardError) {
  FILE *file = fopen("/dev/full", "w");
  ASSERT_NE(file, nullptr);
  FakeDatabase db(file, "/x/broken.pdb", nullptr);
  testing::internal::CaptureStderr(); /* flushes every stream first */
  setvbuf(file, nullptr, _IOFBF, BUFSIZ);
  fputs("pending", file); /* buffered; the flush at close fails */
  db.closeFile();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Could not close parts database \"/x/broken.pdb\"; error = "
            "ENOSPC(28)\n");
  EXPECT_EQ(db.file, nullptr);
}

TEST(DatabaseTest, findPartByFieldWithAnUnknownSelectorReportsAndFindsNothing) {
  FakeDatabase db(nullptr, "db", nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(db.findPartByField(6, "x"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ERROR: unkown type 6\n");
}

TEST(DatabaseTest, kindNamesCoverEveryKindAndFlagOthers) {
  const char *expected[] = {"user_build", "user", "site", "veltrum", "file"};
  for (int kind = 0; kind < 5; kind++) {
    EXPECT_STREQ(Pdb_DbKindName(kind), expected[kind]);
  }
  EXPECT_STREQ(Pdb_DbKindName(5), "unknown database type from pdb:info.");
  EXPECT_STREQ(Pdb_DbKindName(-1), "unknown database type from pdb:info.");
}

} // namespace
