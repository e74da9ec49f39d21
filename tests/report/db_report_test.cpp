/*
 * db_report_test.cpp --
 *
 *	Tests of the report's tree walk on trees that a recursive walk could
 *	not print: a long chain of siblings and a deep tree.
 */

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "files/image_fixture.h"
#include "report/db_report.h"

namespace {

TEST(PrintTree, LongSiblingChainsAndDeepTreesPrintEveryLevel) {
  for (bool deep : {false, true}) {
    MemoryDb mem;
    Pdb_CategoryNode *parent = mem.root();
    const int nodes = deep ? 10000 : 100000;
    for (int i = 0; i < nodes; i++) {
      Pdb_CategoryNode *node = mem.category("c", "", parent);
      parent = deep ? node : parent;
    }
    char *text = nullptr;
    std::size_t size = 0;
    FILE *out = open_memstream(&text, &size);
    Pdb_PrintTree(mem.root(), 0, true, out);
    std::fclose(out);
    std::string report(text, size);
    std::free(text);
    std::string last = deep ? "LEVEL:10000" + std::string(4 * 10000, ' ') +
                                  "c (size:0) (help:)\n"
                            : "LEVEL:1    c (size:0) (help:)\n";
    ASSERT_GE(report.size(), last.size());
    EXPECT_EQ(report.substr(report.size() - last.size()), last);
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), nodes + 1);
  }
}

} // namespace
