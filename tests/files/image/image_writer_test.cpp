/*
 * image_writer_test.cpp --
 *
 *	Tests of the image layout: exact bytes, structure by structure
 *	contents and self-contained cross-database references. (Trees that
 *	would overflow a recursive writer are laid out by the scale tests.)
 */

#include <cstring>
#include <gtest/gtest.h>

#include "files/image/image_fixture.h"

namespace {

TEST(ImageWriter, RootOnlyDatabaseGivesTheExactImage) {
  ModelGroup g;
  Pdb_ImageBuffer image;
  BuildImage(g.addDb("zq_pdb1"), &image);
  const int32_t expected[] = {
      'b', 2,   16,  88,    /* header: list at 16, tree holder at 88 */
      0,   0,   0,   1,     /* empty sorted database list */
      '/', 0,               /* strings "/" and "", padded */
      0,   0,   0,   0,     /* the root's empty list */
      -24, -20, -16,        /* root category: name, help, list */
      -12, 0,   0,   0,  0, /* root node: only its category link */
      -20, 0,   0,   0};    /* tree holder: root link and counters */
  ASSERT_EQ(image.size(), sizeof(expected));
  EXPECT_EQ(0, std::memcmp(image.bytes(), expected, sizeof(expected)));
}

TEST_F(SmallImage, DatabaseListHoldsRecordsByteIdenticalInNameOrder) {
  const Pdb_PartList *list = ImageList(image);
  EXPECT_EQ(list->count, 2);
  EXPECT_EQ(list->capacity, 0);
  EXPECT_EQ(list->sorted, 1);
  EXPECT_EQ(list->storage.offset, -8);
  const Pdb_Part *inOrder[] = {c1, r1};
  uint32_t expectedOffset = PDB_IMAGE_HEADER_SIZE;
  for (int i = 0; i < 2; i++) {
    const Pdb_PartEntry *entry = list->entry(i);
    EXPECT_EQ(offsetOf(entry), expectedOffset) << "records lead the image";
    ASSERT_EQ(0, std::memcmp(entry, inOrder[i], inOrder[i]->size));
    expectedOffset += (inOrder[i]->size + 3) / 4 * 4;
  }
  for (uint32_t i = 16 + c1->size; i % 4 != 0; i++) {
    EXPECT_EQ(image.bytes()[i], 0) << "padding is zero";
  }
}

TEST_F(SmallImage, TreeKeepsLinksCountsAndParentsAndPassesTheVerifier) {
  Pdb_ImageProblem problem;
  EXPECT_TRUE(Pdb_VerifyImage(image.bytes(), image.size(), &problem))
      << problem.text;
  const Pdb_CategoryTree *holder = ImageTree(image);
  EXPECT_EQ(holder->entryCount(), 3);
  EXPECT_EQ(holder->categoryCount(), 2);
  EXPECT_EQ(holder->referenceCount(), 1);

  const Pdb_CategoryNode *root = holder->rootNode();
  EXPECT_EQ(root->storedLinks().parent, 0);
  EXPECT_STREQ(root->body()->nameText(), "/");
  const Pdb_CategoryNode *imageA = root->child();
  const Pdb_CategoryNode *imageRef = imageA->sibling();
  ASSERT_NE(imageRef, nullptr);
  EXPECT_EQ(imageRef->sibling(), nullptr);
  EXPECT_LT(offsetOf(imageRef), offsetOf(imageA))
      << "the last sibling's image comes first";
  EXPECT_EQ(imageA->parentNode(), root);
  EXPECT_EQ(imageRef->parentNode(), root);

  EXPECT_EQ(imageRef->storedLinks().category, 0);
  EXPECT_STREQ(imageRef->refPath(), "/a/b/");
  EXPECT_EQ(imageRef->storedLinks().firstChild, 0);

  EXPECT_STREQ(imageA->body()->nameText(), "a");
  EXPECT_STREQ(imageA->body()->helpText(), "A");
  EXPECT_EQ(imageA->storedLinks().referencePath, 0);
  const Pdb_CategoryNode *imageB = imageA->child();
  EXPECT_EQ(imageB->parentNode(), imageA);
  EXPECT_STREQ(imageB->body()->nameText(), "b");
}

TEST_F(SmallImage, CategoryListsPointIntoTheRecordsAndReferencesPrecedeThem) {
  const Pdb_PartList *dbList = ImageList(image);
  const Pdb_PartList *listB =
      ImageTree(image)->rootNode()->child()->child()->body()->partList();
  ASSERT_EQ(listB->count, 2);
  EXPECT_EQ(listB->capacity, 0);
  EXPECT_EQ(listB->sorted, 0);
  EXPECT_EQ(listB->entry(0), dbList->entry(0)) << "C1 is its home record";

  const Pdb_PartEntry *reference = listB->entry(1);
  ASSERT_EQ(reference->kind, PDB_ENTRY_REFERENCE);
  EXPECT_EQ(Pdb_ResolveEntry(reference),
            reinterpret_cast<const Pdb_Part *>(dbList->entry(1)));
  EXPECT_LE(offsetOf(reference) + sizeof(Pdb_PartRef), offsetOf(listB) - 8)
      << "the reference precedes the list's slots";
}

TEST(ImageWriter, ReferenceToAnotherDatabaseCarriesItsRecord) {
  ModelGroup g;
  Pdb_AsciiDb *library = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *db = g.addDb("zq_pdb2");
  Pdb_Part *foreign = g.part(library, "/lib/", "X9");
  g.part(db, "/mine/", "A1");
  g.partRef(db, "/mine/", foreign);
  g.partRef(db, "/other/", foreign);

  Pdb_ImageBuffer image;
  BuildImage(db, &image);
  Pdb_ImageProblem problem;
  ASSERT_TRUE(Pdb_VerifyImage(image.bytes(), image.size(), &problem))
      << problem.text;

  const Pdb_PartList *dbList = ImageList(image);
  ASSERT_EQ(dbList->count, 1) << "the copy stays out of the sorted list";
  const Pdb_CategoryNode *imageMine = ImageTree(image)->rootNode()->child();
  const Pdb_Part *copy =
      Pdb_ResolveEntry(imageMine->body()->partList()->entry(1));
  const unsigned char *bytes = reinterpret_cast<const unsigned char *>(copy);
  EXPECT_GE(bytes, image.bytes());
  EXPECT_LT(bytes, image.bytes() + image.size());
  EXPECT_EQ(0, std::memcmp(copy, foreign, foreign->size));
  EXPECT_EQ(
      Pdb_ResolveEntry(imageMine->sibling()->body()->partList()->entry(0)),
      copy)
      << "both references share one copy";
}

} // namespace
