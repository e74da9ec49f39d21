/*
 * argv_parser_test.cpp --
 *
 *	Tests of Tov_ParseArgv: prefix matching, ambiguity, values and the
 *	words it leaves behind.
 */

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "host/tov_host.h"
#include "support/tcl_fixture.h"

namespace {

struct Parsed {
  const char *group = nullptr;
  int count = -1;
  int all = 0;
  int part = 0;
  int parts = 0;
};

struct ParseCase {
  std::vector<const char *> words;
  int status;
  std::vector<std::string> kept; /* on success */
  std::string message;           /* on failure */
  const char *group;
  int count;
  int part;
  int parts;
};

class ParseArgvTest : public TclInterpTest {};

TEST_F(ParseArgvTest, parseArgvMatchesPrefixesExactKeysAndValuesAsTabled) {
  static int one = 1;
  const std::vector<ParseCase> cases = {
      {{"cmd", "-group", "g1", "x"}, 0, {"cmd", "x"}, "", "g1", -1, 0, 0},
      {{"cmd", "x", "-gr", "g1", "y"},
       0,
       {"cmd", "x", "y"},
       "",
       "g1",
       -1,
       0,
       0},
      {{"cmd", "-g", "g2"}, 0, {"cmd"}, "", "g2", -1, 0, 0},
      {{"cmd", "-", "p", "-x"},
       0,
       {"cmd", "-", "p", "-x"},
       "",
       nullptr,
       -1,
       0,
       0},
      {{"cmd", "part"}, 0, {"cmd"}, "", nullptr, -1, 1, 0},
      {{"cmd", "parts", "part"}, 0, {"cmd"}, "", nullptr, -1, 1, 1},
      {{"cmd", "par"}, 1, {}, "ambiguous option \"par\"", nullptr, -1, 0, 0},
      {{"cmd", "-group", "-db"}, 0, {"cmd"}, "", "-db", -1, 0, 0},
      {{"cmd", "-group", "a", "-group", "b"}, 0, {"cmd"}, "", "b", -1, 0, 0},
      {{"-group", "x"}, 0, {"-group", "x"}, "", nullptr, -1, 0, 0},
      {{"cmd", "-count", "12"}, 0, {"cmd"}, "", nullptr, 12, 0, 0},
      {{"cmd", "-c", "0x10", "z"}, 0, {"cmd", "z"}, "", nullptr, 16, 0, 0},
      {{"cmd", "-count", "-3"}, 0, {"cmd"}, "", nullptr, -3, 0, 0},
      {{"cmd", "-count", "12x"},
       1,
       {},
       "expected integer argument for \"-count\" but got \"12x\"",
       nullptr,
       -1,
       0,
       0},
      {{"cmd", "-count", ""},
       1,
       {},
       "expected integer argument for \"-count\" but got \"\"",
       nullptr,
       -1,
       0,
       0},
      {{"cmd", "-count", "99999999999"},
       1,
       {},
       "expected integer argument for \"-count\" but got \"99999999999\"",
       nullptr,
       -1,
       0,
       0},
      {{"cmd", "-count"},
       1,
       {},
       "\"-count\" option requires an additional argument",
       nullptr,
       -1,
       0,
       0},
      {{"cmd", "x", "-gro"},
       1,
       {},
       "\"-gro\" option requires an additional argument",
       nullptr,
       -1,
       0,
       0},
  };

  for (const ParseCase &c : cases) {
    Parsed parsed;
    const Tov_ArgvInfo table[] = {
        {"-group", TOV_ARGV_STRING, nullptr, &parsed.group, "group"},
        {"-db", TOV_ARGV_STRING, nullptr, &parsed.group, "db"},
        {"-count", TOV_ARGV_INT, nullptr, &parsed.count, "count"},
        {"parts", TOV_ARGV_CONSTANT, &one, &parsed.parts, "parts"},
        {"part", TOV_ARGV_CONSTANT, &one, &parsed.part, "part"},
        {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};
    std::vector<const char *> argv = c.words;
    argv.push_back(nullptr);
    int argc = static_cast<int>(c.words.size());
    std::string label = "case starting " + std::string(c.words[1 % argc]);

    Tcl_ResetResult(interp);
    int status = Tov_ParseArgv(interp, &argc, argv.data(), table, 0);
    ASSERT_EQ(status != 0, c.status != 0) << label;
    if (status != 0) {
      EXPECT_EQ(result(), c.message) << label;
      continue;
    }
    ASSERT_EQ(argc, static_cast<int>(c.kept.size())) << label;
    for (int i = 0; i < argc; i++) {
      EXPECT_EQ(argv[i], c.kept[i]) << label;
    }
    EXPECT_EQ(argv[argc], nullptr) << label;
    EXPECT_STREQ(parsed.group, c.group) << label;
    EXPECT_EQ(parsed.count, c.count) << label;
    EXPECT_EQ(parsed.part, c.part) << label;
    EXPECT_EQ(parsed.parts, c.parts) << label;
  }
}

TEST_F(ParseArgvTest, parseArgvStoresReferencesIntoTheCallersWords) {
  const char *group = nullptr;
  const Tov_ArgvInfo table[] = {
      {"-group", TOV_ARGV_STRING, nullptr, &group, "group"},
      {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};
  const char *words[] = {"cmd", "-group", "mine", nullptr};
  int argc = 3;
  ASSERT_EQ(Tov_ParseArgv(interp, &argc, words, table, 0), 0);
  EXPECT_EQ(argc, 1);
  EXPECT_EQ(group, std::string("mine"));
}

} // namespace
