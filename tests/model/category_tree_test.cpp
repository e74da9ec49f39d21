/*
 * category_tree_test.cpp --
 *
 *	Building category trees and finding categories in one tree or across
 *	a group.
 */

#include <gtest/gtest.h>
#include <string>

#include "model/category_tree.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"
#include <cstring>

TEST(CategoryTree, EnsurePathCreatesIntermediatesWithEmptyHelp) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *c =
      db->tree->ensurePath(g.interp, g.group, "/a/b/c/", "Leaf help");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(db->tree->categoryCount, 3);
  EXPECT_EQ(pathOf(c), "/a/b/c/");
  EXPECT_STREQ(c->body()->helpText(), "Leaf help");
  Pdb_CategoryNode *b = db->tree->lookupPath(g.group, PDB_REFS_IGNORE, "/a/b/");
  EXPECT_STREQ(b->body()->helpText(), "");
  /* Again: found, not created; empty help always passes. */
  EXPECT_EQ(db->tree->ensurePath(g.interp, g.group, "/a/b/c/", ""), c);
  EXPECT_EQ(db->tree->ensurePath(g.interp, g.group, "/a/b/c/", "Leaf help"), c);
  EXPECT_EQ(db->tree->categoryCount, 3);
  EXPECT_EQ(db->tree->ensurePath(g.interp, g.group, "/", "ignored"),
            db->tree->rootNode());
}

TEST(CategoryTree, EnsurePathRefusesAnotherHelpText) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  db->tree->ensurePath(g.interp, g.group, "/a/", "Analog");
  EXPECT_EQ(db->tree->ensurePath(g.interp, g.group, "/a/", "Digital"), nullptr);
  EXPECT_EQ(
      g.result(),
      "category help context mismatch for /a/: Digital should be Analog.");
}

TEST(CategoryTree, HelpOfAPathNoDatabaseHoldsIsEmpty) {
  ModelGroup g;
  g.addDb("zq_pdb1");
  EXPECT_STREQ(categoryHelp(g.group, "/nowhere/"), "");
}

TEST(CategoryTree, ChildrenKeepCreationOrderAndFindSkipsReferences) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *root = db->tree->rootNode();
  g.category(db, "/lib/z/");
  db->tree->createChild(root, "z", "");
  db->tree->createChild(root, "a", "");
  g.catRef(db, "/", db, "/lib/z/"); /* a reference with component /z/ */
  EXPECT_EQ(pathOf(root->child()), "/lib/");
  EXPECT_EQ(pathOf(root->child()->sibling()), "/z/");
  EXPECT_EQ(pathOf(root->child()->sibling()->sibling()), "/a/");
  EXPECT_EQ(root->findChild("z"), root->child()->sibling());
  EXPECT_TRUE(root->hasReferenceChild("/lib/z/"));
  EXPECT_FALSE(root->hasReferenceChild("/z/"));
  EXPECT_EQ(db->tree->referenceCount, 1);
}

TEST(CategoryTree, LookupMatchesWholeComponentsOnly) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *a = g.category(db, "/a/");
  Pdb_CategoryNode *ab = g.category(db, "/ab/");
  for (int mode : {0, 1, 2}) {
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "/"), db->tree->rootNode());
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "/a/"), a);
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "/ab/"), ab);
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "/a"), nullptr);
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "a/"), nullptr);
    EXPECT_EQ(db->tree->lookupPath(g.group, mode, "/a/b/"), nullptr);
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

  /* The reference is found as itself in every mode. */
  for (int mode : {0, 1, 2}) {
    EXPECT_EQ(user->tree->lookupPath(g.group, mode, "/mine/opamps/"), ref);
  }
  /* Below it, only mode 2 crosses into the other database. */
  EXPECT_EQ(user->tree->lookupPath(g.group, 0, "/mine/opamps/x/"), nullptr);
  EXPECT_EQ(user->tree->lookupPath(g.group, 1, "/mine/opamps/x/"), nullptr);
  EXPECT_EQ(user->tree->lookupPath(g.group, 2, "/mine/opamps/x/"), x);
  EXPECT_EQ(lookupPathInGroup(g.group, 2, "/mine/opamps/x/"), x);

  /* Within one tree, mode 1 follows as well. */
  Pdb_CategoryNode *y = g.category(user, "/lib2/y/z/");
  g.catRef(user, "/mine/", user, "/lib2/y/");
  EXPECT_EQ(user->tree->lookupPath(g.group, 1, "/mine/y/z/"), y);
  EXPECT_EQ(user->tree->lookupPath(g.group, 0, "/mine/y/z/"), nullptr);
}

TEST(CategoryTree, ReferencesLeadingInACircleEndTheLookup) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *p = g.category(db, "/p/");
  Pdb_CategoryNode *q = g.category(db, "/q/");
  /* /p/x/ designates /q/x/ and /q/x/ designates /p/x/. */
  auto makeRef = [&](Pdb_CategoryNode *parent, const char *path) {
    auto *n = static_cast<Pdb_CategoryNode *>(
        Pdb_WindowAlloc(sizeof(Pdb_CategoryNode)));
    std::memset(n, 0, sizeof *n);
    n->parent.set(n, parent);
    n->referencePath.set(n, Pdb_WindowStrdup(path));
    db->tree->addChildNode(parent, n);
  };
  makeRef(p, "/q/x/");
  makeRef(q, "/p/x/");
  EXPECT_EQ(db->tree->lookupPath(g.group, 2, "/p/x/z/"), nullptr);
  EXPECT_EQ(categoryHelp(g.group, "/p/x/"), std::string());
}

TEST(CategoryTree, CircularReferencesAreRecognised) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_CategoryNode *ab = g.category(db, "/a/b/");
  Pdb_CategoryNode *c = g.category(db, "/c/");
  g.category(db, "/d/e/");
  struct {
    Pdb_CategoryNode *where;
    const char *target;
    bool circular;
  } cases[] = {
      {ab, "/a/b/", true}, /* to itself */
      {ab, "/a/", true},   /* to an ancestor */
      {ab, "/c/", false},  /* to an unrelated category */
      {c, "/a/", false},
  };
  for (const auto &k : cases) {
    EXPECT_EQ(isCircularReference(g.group, k.where, k.target), k.circular)
        << k.target;
  }
  /* /d/ holds a reference to /c/; placing one to /d/ under /c/ closes it. */
  g.catRef(db, "/d/", db, "/c/");
  EXPECT_TRUE(isCircularReference(g.group, c, "/d/"));
  EXPECT_FALSE(isCircularReference(g.group, ab, "/d/"));
}

TEST(CategoryTree, HomeOfFindsTheListHoldingTheEntry) {
  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_Part *r1 = g.part(db, "/a/b/", "R1");
  g.partRef(db, "/c/", r1);
  Pdb_CategoryNode *home =
      db->tree->rootNode()->homeOf(reinterpret_cast<Pdb_PartEntry *>(r1));
  ASSERT_NE(home, nullptr);
  EXPECT_EQ(pathOf(home), "/a/b/");
  EXPECT_EQ(db->tree->entryCount, 2);
  Tcl_DString component;
  home->nodeComponent(&component);
  EXPECT_STREQ(Tcl_DStringValue(&component), "/b/");
  Tcl_DStringFree(&component);
}
