/*
 * one_line_quoting_test.cpp --
 *
 *	The one-line element quoting the ASCII writer relies on: the same
 *	text as Tcl's own quoting for ordinary elements, one line and an
 *	exact read-back for elements with line breaks, also inside sublists
 *	and after elements whose quoting ends in an escaped brace.
 */

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "model/list_text.h"

namespace {

std::vector<std::string> Split(const std::string &list) {
  int count = 0;
  const char **elements = nullptr;
  EXPECT_EQ(Tcl_SplitList(nullptr, list.c_str(), &count, &elements), TCL_OK)
      << list;
  std::vector<std::string> result(elements, elements + count);
  Tcl_Free(reinterpret_cast<char *>(elements));
  return result;
}

TEST(OneLineQuoting, ElementsStayOnOneLineAndReadBackAlsoInSublists) {
  const std::vector<std::string> samples = {
      "plain",      "two words", "",           "{unbalanced", "back\\slash",
      "\"quoted\"", "[cmd]",     "$var;",      "tab\there",   "#hash",
      "a\nb",       "\r\n",      "x\vy\fz",    "{a\nb}",      "line\n{ }\\",
      "ends\\\n",   " \n ",      "\"\n[$]\n;", "open{",       "x\ny",
      "{",          "\n"};
  Tcl_DString list, tcls;
  Tcl_DStringInit(&list);
  for (const std::string &sample : samples) {
    Pdb_AppendElement(&list, sample.c_str(), PDB_QUOTE_ONE_LINE);
    if (sample.find_first_of("\n\r\v\f") == std::string::npos) {
      Tcl_DStringInit(&tcls);
      Tcl_DStringAppendElement(&tcls, "first");
      Tcl_DStringAppendElement(&tcls, sample.c_str());
      Tcl_DString ours;
      Tcl_DStringInit(&ours);
      Tcl_DStringAppendElement(&ours, "first");
      Pdb_AppendElement(&ours, sample.c_str(), PDB_QUOTE_ONE_LINE);
      EXPECT_STREQ(Tcl_DStringValue(&ours), Tcl_DStringValue(&tcls))
          << "ordinary elements quote like Tcl: " << sample;
      Tcl_DStringFree(&ours);
      Tcl_DStringFree(&tcls);
    }
  }
  /* The same elements again, one level down, as the part text nests. */
  Tcl_DStringStartSublist(&list);
  for (const std::string &sample : samples) {
    Pdb_AppendElement(&list, sample.c_str(), PDB_QUOTE_ONE_LINE);
  }
  Tcl_DStringEndSublist(&list);
  std::string text = Tcl_DStringValue(&list);
  Tcl_DStringFree(&list);
  EXPECT_EQ(text.find_first_of("\n\r\v\f"), std::string::npos) << text;
  std::vector<std::string> elements = Split(text);
  ASSERT_EQ(elements.size(), samples.size() + 1);
  EXPECT_EQ(Split(elements.back()), samples);
  elements.pop_back();
  EXPECT_EQ(elements, samples);
}

} // namespace
