/*
 * category_tree_test.cpp --
 *
 *	Finding categories in one tree or across a group: whole components,
 *	circles of references and the places references take. (Building
 *	trees, references and the lookup modes through them are checked
 *	against a model by the edit round-trip test.)
 */

#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "model/category_tree.h"
#include "model/tree_edit.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"

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
