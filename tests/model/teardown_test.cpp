/*
 * teardown_test.cpp --
 *
 *	Destroying a database must not allocate: it runs behind pdb:unload
 *	and the exit point, where failing is not an option. The test binary's
 *	operator new counts calls while a test forbids them.
 */

#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <string>

#include "model/tree_edit.h"
#include "model/window.h"
#include "tests/model/model_fixture.h"

namespace {
bool countingNew = false;
long forbiddenNews = 0;
} // namespace

void *operator new(std::size_t size) {
  if (countingNew) {
    forbiddenNews++;
  }
  void *block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  return block;
}

void *operator new(std::size_t size, const std::nothrow_t &) noexcept {
  if (countingNew) {
    forbiddenNews++;
  }
  return std::malloc(size == 0 ? 1 : size);
}

/* The replaced operators new take their blocks from malloc. */
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void *block) noexcept { std::free(block); }
void operator delete(void *block, std::size_t) noexcept { std::free(block); }
void operator delete(void *block, const std::nothrow_t &) noexcept {
  std::free(block);
}
#pragma GCC diagnostic pop

namespace {

/* Destroys the database of handle, taken out of g's table first, and
 * returns how many times operator new was called meanwhile. */
long destroyCountingNews(ModelGroup &g, const char *handle) {
  Tcl_HashEntry *e = Tcl_FindHashEntry(&g.group->databases, handle);
  auto *db = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
  Tcl_DeleteHashEntry(e);
  forbiddenNews = 0;
  countingNew = true;
  delete db;
  countingNew = false;
  return forbiddenNews;
}

TEST(Teardown, ALargeDatabaseGoesWithoutAllocating) {
  std::size_t before = Pdb_WindowLiveBlocks();
  {
    ModelGroup g;
    Pdb_AsciiDb *db = g.addDb("zq_pdb1");
    /* Wide: one list long enough to be indexed, many children under one
     * parent; deep: a chain of 3000 levels; references of both kinds. */
    Pdb_CategoryNode *wide = g.category(db, "/wide/");
    for (int i = 0; i < 20000; i++) {
      std::string name = "P" + std::to_string(i);
      Pdb_Part *part = g.part(db, "/wide/", name.c_str());
      if (i % 10 == 0) {
        g.partRef(db, "/refs/", part);
      }
      if (i % 20 == 0) {
        db->treeEdit()->createChild(wide, name.c_str(), "");
      }
    }
    ASSERT_NE(db->treeEdit()->findEntry(wide, "P77"), nullptr);
    ASSERT_NE(db->treeEdit()->findChild(wide, "P40"), nullptr);
    std::string deep = "/";
    for (int level = 0; level < 3000; level++) {
      deep += "d/";
    }
    g.category(db, deep.c_str());
    g.catRef(db, "/refs/", db, "/wide/");
    EXPECT_EQ(destroyCountingNews(g, "zq_pdb1"), 0);
  }
  EXPECT_EQ(Pdb_WindowLiveBlocks(), before);
}

TEST(Teardown, ADatabaseLeavingAliveGroupTakesItsReferencesAlong) {
  ModelGroup g;
  Pdb_AsciiDb *library = g.addDb("zq_pdb1", PDB_KIND_SITE);
  Pdb_AsciiDb *user = g.addDb("zq_pdb2");
  Pdb_Part *r1 = g.part(library, "/lib/", "R1");
  Pdb_Part *r2 = g.part(library, "/lib/", "R2");
  Pdb_Part *mine = g.part(user, "/mine/", "U1");
  g.partRef(user, "/mine/", r1);
  g.partRef(user, "/other/", r2);
  g.group->hidden.hidePart(r1);
  g.group->hidden.hidePart(mine);
  ASSERT_EQ(user->tree->entryCount(), 3);

  EXPECT_EQ(destroyCountingNews(g, "zq_pdb1"), 0);
  EXPECT_EQ(user->tree->entryCount(), 1);
  EXPECT_EQ(user->lookupPath(g.group, 0, "/mine/")->body()->partList()->count,
            1);
  EXPECT_EQ(g.group->hidden.hiddenPartCount(), 1); /* U1 stays hidden */
}

} // namespace
