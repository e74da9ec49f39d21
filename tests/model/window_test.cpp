/*
 * window_test.cpp --
 *
 *	The address window: everything linked and every mapped image within
 *	reach of each other. (The limit on mapped images is tested through
 *	the binary loader.)
 */

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#endif
#ifndef RUNNING_ON_VALGRIND
#define RUNNING_ON_VALGRIND 0
#endif

#include "model/window.h"
#include "tests/model/model_fixture.h"

namespace {

bool withinReach(const void *a, const void *b) {
  auto distance = reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b);
  return distance > INT32_MIN && distance < INT32_MAX;
}

/*
 * From /proc/self/smaps: whether the mapping that holds address is
 * advised to use large pages ("hg"), and the large pages in use in the
 * mappings that meet the 1 GiB from from on.
 */
struct LargePages {
  bool advised = false;
  unsigned long kib = 0;
};

LargePages largePages(const void *address, const void *from) {
  auto wanted = reinterpret_cast<uintptr_t>(address);
  auto low = reinterpret_cast<uintptr_t>(from);
  LargePages found;
  bool holds = false;
  bool meets = false;
  std::ifstream smaps("/proc/self/smaps");
  std::string line;
  while (std::getline(smaps, line)) {
    std::istringstream fields(line);
    std::string key;
    fields >> key;
    uintptr_t start = 0;
    uintptr_t end = 0;
    char dash = 0;
    if (key.back() != ':' &&
        std::istringstream(key) >> std::hex >> start >> dash >> end) {
      holds = wanted >= start && wanted < end;
      meets = end > low && start < low + (uintptr_t(1) << 30);
    } else if (key == "AnonHugePages:" && meets) {
      unsigned long kib = 0;
      fields >> kib;
      found.kib += kib;
    } else if (key == "VmFlags:" && holds) {
      found.advised = (line + " ").find(" hg ") != std::string::npos;
    }
  }
  return found;
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

/*
 * Large pages are advised for the heap as it grows, but never for a view
 * or the free space it is placed in, where the allocator writes block
 * headers: a header written into advised, untouched space would fault in
 * and clear a whole large page on every mapping.
 */
TEST(AddressWindow, LargePagesAreAdvisedForTheHeapButNeverAroundViews) {
  if (access("/sys/kernel/mm/transparent_hugepage", F_OK) != 0) {
    GTEST_SKIP() << "the system has no large pages to advise";
  }
  if (!Pdb_WindowRelease()) {
    GTEST_SKIP() << "another test left blocks in the window";
  }
  const std::size_t mib = std::size_t(1) << 20;
  std::vector<char *> blocks;
  char name[] = "/tmp/tovpart-windowXXXXXX";
  int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  std::vector<char> bytes(8 * mib + 100, 'v');
  ASSERT_EQ(write(fd, bytes.data(), bytes.size()),
            static_cast<ssize_t>(bytes.size()));
  const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  std::vector<const char *> views;
  /* Each round grows the heap past the window's first 16 MiB (and then
   * above the view before), then maps a view. */
  for (std::size_t size : {5 * mib, bytes.size()}) {
    for (int i = 0; i < 24; i++) {
      blocks.push_back(static_cast<char *>(Pdb_WindowAlloc(mib)));
      ASSERT_NE(blocks.back(), nullptr);
      blocks.back()[0] = blocks.back()[mib - 1] = 'h';
    }
    if (views.empty() || blocks.back() > views.back()) {
      EXPECT_TRUE(largePages(blocks.back(), blocks[0]).advised);
    }
    unsigned long before = largePages(nullptr, blocks[0]).kib;
    auto *view = static_cast<const char *>(Pdb_WindowMapFile(fd, size));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(largePages(nullptr, blocks[0]).kib, before)
        << "mapping a view of " << size << " bytes changed large pages";
    const std::size_t span = (size + page - 1) / page * page;
    for (const char *near : {view, view + span - 1, view + span}) {
      EXPECT_FALSE(largePages(near, blocks[0]).advised)
          << "offset " << near - view << " of a view of " << size;
    }
    views.push_back(view);
  }
  EXPECT_FALSE(largePages(views[0], blocks[0]).advised) << "heap around it";

  EXPECT_EQ(Pdb_WindowUnmapFile(views[1], bytes.size()), 0);
  EXPECT_EQ(Pdb_WindowUnmapFile(views[0], 5 * mib), 0);
  EXPECT_FALSE(largePages(views[0], blocks[0]).advised) << "range left";
  for (char *block : blocks) {
    Pdb_WindowFree(block);
  }
  close(fd);
  unlink(name);
}

TEST(AddressWindow, TheNthBlockFailsOnRequestAndTheWindowGoesWhenEmpty) {
  Pdb_WindowFailBlock(2);
  void *first = Pdb_WindowAlloc(16);
  errno = 0;
  void *second = Pdb_WindowAlloc(16);
  int reason = errno;
  void *third = Pdb_WindowAlloc(16);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_EQ(reason, ENOMEM);
  EXPECT_NE(third, nullptr);

  EXPECT_FALSE(Pdb_WindowRelease()) << "blocks are still alive";
  EXPECT_TRUE(Pdb_WindowContains(first, 16));
  Pdb_WindowFree(first);
  Pdb_WindowFree(third);
  if (Pdb_WindowLiveBlocks() != 0) {
    GTEST_SKIP() << "another test left blocks in the window";
  }
  EXPECT_TRUE(Pdb_WindowRelease());
  EXPECT_FALSE(Pdb_WindowContains(first, 16));
  void *again = Pdb_WindowAlloc(16);
  EXPECT_NE(again, nullptr) << "the next block reserves a new window";
  Pdb_WindowFree(again);
}

/*
 * Under the address checker the window is poisoned except for live blocks:
 * a write just past a part record and a read of a freed category are
 * reported like overruns and uses after free of ordinary heap blocks.
 */
#if defined(__SANITIZE_ADDRESS__)
#define TOVPART_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVPART_TEST_ASAN 1
#endif
#endif

/* The body of category path of a fresh database, deleted with its subtree. */
static Pdb_Category *DeleteCategory(ModelGroup &g, const char *path) {
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Pdb_Category *body = g.category(db, path)->body();
  db->treeEdit()->deleteSubtree(g.group, db->lookupPath(g.group, 0, path),
                                db->partsTable());
  return body;
}

TEST(AddressWindowDeathTest, CheckerReportsOverrunsAndUsesAfterFreeInside) {
#ifndef TOVPART_TEST_ASAN
  GTEST_SKIP() << "built without the address checker";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Pdb_Part *part = makePart("R1");
  volatile char *bytes = reinterpret_cast<char *>(part);
  bytes[part->size - 1] = '\0'; /* the record's own last byte is fine */
  EXPECT_DEATH(bytes[part->size] = 'x', "use-after-poison");
  Pdb_WindowFree(part);

  ModelGroup g;
  Pdb_Category *body = DeleteCategory(g, "/gone/");
  EXPECT_DEATH((void)*(volatile const char *)body->nameText(),
               "use-after-poison");
  EXPECT_DEATH((void)body->helpText(), "use-after-poison");
#endif
}

/*
 * The same accesses for valgrind's memcheck: skipped outside valgrind;
 * with -DTOVPART_VALGRIND=ON CTest runs it under memcheck and passes only
 * when memcheck reports both.
 */
TEST(AddressWindowMemcheck, OverrunAndUseAfterFreeInsideAreReported) {
  if (!RUNNING_ON_VALGRIND) {
    GTEST_SKIP() << "only meaningful under valgrind";
  }
  Pdb_Part *part = makePart("R1");
  reinterpret_cast<volatile char *>(part)[part->size] = 'x';
  Pdb_WindowFree(part);

  ModelGroup g;
  Pdb_Category *body = DeleteCategory(g, "/gone/");
  EXPECT_NE(*(volatile const char *)body->nameText(), '\1');
}
