/*
 * subtree_delete_test.cpp --
 *
 *	Deleting categories with everything below them, and what other
 *	databases of the group keep afterwards.
 */

#include <gtest/gtest.h>

#include "model/tree_edit.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"

TEST(SubtreeDelete, RemovesSubtreePartsTheirReferencesAndDeadCategoryRefs) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_Part *r1 = g.part(db, "/a/", "R1");
  Pdb_Part *r2 = g.part(db, "/a/b/", "R2");
  Pdb_Part *keep = g.part(db, "/k/", "K1");
  g.partRef(db, "/k/", r1);
  g.partRef(db, "/k/", r2);
  g.catRef(db, "/k/", db, "/a/b/"); /* only target deleted: goes */
  g.catRef(db, "/", db, "/k/");     /* target stays: stays */
  ASSERT_EQ(db->tree->categoryCount(), 3);
  ASSERT_EQ(db->tree->referenceCount(), 2);
  ASSERT_EQ(db->tree->entryCount(), 5);

  db->treeEdit()->deleteSubtree(g.group, db->lookupPath(g.group, 0, "/a/"),
                                &db->parts);

  EXPECT_EQ(db->lookupPath(g.group, 0, "/a/"), nullptr);
  EXPECT_EQ(db->findPart("R1"), nullptr);
  EXPECT_EQ(db->findPart("R2"), nullptr);
  EXPECT_EQ(db->findPart("K1"), keep);
  EXPECT_EQ(db->tree->categoryCount(), 1);
  EXPECT_EQ(db->tree->referenceCount(), 1);
  EXPECT_EQ(db->tree->entryCount(), 1);
  Pdb_CategoryNode *k = db->lookupPath(g.group, 0, "/k/");
  EXPECT_EQ(k->body()->partList()->count, 1);
  EXPECT_EQ(k->child(), nullptr);
  EXPECT_TRUE(db->tree->rootNode()->hasReferenceChild("/k/"));
}

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

TEST(SubtreeDelete, FreedPartsLeaveNoReferenceOrHiddenEntryAnywhere) {
  ModelGroup g;
  Pdb_AsciiDb *site = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *user = g.addDb("zq_pdb2");
  Pdb_Part *r1 = g.part(site, "/lib/", "R1");
  g.part(user, "/mine/", "U1");
  g.partRef(user, "/mine/", r1);
  g.partRef(user, "/other/", r1);
  g.group->hidden.hidePart(r1);
  ASSERT_EQ(user->tree->entryCount(), 3);

  site->treeEdit()->deleteSubtree(
      g.group, site->lookupPath(g.group, 0, "/lib/"), &site->parts);

  EXPECT_EQ(user->tree->entryCount(), 1);
  EXPECT_EQ(user->lookupPath(g.group, 0, "/mine/")->body()->partList()->count,
            1);
  EXPECT_EQ(user->lookupPath(g.group, 0, "/other/")->body()->partList()->count,
            0);
  EXPECT_EQ(g.group->hidden.hiddenPartCount(), 0);
}

TEST(SubtreeDelete, DestroyingDatabasesFreesEveryBlockOnce) {
  std::size_t before = Pdb_WindowLiveBlocks();
  {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    Pdb_AsciiDb *user = g.addDb("zq_pdb2");
    for (int i = 0; i < 50; i++) {
      Pdb_Part *p = g.part(db, "/a/b/", ("P" + std::to_string(i)).c_str());
      g.partRef(db, "/c/", p);
      g.partRef(db, "/d/", p);
      g.partRef(user, "/u/", p);
    }
    g.catRef(db, "/c/", db, "/a/");
    g.catRef(user, "/u/", db, "/a/b/");
  }
  EXPECT_EQ(Pdb_WindowLiveBlocks(), before);
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
