/*
 * subtree_delete_test.cpp --
 *
 *	Deleting categories with everything below them, and what other
 *	databases of the group keep afterwards. (Deletions within one
 *	database are checked against a model by the edit round-trip test.)
 */

#include <gtest/gtest.h>

#include "model/tree_edit.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"

TEST(SubtreeDelete, ReferenceWithoutTargetGoesWithAnyDeletion) {
  ModelGroup g;
  Pdb_AsciiDb *other = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *db = g.addDb("zq_pdb2");
  g.category(other, "/lib/");
  g.category(db, "/lib/"); /* the same path in two databases */
  g.catRef(db, "/y/", other, "/lib/");
  g.category(db, "/x/");
  g.catRef(db, "/x/", other, "/lib/");
  ASSERT_EQ(db->tree->referenceCount(), 2);

  /* Two targets: deleting one of them keeps both references. */
  db->treeEdit()->deleteSubtree(g.group, db->lookupPath(g.group, 0, "/lib/"),
                                &db->parts);
  EXPECT_EQ(db->tree->referenceCount(), 2);

  /* With the other target gone, a deletion of anything drops them. */
  other->treeEdit()->deleteSubtree(
      g.group, other->lookupPath(g.group, 0, "/lib/"), &other->parts);
  db->treeEdit()->deleteSubtree(g.group, nullptr, &db->parts);
  EXPECT_EQ(db->tree->referenceCount(), 0);
  EXPECT_EQ(db->tree->categoryCount(), 2);
}

TEST(SubtreeDelete, DeletingTheRootEmptiesTheTreeUntilEnsurePath) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  g.part(db, "/", "top");
  g.part(db, "/a/b/", "deep");
  db->treeEdit()->deleteSubtree(g.group, db->tree->rootNode(), &db->parts);
  EXPECT_EQ(db->tree->rootNode(), nullptr);
  EXPECT_EQ(db->tree->entryCount(), 0);
  EXPECT_EQ(db->tree->categoryCount(), 0);
  EXPECT_EQ(db->partCount(), 0);
  EXPECT_EQ(db->lookupPath(g.group, 0, "/"), nullptr);
  ASSERT_NE(g.category(db, "/a/"), nullptr);
  EXPECT_EQ(pathOf(db->tree->rootNode()), "/");
}

TEST(SubtreeDelete, RemovePartsTakesEveryEntryOfThePartOutOfTheGroup) {
  std::size_t before = Pdb_WindowLiveBlocks();
  {
    ModelGroup g;
    Pdb_AsciiDb *user = g.addDb("zq_pdb1");
    Pdb_AsciiDb *other = g.addDb("zq_pdb2", PDB_KIND_FILE);
    Pdb_Part *r1 = g.part(user, "/a/", "R1");
    Pdb_Part *r2 = g.part(user, "/a/", "R2");
    g.partRef(user, "/b/", r1);
    g.partRef(other, "/o/", r1);
    g.partRef(other, "/o/", r2);
    g.group->hidden.hidePart(r1);
    g.group->hidden.hidePart(r2);

    Pdb_AddressSet parts;
    parts.insert(r1);
    user->treeEdit()->removeParts(g.group, parts, &user->parts);

    EXPECT_EQ(user->findPart("R1"), nullptr);
    EXPECT_EQ(user->findPart("R2"), r2);
    EXPECT_EQ(user->tree->entryCount(), 1);
    EXPECT_EQ(other->tree->entryCount(), 1);
    EXPECT_EQ(g.group->hidden.hiddenPartCount(), 1);
    EXPECT_TRUE(g.group->hidden.isPartHidden(r2));
  }
  EXPECT_EQ(Pdb_WindowLiveBlocks(), before);
}
