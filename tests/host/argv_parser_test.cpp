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

class ParseArgvTest : public TclInterpTest {};

TEST_F(ParseArgvTest, parseArgvMatchesPrefixesExactKeysAndValuesAsTabled) {
  /* Each case: the words, then the error message, or the words left
   * behind followed by "| group count part parts". */
  const struct {
    std::vector<const char *> words;
    std::string outcome;
  } cases[] = {
      {{"cmd", "-group", "g1", "x"}, "cmd x | g1 -1 0 0"},
      {{"cmd", "x", "-gr", "g1", "y"}, "cmd x y | g1 -1 0 0"},
      {{"cmd", "-", "p", "-x"}, "cmd - p -x | - -1 0 0"},
      {{"cmd", "parts", "part"}, "cmd | - -1 1 1"},
      {{"cmd", "par"}, "ambiguous option \"par\""},
      {{"cmd", "-group", "-db"}, "cmd | -db -1 0 0"},
      {{"cmd", "-group", "a", "-group", "b"}, "cmd | b -1 0 0"},
      {{"-group", "x"}, "-group x | - -1 0 0"},
      {{"cmd", "-c", "0x10", "z"}, "cmd z | - 16 0 0"},
      {{"cmd", "-count", "-3"}, "cmd | - -3 0 0"},
      {{"cmd", "-count", "12x"},
       "expected integer argument for \"-count\" but got \"12x\""},
      {{"cmd", "-count", "99999999999"},
       "expected integer argument for \"-count\" but got \"99999999999\""},
      {{"cmd", "x", "-gro"}, "\"-gro\" option requires an additional argument"},
  };
  static int one = 1;
  for (const auto &c : cases) {
    const char *group = nullptr;
    int count = -1, part = 0, parts = 0;
    const Tov_ArgvInfo table[] = {
        {"-group", TOV_ARGV_STRING, nullptr, &group, "group"},
        {"-db", TOV_ARGV_STRING, nullptr, &group, "db"},
        {"-count", TOV_ARGV_INT, nullptr, &count, "count"},
        {"parts", TOV_ARGV_CONSTANT, &one, &parts, "parts"},
        {"part", TOV_ARGV_CONSTANT, &one, &part, "part"},
        {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};
    std::vector<const char *> argv = c.words;
    argv.push_back(nullptr);
    int argc = static_cast<int>(c.words.size());
    Tcl_ResetResult(interp);
    std::string outcome;
    if (Tov_ParseArgv(interp, &argc, argv.data(), table, 0) != 0) {
      outcome = result();
    } else {
      for (int i = 0; i < argc; i++) {
        outcome += std::string(argv[i]) + " ";
      }
      outcome += "| " + std::string(group != nullptr ? group : "-") + " " +
                 std::to_string(count) + " " + std::to_string(part) + " " +
                 std::to_string(parts);
      EXPECT_EQ(argv[argc], nullptr) << c.outcome;
    }
    EXPECT_EQ(outcome, c.outcome);
  }
}

} // namespace
