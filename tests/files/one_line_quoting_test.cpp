/*
 * one_line_quoting_test.cpp --
 *
 *	The one-line element quoting the ASCII writer relies on: the same
 *	text as Tcl's own quoting for ordinary elements, one line and an
 *	exact read-back for elements with line breaks, also inside sublists
 *	and after elements whose quoting ends in an escaped brace.
 */

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <tcl.h>

#include "model/list_text.h"

namespace {

std::vector<std::string> Split(const char *list) {
  int count = 0;
  const char **elements = nullptr;
  EXPECT_EQ(Tcl_SplitList(nullptr, list, &count, &elements), TCL_OK) << list;
  std::vector<std::string> result(elements, elements + count);
  Tcl_Free(reinterpret_cast<char *>(elements));
  return result;
}

const char *const SAMPLES[] = {
    "plain",      "two words", "",           "{unbalanced", "back\\slash",
    "\"quoted\"", "[cmd]",     "$var;",      "tab\there",   "#hash",
    "a\nb",       "\r\n",      "x\vy\fz",    "{a\nb}",      "line\n{ }\\",
    "ends\\\n",   " \n ",      "\"\n[$]\n;", "open{",       "x\ny",
    "{",          "\n"};

TEST(OneLineQuoting, OrdinaryElementsQuoteLikeTcl) {
  for (const char *sample : SAMPLES) {
    if (strpbrk(sample, "\n\r\v\f") != nullptr) {
      continue;
    }
    Tcl_DString ours, tcls;
    Tcl_DStringInit(&ours);
    Tcl_DStringInit(&tcls);
    Tcl_DStringAppendElement(&ours, "first");
    Tcl_DStringAppendElement(&tcls, "first");
    Pdb_AppendElement(&ours, sample, PDB_QUOTE_ONE_LINE);
    Tcl_DStringAppendElement(&tcls, sample);
    EXPECT_STREQ(Tcl_DStringValue(&ours), Tcl_DStringValue(&tcls));
    Tcl_DStringFree(&ours);
    Tcl_DStringFree(&tcls);
  }
}

TEST(OneLineQuoting, EveryElementStaysOnOneLineAndReadsBack) {
  Tcl_DString list;
  Tcl_DStringInit(&list);
  for (const char *sample : SAMPLES) {
    Pdb_AppendElement(&list, sample, PDB_QUOTE_ONE_LINE);
  }
  /* The same elements again, one level down, as the part text nests. */
  Tcl_DStringStartSublist(&list);
  for (const char *sample : SAMPLES) {
    Pdb_AppendElement(&list, sample, PDB_QUOTE_ONE_LINE);
  }
  Tcl_DStringEndSublist(&list);
  const char *text = Tcl_DStringValue(&list);
  EXPECT_EQ(strpbrk(text, "\n\r\v\f"), nullptr) << text;

  auto elements = Split(text);
  size_t n = sizeof SAMPLES / sizeof SAMPLES[0];
  ASSERT_EQ(elements.size(), n + 1);
  for (size_t i = 0; i < n; i++) {
    EXPECT_EQ(elements[i], SAMPLES[i]);
  }
  auto nested = Split(elements[n].c_str());
  ASSERT_EQ(nested.size(), n);
  for (size_t i = 0; i < n; i++) {
    EXPECT_EQ(nested[i], SAMPLES[i]);
  }
  Tcl_DStringFree(&list);
}

} // namespace
