/*
 * image_writer_test.cpp --
 *
 *	A reference to another database's part makes the image carry a copy
 *	of the record, shared by every reference to it. (The exact bytes of
 *	images are pinned through pdb:write, trees that would overflow a
 *	recursive writer are laid out by the scale tests.)
 */

#include <cstring>
#include <gtest/gtest.h>

#include "files/image/image_fixture.h"

namespace {

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
