/*
 * window_memcheck_test.cpp --
 *
 *	A probe for valgrind's memcheck: one byte written past a part record
 *	and a read of a freed category's name, both inside the address
 *	window. Outside valgrind the probe is skipped; with
 *	-DTOVPART_VALGRIND=ON CTest runs it under memcheck and passes only
 *	when memcheck reports both accesses, so the window's blocks stay
 *	visible to it.
 */

#include <gtest/gtest.h>

#include "model/window.h"
#include "tests/model/model_fixture.h"

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#endif
#ifndef RUNNING_ON_VALGRIND
#define RUNNING_ON_VALGRIND 0
#endif

TEST(AddressWindowMemcheck, OverrunAndUseAfterFreeInsideAreReported) {
  if (!RUNNING_ON_VALGRIND) {
    GTEST_SKIP() << "only meaningful under valgrind";
  }
  Pdb_Part *part = makePart("R1");
  volatile char *bytes = reinterpret_cast<char *>(part);
  bytes[part->size] = 'x'; /* one past the record */
  Pdb_WindowFree(part);

  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_Category *body = g.category(db, "/gone/")->body();
  volatile const char *name = body->nameText();
  db->treeEdit()->deleteSubtree(g.group, db->lookupPath(g.group, 0, "/gone/"),
                                db->partsTable());
  EXPECT_NE(name[0], '\1'); /* a read of the freed name */
}
