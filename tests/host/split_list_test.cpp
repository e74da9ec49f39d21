/*
 * split_list_test.cpp --
 *
 *	Tests of Tov_SplitListInPlace against Tcl_SplitList itself: every
 *	short list over an alphabet of awkward bytes, random longer ones, and
 *	a table of known troublemakers; the element limit; and the life of
 *	elements that do not fit over their own text.
 */

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

#include "host/tov_host.h"
#include "support/split_oracle.h"
#include "support/tcl_fixture.h"

namespace {

/* List syntax, white space, escapes and bytes that are not UTF-8 text. */
const char awkwardBytes[] = " \t\n{}\"\\axu0\x80\xc3\xa9\xf3\xb9\xed";

/* Room for every element of the lists below. */
constexpr int roomy = 4096;

class SplitListTest : public TclInterpTest {
protected:
  void expectSameAsTcl(const std::string &text) {
    SplitOutcome theirs = SplitWithTcl(interp, text);
    SplitOutcome ours = SplitInPlace(interp, text, roomy);
    EXPECT_EQ(ours, theirs) << "list: " << Escaped(text);
    SplitOutcome quiet = SplitInPlace(nullptr, text, roomy);
    EXPECT_EQ(quiet.failed, theirs.failed) << "list: " << Escaped(text);
  }

  static std::string Escaped(const std::string &text) {
    std::string out;
    for (unsigned char c : text) {
      char hex[8];
      std::snprintf(hex, sizeof(hex), c < 32 || c > 126 ? "\\x%02x" : "%c", c);
      out += hex;
    }
    return out;
  }
};

TEST_F(SplitListTest, splitInPlaceAgreesWithTclSplitListOnKnownTroublemakers) {
  const std::string lists[] = {
      "", "   \t\n ", "a b c", "a\vb\fc\rd", "{a b} c", "{a {b c} d} e",
      "{} {} x", "\"a b\" c", "\"{\" \"}\"", "a\\ b c", "{a\\}b} c", "{a\\\nb}",
      "a\\\n   \t b", "\"a\\\n   \" z", "x\\\n", "\\x41\\u00e9\\101\\7\\0z",
      "\\n\\t\\a\\q", "\\", "a\\", "\"a\\\"b\" c", "a}b c{d",
      "\\\xc3\xa9 \\\xf0\x9f\x98\x80 x", "\\U0001F600",
      "\\uD83D\\uDE00 \"\\uD800\\uDC00\" \\uDBFF\\x41\\uDFFF",
      /* a backslash before bytes that unescape to more than they were */
      "a \\\xf3\xb9\xb8", "\\\xf0\x9f\x98", "\\\xf3\xb9\xb8\\\xf3\xb9\xb8",
      "{x} \"\\\xf3\xb9\xb8\\\xf3\xb9\xb8\" y", "\"\\\xf4\x8f\xbf\"",
      /* errors, stray bytes that are not UTF-8 after the close included */
      "\"a\"b", "{a b}xxxxxxxxxxxxxxxxxxxxxxxxxxxxxx", "{a}} b", "{a", "\"a",
      "\"a\"\x80xyz", "\"a\"\xf3\xb9", "{a}\xc3\xa9xx", "x \"a\"\xed\xa0\x80",
      "{a}\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80"
      "\x80\x80\x80\x80\x80\x80"};
  for (const std::string &text : lists) {
    expectSameAsTcl(text);
  }
}

TEST_F(SplitListTest, splitInPlaceAgreesWithTclSplitListOnEveryShortList) {
  const std::string alphabet(awkwardBytes, sizeof(awkwardBytes) - 1);
  const std::size_t letters = alphabet.size();
  for (int length = 1; length <= 4; length++) {
    std::size_t total = 1;
    for (int i = 0; i < length; i++) {
      total *= letters;
    }
    for (std::size_t n = 0; n < total; n++) {
      std::string text;
      for (std::size_t rest = n; text.size() < std::size_t(length);
           rest /= letters) {
        text += alphabet[rest % letters];
      }
      expectSameAsTcl(text);
      if (HasFailure()) {
        return;
      }
    }
  }
}

TEST_F(SplitListTest, splitInPlaceAgreesWithTclSplitListOnRandomLists) {
  const std::string alphabet(awkwardBytes, sizeof(awkwardBytes) - 1);
  std::mt19937 random(20240613);
  for (int round = 0; round < 20000 && !HasFailure(); round++) {
    std::string text;
    std::size_t length = random() % 40;
    for (std::size_t i = 0; i < length; i++) {
      /* Mostly the awkward alphabet, now and then any byte at all. */
      text += random() % 8 == 0 ? static_cast<char>(1 + random() % 255)
                                : alphabet[random() % alphabet.size()];
    }
    expectSameAsTcl(text);
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
    SplitOutcome outcome = SplitInPlace(interp, c.list, c.capacity);
    std::vector<std::string> out =
        outcome.failed ? std::vector<std::string>{outcome.message}
                       : outcome.elements;
    EXPECT_EQ(out, c.out) << c.list << " / " << c.capacity;
  }
}

/*
 * An element that outgrows its text lives until its array is used again,
 * and a split of such an element (as the reader splits a part's symbol
 * record) keeps it alive for the elements made from it.
 */
TEST_F(SplitListTest, grownElementsStayValidUntilTheirArrayIsReused) {
  char line[] = "a {b \\\x80} \"x \\\xf3\xb9\xb8\"";
  char *outer[3];
  int outerCount = 0;
  ASSERT_EQ(Tov_SplitListInPlace(interp, line, &outerCount, outer, 3), 0);
  ASSERT_EQ(outerCount, 3);
  EXPECT_STREQ(outer[1], "b \\\x80");
  EXPECT_STREQ(outer[2], "x \xed\xae\xa7\xb9\xb8");
  EXPECT_FALSE(outer[2] >= line && outer[2] < line + sizeof(line));

  char *inner[2];
  int innerCount = 0;
  ASSERT_EQ(Tov_SplitListInPlace(interp, outer[2], &innerCount, inner, 2), 0);
  char other[] = "p q";
  ASSERT_EQ(Tov_SplitListInPlace(interp, other, &outerCount, outer, 2), 0);
  EXPECT_STREQ(inner[0], "x");
  EXPECT_STREQ(inner[1], "\xed\xae\xa7\xb9\xb8");
  Tov_SplitListRelease();
}

} // namespace
