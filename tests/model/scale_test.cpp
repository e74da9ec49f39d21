/*
 * scale_test.cpp --
 *
 *	Wide and deep trees: every walk (lookup, deletion, image layout and
 *	check, report) runs on a small thread stack, so any recursion along
 *	a sibling chain or down the tree would overflow it.
 */

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "files/image/image_buffer.h"
#include "files/image/image_verifier.h"
#include "files/image/image_writer.h"
#include "model/tree_edit.h"
#include "model/window.h"
#include "report/db_report.h"
#include "support/small_stack.h"
#include "tests/model/model_fixture.h"

namespace {

/* Lays out db's image and checks it; reports the tree with its parts and
 * expects one "LEVEL:" line per node (categories and references). */
void writeAndReport(Pdb_AsciiDb *db) {
  Pdb_ImageBuffer image;
  Pdb_ImageProblem problem;
  ASSERT_TRUE(Pdb_BuildImage(db, &image, &problem)) << problem.text;
  EXPECT_TRUE(Pdb_VerifyImage(image.bytes(), image.size(), &problem))
      << problem.text;
  char *text = nullptr;
  std::size_t size = 0;
  FILE *out = open_memstream(&text, &size);
  Pdb_PrintTree(db->tree->rootNode(), 0, true, out);
  std::fclose(out);
  std::string report = "\n" + std::string(text, size);
  std::free(text);
  long levels = 0;
  for (std::size_t at = 0; (at = report.find("\nLEVEL:", at)) != report.npos;
       at++) {
    levels++;
  }
  EXPECT_EQ(levels, 1 + db->tree->categoryCount() + db->tree->referenceCount());
}

} // namespace

TEST(Scale, HundredThousandSiblingsAreBuiltFoundWrittenAndDeleted) {
  std::size_t before = Pdb_WindowLiveBlocks();
  onSmallStack([] {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    const int wide = 100000;
    for (int i = 0; i < wide; i++) {
      std::string path = "/w/c" + std::to_string(i) + "/";
      ASSERT_NE(
          db->treeEdit()->ensurePath(g.interp, g.group, path.c_str(), "h"),
          nullptr);
    }
    Pdb_Part *last = g.part(db, "/w/c99999/", "last");
    EXPECT_EQ(db->tree->categoryCount(), wide + 1);
    EXPECT_EQ(pathOf(db->lookupPath(g.group, 2, "/w/c99999/")), "/w/c99999/");
    EXPECT_EQ(pathOf(db->tree->rootNode()->homeOf(
                  reinterpret_cast<Pdb_PartEntry *>(last))),
              "/w/c99999/");
    Pdb_CategoryNode *w = db->lookupPath(g.group, 0, "/w/");
    EXPECT_FALSE(g.group->isCircularReference(db->tree->rootNode(), "/w/"));
    EXPECT_TRUE(g.group->isCircularReference(w->child(), "/w/"));
    writeAndReport(db);
    db->treeEdit()->deleteSubtree(g.group, w, &db->parts);
    EXPECT_EQ(db->tree->categoryCount(), 0);
    EXPECT_EQ(db->partCount(), 0);
  });
  EXPECT_EQ(Pdb_WindowLiveBlocks(), before);
}

TEST(Scale, TenThousandLevelsDeepWork) {
  onSmallStack([] {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    std::string path = DeepPath(10000);
    Pdb_CategoryNode *bottom =
        db->treeEdit()->ensurePath(g.interp, g.group, path.c_str(), "bottom");
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(pathOf(bottom), path);
    g.part(db, path.c_str(), "deep");
    g.catRef(db, "/", db, path.c_str());
    EXPECT_EQ(db->lookupPath(g.group, 2, path.c_str()), bottom);
    EXPECT_STREQ(g.group->categoryHelp(path.c_str()), "bottom");
    EXPECT_TRUE(g.group->isCircularReference(bottom, "/d/"));
    writeAndReport(db);
    /* Deleting the top takes the reference to the bottom along. */
    db->treeEdit()->deleteSubtree(g.group, db->lookupPath(g.group, 0, "/d/"),
                                  &db->parts);
    EXPECT_EQ(db->tree->categoryCount(), 0);
    EXPECT_EQ(db->tree->referenceCount(), 0);
  });
}
