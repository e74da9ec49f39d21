/*
 * result_list_test.cpp --
 *
 *	The result list: bytewise order and one copy of each string, for
 *	strings that differ only past their first eight or sixteen bytes, in
 *	long searches compacted on the way, and a list text that splits
 *	back into exactly the strings.
 */

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "query/result_list.h"
#include "support/tcl_fixture.h"

namespace {

std::vector<std::string> Sorted(Pdb_ResultList &list) {
  std::vector<std::string> out;
  for (const char *s : list.sortedStrings()) {
    out.emplace_back(s);
  }
  return out;
}

} // namespace

TEST(ResultList, SortsBytewiseAndKeepsEachStringOnce) {
  Pdb_ResultList list;
  const char *added[] = {"b",
                         "a",
                         "\xff",
                         "B",
                         "",
                         "abcdefg",
                         "abcdefgh",
                         "abcdefghi",
                         "abcdefgh",
                         "abcdefghijklmnopq",
                         "abcdefghijklmnopr",
                         "abcdefghijklmnop",
                         "abcdefg",
                         "a",
                         "abcdefghijklmnopq",
                         ""};
  for (const char *s : added) {
    list.add(s);
  }
  list.addCopy("Zxy", 1);
  std::vector<std::string> expected = {"",
                                       "B",
                                       "Z",
                                       "a",
                                       "abcdefg",
                                       "abcdefgh",
                                       "abcdefghi",
                                       "abcdefghijklmnop",
                                       "abcdefghijklmnopq",
                                       "abcdefghijklmnopr",
                                       "b",
                                       "\xff"};
  EXPECT_EQ(Sorted(list), expected);
}

TEST(ResultList, LongSearchesCompactedOnTheWayKeepEveryDistinctString) {
  Pdb_ResultList repeated;
  Pdb_ResultList distinct;
  for (int i = 0; i < 300000; i++) {
    repeated.add(("value-" + std::to_string(i % 997)).c_str());
    distinct.add(("part-number-" + std::to_string(299999 - i)).c_str());
    if (i % 3 == 0) {
      distinct.add(("part-number-" + std::to_string(i)).c_str());
    }
  }
  std::vector<std::string> values = Sorted(repeated);
  ASSERT_EQ(values.size(), 997u);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  std::vector<std::string> parts = Sorted(distinct);
  ASSERT_EQ(parts.size(), 300000u);
  EXPECT_TRUE(std::adjacent_find(parts.begin(), parts.end()) == parts.end());
  EXPECT_TRUE(std::is_sorted(parts.begin(), parts.end()));
}

/* A fixture only for the interpreter library being set up. */
class ResultListText : public TclInterpTest {};

/* A text equal to Tcl_Merge's also splits back into exactly the strings. */
TEST_F(ResultListText, IsTheTextTclMergesForEveryByte) {
  Pdb_ResultList list;
  for (int c = 1; c < 256; c++) {
    std::string inside = "x" + std::string(1, static_cast<char>(c)) + "y";
    std::string first = std::string(1, static_cast<char>(c)) + "y";
    list.add(inside.c_str());
    list.add(first.c_str());
  }
  list.add("#first");
  list.add("");
  std::vector<const char *> strings = list.sortedStrings();
  char *merged = Tcl_Merge(static_cast<int>(strings.size()), strings.data());
  Tcl_Obj *text = list.sortedList();
  ASSERT_NE(text, nullptr);
  Tcl_IncrRefCount(text);
  EXPECT_STREQ(Tcl_GetString(text), merged);
  Tcl_DecrRefCount(text);
  Tcl_Free(merged);

  Pdb_ResultList hashFirst;
  hashFirst.add("#a");
  hashFirst.add("#b");
  Tcl_Obj *quoted = hashFirst.sortedList();
  Tcl_IncrRefCount(quoted);
  EXPECT_STREQ(Tcl_GetString(quoted), "{#a} #b");
  Tcl_DecrRefCount(quoted);
}
