/*
 * split_list_test.cpp --
 *
 *	Tests of Tov_SplitListInPlace against Tcl_SplitList itself over a
 *	table of awkward lists, and of its element limit.
 */

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"

namespace {

class SplitListTest : public TclInterpTest {
protected:
  /* Splits text in place; elements as strings, status and message. */
  int splitInPlace(const std::string &text, int capacity,
                   std::vector<std::string> *elements, std::string *message,
                   bool *insideBuffer) {
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    std::vector<char *> argv(capacity > 0 ? capacity : 1);
    int argc = -1;
    Tcl_ResetResult(interp);
    int status = Tov_SplitListInPlace(interp, buffer.data(), &argc, argv.data(),
                                      capacity);
    *message = result();
    *insideBuffer = true;
    if (status == 0) {
      for (int i = 0; i < argc; i++) {
        elements->push_back(argv[i]);
        *insideBuffer = *insideBuffer && argv[i] >= buffer.data() &&
                        argv[i] < buffer.data() + buffer.size();
      }
    }
    return status;
  }
};

TEST_F(SplitListTest, splitInPlaceAgreesWithTclSplitListOnAwkwardLists) {
  const std::vector<std::string> lists = {
      "",
      "   \t\n ",
      "a",
      "a b c",
      "  a \t b\n\nc  ",
      "a\vb\fc\rd",
      "{a b} c",
      "{a {b c} d} e",
      "{{{}}}",
      "{} {} x",
      "\"a b\" c",
      "\"\"",
      "\"{\" \"}\"",
      "a\\ b c",
      "a\\{b",
      "{a\\}b} c",
      "{a\\{b}",
      "{a\\\nb}",
      "a\\\nb",
      "a\\\n   \t b",
      "\"a\\\n   \" z",
      "x\\\n",
      "\\x41\\u00e9\\101\\7\\0z",
      "\\n\\t\\a\\q",
      "\\",
      "a\\",
      "\"a\\\"b\" c",
      "a}b c{d",
      "\xc3\xa9 \xc3\xbc",
      "\\\xc3\xa9 \\\xf0\x9f\x98\x80 x",
      "\\U0001F600",
      "{a}b",
      "\"a\"b",
      "{a b}xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
      "{a}} b",
      "{a",
      "{a {b}",
      "\"a",
      "a \"b",
  };

  for (const std::string &text : lists) {
    std::vector<std::string> ours;
    std::string ourMessage;
    bool inside = false;
    int ourStatus = splitInPlace(text, 64, &ours, &ourMessage, &inside);

    int count = 0;
    const char **theirs = nullptr;
    Tcl_ResetResult(interp);
    int tclStatus = Tcl_SplitList(interp, text.c_str(), &count, &theirs);

    ASSERT_EQ(ourStatus != 0, tclStatus != TCL_OK) << "list: " << text;
    if (tclStatus != TCL_OK) {
      EXPECT_EQ(ourMessage, result()) << "list: " << text;
      continue;
    }
    ASSERT_EQ(static_cast<int>(ours.size()), count) << "list: " << text;
    for (int i = 0; i < count; i++) {
      EXPECT_EQ(ours[i], std::string(theirs[i])) << "list: " << text;
    }
    EXPECT_TRUE(inside) << "elements must lie in the caller's buffer: " << text;
    Tcl_Free(reinterpret_cast<char *>(theirs));
  }
}

TEST_F(SplitListTest, splitInPlaceFailsRatherThanTruncatingPastCapacity) {
  struct Case {
    const char *list;
    int capacity;
    int status;
    size_t count;
  };
  const Case cases[] = {{"a b c", 2, 1, 0},
                        {"a b c", 3, 0, 3},
                        {"a {b c}", 2, 0, 2},
                        {"", 0, 0, 0},
                        {"x", 0, 1, 0}};
  for (const Case &c : cases) {
    std::vector<std::string> elements;
    std::string message;
    bool inside = false;
    int status = splitInPlace(c.list, c.capacity, &elements, &message, &inside);
    EXPECT_EQ(status != 0, c.status != 0) << c.list << " / " << c.capacity;
    EXPECT_EQ(elements.size(), c.count) << c.list;
    if (status != 0) {
      EXPECT_EQ(message, "list has more than " + std::to_string(c.capacity) +
                             " elements");
    }
  }
}

} // namespace
