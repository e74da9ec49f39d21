/*
 * category_tree_test.cpp --
 *
 *	Building category trees and finding categories in one tree or across
 *	a group.
 */

#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "model/category_tree.h"
#include "model/tree_edit.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"

TEST(CategoryTree, EnsurePathCreatesIntermediatesAndChecksTheHelpText) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_TreeEdit *edit = db->treeEdit();
  Pdb_CategoryTree *tree = db->tree;
  Pdb_CategoryNode *c = edit->ensurePath(g.interp, g.group, "/a/b/c/", "Leaf");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(tree->categoryCount(), 3);
  EXPECT_EQ(pathOf(c), "/a/b/c/");
  EXPECT_STREQ(c->body()->helpText(), "Leaf");
  EXPECT_STREQ(g.group->categoryHelp("/a/b/"), "");
  EXPECT_STREQ(g.group->categoryHelp("/nowhere/"), "");
  /* Again: found, not created; empty help always passes. */
  EXPECT_EQ(edit->ensurePath(g.interp, g.group, "/a/b/c/", ""), c);
  EXPECT_EQ(edit->ensurePath(g.interp, g.group, "/a/b/c/", "Leaf"), c);
  EXPECT_EQ(tree->categoryCount(), 3);
  EXPECT_EQ(edit->ensurePath(g.interp, g.group, "/", "ignored"),
            tree->rootNode());
  /* Another help text fails (its message is tested through pdb:read). */
  EXPECT_EQ(edit->ensurePath(g.interp, g.group, "/a/b/c/", "Other"), nullptr);
}

TEST(CategoryTree, ChildrenKeepCreationOrderAndFindSkipsReferences) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *root = db->tree->rootNode();
  Pdb_Part *r1 = g.part(db, "/lib/z/", "R1");
  db->treeEdit()->createChild(root, "z", "");
  db->treeEdit()->createChild(root, "a", "");
  g.catRef(db, "/", db, "/lib/z/"); /* a reference with component /z/ */
  EXPECT_EQ(pathOf(root->child()), "/lib/");
  EXPECT_EQ(pathOf(root->child()->sibling()), "/z/");
  EXPECT_EQ(pathOf(root->child()->sibling()->sibling()), "/a/");
  EXPECT_EQ(db->treeEdit()->findChild(root, "z"), root->child()->sibling());
  EXPECT_TRUE(root->hasReferenceChild("/lib/z/"));
  EXPECT_FALSE(root->hasReferenceChild("/z/"));
  EXPECT_EQ(db->tree->referenceCount(), 1);

  g.partRef(db, "/a/", r1);
  EXPECT_EQ(db->tree->entryCount(), 2);
  Pdb_CategoryNode *home = root->homeOf(reinterpret_cast<Pdb_PartEntry *>(r1));
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(pathOf(home), "/lib/z/");
  Tcl_DString component;
  home->nodeComponent(&component);
  EXPECT_STREQ(Tcl_DStringValue(&component), "/z/");
  Tcl_DStringFree(&component);
}

TEST(CategoryTree, LookupMatchesWholeComponentsOnly) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *a = g.category(db, "/a/");
  Pdb_CategoryNode *ab = g.category(db, "/ab/");
  for (int mode : {0, 1, 2}) {
    EXPECT_EQ(db->lookupPath(g.group, mode, "/"), db->tree->rootNode());
    EXPECT_EQ(db->lookupPath(g.group, mode, "/a/"), a);
    EXPECT_EQ(db->lookupPath(g.group, mode, "/ab/"), ab);
    for (const char *missing : {"/a", "a/", "/a/b/"}) {
      EXPECT_EQ(db->lookupPath(g.group, mode, missing), nullptr);
    }
  }
}

TEST(CategoryTree, LookupThroughReferencesFollowsTheMode) {
  ModelGroup g;
  Pdb_AsciiDb *lib = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *user = g.addDb("zq_pdb2");
  Pdb_CategoryNode *x = g.category(lib, "/lib/opamps/x/");
  g.category(user, "/mine/");
  g.catRef(user, "/mine/", lib, "/lib/opamps/");
  Pdb_CategoryNode *ref = user->tree->rootNode()->child()->child();
  ASSERT_TRUE(ref->isReference());
  EXPECT_EQ(pathOf(ref), "/lib/opamps/");
  /* The reference is found as itself in every mode; below it only mode 2
   * crosses into the other database. */
  for (int mode : {0, 1, 2}) {
    EXPECT_EQ(user->lookupPath(g.group, mode, "/mine/opamps/"), ref);
    EXPECT_EQ(user->lookupPath(g.group, mode, "/mine/opamps/x/"),
              mode == 2 ? x : nullptr);
  }
  EXPECT_EQ(g.group->lookupPathInGroup(2, "/mine/opamps/x/"), x);
  /* Within one tree, mode 1 follows as well. */
  Pdb_CategoryNode *y = g.category(user, "/lib2/y/z/");
  g.catRef(user, "/mine/", user, "/lib2/y/");
  EXPECT_EQ(user->lookupPath(g.group, 1, "/mine/y/z/"), y);
  EXPECT_EQ(user->lookupPath(g.group, 0, "/mine/y/z/"), nullptr);
}

TEST(CategoryTree, CircularReferencesAreRecognisedAndEndALookup) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *ab = g.category(db, "/a/b/");
  Pdb_CategoryNode *c = g.category(db, "/c/");
  EXPECT_TRUE(g.group->isCircularReference(ab, "/a/b/")); /* itself */
  EXPECT_TRUE(g.group->isCircularReference(ab, "/a/"));   /* an ancestor */
  EXPECT_FALSE(g.group->isCircularReference(ab, "/c/"));
  EXPECT_FALSE(g.group->isCircularReference(c, "/a/"));
  /* /d/ holds a reference to /c/; placing one to /d/ under /c/ closes it. */
  g.catRef(db, "/d/", db, "/c/");
  EXPECT_TRUE(g.group->isCircularReference(c, "/d/"));
  EXPECT_FALSE(g.group->isCircularReference(ab, "/d/"));

  /* A circle no reader would let through: /p/x/ designates /q/x/ and
   * /q/x/ designates /p/x/. Each reference is placed while a real
   * category stands at its target, in databases that then leave. */
  Pdb_AsciiDb *realP = g.addDb("zq_pdb2");
  Pdb_AsciiDb *realQ = g.addDb("zq_pdb3");
  Pdb_CategoryNode *px = g.category(realP, "/p/x/");
  Pdb_CategoryNode *qx = g.category(realQ, "/q/x/");
  db->treeEdit()->createReference(g.category(db, "/p/"), qx);
  db->treeEdit()->createReference(g.category(db, "/q/"), px);
  for (const char *handle : {"zq_pdb2", "zq_pdb3"}) {
    Tcl_HashEntry *e = Tcl_FindHashEntry(&g.group->databases, handle);
    delete static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
    Tcl_DeleteHashEntry(e);
  }
  EXPECT_EQ(db->lookupPath(g.group, 2, "/p/x/z/"), nullptr);
  EXPECT_STREQ(g.group->categoryHelp("/p/x/"), "");
}

TEST(CategoryTree, ReferenceOnPathNamesTheReferenceEnsurePathWouldPass) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  g.category(db, "/t/x/");
  g.category(db, "/both/r/");
  g.catRef(db, "/m/", db, "/t/");    /* /m/t/ */
  g.catRef(db, "/both/", db, "/t/"); /* /both/t/ ... */
  g.category(db, "/both/t/y/");      /* ... and a real t beside it */
  const struct {
    const char *path;
    std::size_t place;
  } cases[] = {
      {"/m/t/z/", 5},    {"/m/t/", 5},   {"/m/t/x/y/", 5}, {"/m/u/", 0},
      {"/both/t/z/", 0}, {"/new/a/", 0}, {"/", 0},         {"/t/x/", 0},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(db->treeEdit()->referenceOnPath(c.path), c.place) << c.path;
  }
}

TEST(CategoryTree, ReferencePlaceTakenLooksAcrossTheGroup) {
  ModelGroup g;
  Pdb_AsciiDb *site = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *user = g.addDb("zq_pdb2");
  g.category(site, "/x/b/");
  g.category(user, "/y/");
  g.catRef(user, "/y/", site, "/x/b/"); /* /y/b/ */
  const struct {
    const char *parent, *target;
    bool taken;
  } cases[] = {
      {"/x/", "/a/b/", true}, {"/y/", "/q/b/", true}, {"/y/", "/q/c/", false},
      {"/", "/x/", true},     {"/z/", "/b/", false},  {"/y/b/", "/x/b/", false},
  };
  for (const auto &c : cases) {
    EXPECT_EQ(g.group->referencePlaceTaken(c.parent, c.target), c.taken)
        << c.parent << " " << c.target;
  }
}
