/*
 * glob_pattern_test.cpp --
 *
 *	Prepared glob patterns answer exactly as Tcl_StringMatch does, for
 *	the forms matched by bytes and for those left to Tcl, on ASCII text,
 *	UTF-8 text and bytes that are no UTF-8.
 */

#include <gtest/gtest.h>
#include <tcl.h>

#include "query/glob_pattern.h"

TEST(GlobPattern, AnswersAsTclStringMatchDoes) {
  const char *patterns[] = {"",      "*",    "**",        "abc",       "a*",
                            "*c",    "*b*",  "a*c",       "a*b*c",     "*a*a*",
                            "ab*ab", "a**b", "*ab*ab*",   "a?c",       "[ab]*",
                            "\\*",   "*\\*", "\xc3\xa9*", "*\xc3\xa9", "R*",
                            "*74*",  "*]*",  "]",         "a*b*c*d",   "*-*"};
  const char *texts[] = {"",
                         "a",
                         "ab",
                         "abc",
                         "abcabc",
                         "aab",
                         "ababab",
                         "abab",
                         "a*c",
                         "*",
                         "\xc3\xa9",
                         "\xc3\xa9"
                         "a",
                         "\xe9",
                         "x\xc3\xa9y",
                         "\xe0"
                         "74",
                         "\xc0\x80",
                         "R1",
                         "SN74HC00-000456",
                         "]",
                         "a]b",
                         "abxcyd",
                         "R0603F-10K-000123"};
  for (const char *pattern : patterns) {
    Pdb_GlobPattern prepared(pattern);
    for (const char *text : texts) {
      EXPECT_EQ(prepared.matches(text), Tcl_StringMatch(text, pattern) != 0)
          << "pattern \"" << pattern << "\" text \"" << text << "\"";
    }
  }
}
