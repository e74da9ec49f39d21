/*
 * window_test.cpp --
 *
 *	The address window: everything linked and every mapped image within
 *	reach of each other. (The limit on mapped images is tested through
 *	the binary loader.)
 */

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "model/window.h"
#include "tests/model/model_fixture.h"

namespace {

bool withinReach(const void *a, const void *b) {
  auto distance = reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b);
  return distance > INT32_MIN && distance < INT32_MAX;
}

} // namespace

TEST(AddressWindow, DatabasesAndMappedImagesAreWithinReach) {
  ModelGroup g;
  Pdb_AsciiDb *one = g.addDb("zq_pdb1");
  Pdb_AsciiDb *two = g.addDb("zq_pdb2");
  Pdb_Part *p1 = g.part(one, "/a/", "P1");
  Pdb_Part *p2 = g.part(two, "/b/", "P2");

  char name[] = "/tmp/tovpart-windowXXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  std::vector<char> bytes(64 << 20, 'b'); /* a mapped-size block of 64 MiB */
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()),
            static_cast<ssize_t>(bytes.size()));
  const void *view = Pdb_WindowMapFile(fd, bytes.size());
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(*static_cast<const char *>(view), 'b');

  std::vector<const void *> all = {
      p1,        p2,   one->tree,
      two->tree, view, static_cast<const char *>(view) + bytes.size() - 1};
  for (const void *a : all) {
    EXPECT_TRUE(Pdb_WindowContains(a, 1));
    for (const void *b : all) {
      EXPECT_TRUE(withinReach(a, b));
    }
  }
  /* A reference from one database to a part of the other resolves. */
  g.partRef(two, "/b/", p1);
  Pdb_PartList *list = two->lookupPath(g.group, 0, "/b/")->body()->partList();
  EXPECT_EQ(Pdb_ResolveEntry(list->entry(1)), p1);

  EXPECT_EQ(Pdb_WindowUnmapFile(view, bytes.size()), 0);
  EXPECT_EQ(Pdb_WindowUnmapFile(view, bytes.size()), -1);
  close(fd);
  unlink(name);
}
