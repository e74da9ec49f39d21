/*
 * split_list_test.cpp --
 *
 *	Tests of Tov_SplitListInPlace against Tcl_SplitList itself over a
 *	table of awkward lists, and of its element limit.
 */

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"

namespace {

class SplitListTest : public TclInterpTest {
protected:
  /* Splits a copy of text in place; the elements, or the message when it
   * fails. Elements must lie inside the copy. */
  int split(const std::string &text, int capacity,
            std::vector<std::string> *out) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    std::vector<char *> argv(capacity > 0 ? capacity : 1); /* exact, for ASan */
    int argc = -1;
    Tcl_ResetResult(interp);
    int status = Tov_SplitListInPlace(interp, buffer.data(), &argc, argv.data(),
                                      capacity);
    if (status != 0) {
      out->push_back(result());
      return status;
    }
    for (int i = 0; i < argc; i++) {
      EXPECT_TRUE(argv[i] >= buffer.data() &&
                  argv[i] < buffer.data() + buffer.size())
          << "element outside the caller's buffer: " << text;
      out->push_back(argv[i]);
    }
    return status;
  }
};

TEST_F(SplitListTest, splitInPlaceAgreesWithTclSplitListOnAwkwardLists) {
  const std::string lists[] = {
      "", "   \t\n ", "a b c", "a\vb\fc\rd", "{a b} c", "{a {b c} d} e",
      "{} {} x", "\"a b\" c", "\"{\" \"}\"", "a\\ b c", "{a\\}b} c", "{a\\\nb}",
      "a\\\n   \t b", "\"a\\\n   \" z", "x\\\n", "\\x41\\u00e9\\101\\7\\0z",
      "\\n\\t\\a\\q", "\\", "a\\", "\"a\\\"b\" c", "a}b c{d",
      "\\\xc3\xa9 \\\xf0\x9f\x98\x80 x", "\\U0001F600",
      /* errors */
      "\"a\"b", "{a b}xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "{a}} b", "{a", "\"a"};
  for (const std::string &text : lists) {
    std::vector<std::string> ours;
    int ourStatus = split(text, 64, &ours);
    int count = 0;
    const char **theirs = nullptr;
    Tcl_ResetResult(interp);
    std::vector<std::string> expected;
    int tclStatus = Tcl_SplitList(interp, text.c_str(), &count, &theirs);
    if (tclStatus != TCL_OK) {
      expected.push_back(result());
    } else {
      expected.assign(theirs, theirs + count);
      Tcl_Free(reinterpret_cast<char *>(theirs));
    }
    EXPECT_EQ(ourStatus != 0, tclStatus != TCL_OK) << text;
    EXPECT_EQ(ours, expected) << "list: " << text;
  }
}

TEST_F(SplitListTest, splitInPlaceFailsRatherThanTruncatingPastCapacity) {
  const struct {
    const char *list;
    int capacity;
    std::vector<std::string> out;
  } cases[] = {{"a b c", 2, {"list has more than 2 elements"}},
               {"a b c", 3, {"a", "b", "c"}},
               {"a {b c}", 2, {"a", "b c"}},
               {"", 0, {}},
               {"x", 0, {"list has more than 0 elements"}}};
  for (const auto &c : cases) {
    std::vector<std::string> out;
    split(c.list, c.capacity, &out);
    EXPECT_EQ(out, c.out) << c.list << " / " << c.capacity;
  }
}

} // namespace
