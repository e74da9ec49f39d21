/*
 * list_text_test.cpp --
 *
 *	Element quoting through Pdb_AppendElement. Tcl quoting gives the very
 *	text of Tcl_DStringAppendElement, whatever the list built so far ends
 *	with: nothing, a sublist's brace, a plain or a quoted element, an
 *	escaped brace or white space. One-line quoting, which the ASCII
 *	writer relies on, gives Tcl's text for elements without line breaks
 *	and keeps every element on one line with an exact read-back, also
 *	inside sublists. An element counts as plain exactly when Tcl_Merge
 *	leaves it as it is.
 */

#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "model/list_text.h"

namespace {

/* prefix with element appended by Pdb_AppendElement, and by Tcl. */
std::string Ours(const std::string &prefix, const std::string &element,
                 Pdb_Quoting quoting) {
  Tcl_DString text;
  Tcl_DStringInit(&text);
  Tcl_DStringAppend(&text, prefix.c_str(), -1);
  Pdb_AppendElement(&text, element.c_str(), quoting);
  std::string result = Tcl_DStringValue(&text);
  Tcl_DStringFree(&text);
  return result;
}
std::string Tcls(const std::string &prefix, const std::string &element) {
  Tcl_DString text;
  Tcl_DStringInit(&text);
  Tcl_DStringAppend(&text, prefix.c_str(), -1);
  Tcl_DStringAppendElement(&text, element.c_str());
  std::string result = Tcl_DStringValue(&text);
  Tcl_DStringFree(&text);
  return result;
}

std::vector<std::string> Split(const std::string &list) {
  int count = 0;
  const char **elements = nullptr;
  EXPECT_EQ(Tcl_SplitList(nullptr, list.c_str(), &count, &elements), TCL_OK)
      << list;
  std::vector<std::string> result(elements, elements + count);
  Tcl_Free(reinterpret_cast<char *>(elements));
  return result;
}

} // namespace

TEST(ListText, TclQuotingMatchesTclAfterEveryKindOfText) {
  const std::vector<std::string> elements = {"plain",
                                             "R0402F-10K-000123",
                                             "1%",
                                             "-55..155C",
                                             "\xc3\xa9t\xc3\xa9",
                                             "",
                                             "two words",
                                             "#hash",
                                             "a#b",
                                             "{",
                                             "}",
                                             "open{",
                                             "x\\",
                                             "[cmd]",
                                             "a]",
                                             "$v",
                                             "a;b",
                                             "\"q\"",
                                             "tab\t",
                                             "\\{"};
  const std::vector<std::string> prefixes = {
      "", "{", "{{", "x {", "x", "x}", "\\{", "x ", "x\\ ", "\\", "\t{"};
  for (const std::string &prefix : prefixes) {
    for (const std::string &element : elements) {
      EXPECT_EQ(Ours(prefix, element, PDB_QUOTE_TCL), Tcls(prefix, element))
          << "after \"" << prefix << "\": \"" << element << "\"";
    }
  }
}

TEST(ListText, OneLineQuotingStaysOnOneLineAndReadsBackAlsoInSublists) {
  const std::vector<std::string> samples = {
      "plain",      "two words", "",           "{unbalanced", "back\\slash",
      "\"quoted\"", "[cmd]",     "$var;",      "tab\there",   "#hash",
      "a\nb",       "\r\n",      "x\vy\fz",    "{a\nb}",      "line\n{ }\\",
      "ends\\\n",   " \n ",      "\"\n[$]\n;", "open{",       "x\ny",
      "{",          "\n"};
  Tcl_DString list;
  Tcl_DStringInit(&list);
  for (const std::string &sample : samples) {
    Pdb_AppendElement(&list, sample.c_str(), PDB_QUOTE_ONE_LINE);
    if (sample.find_first_of("\n\r\v\f") == std::string::npos) {
      EXPECT_EQ(Ours("first", sample, PDB_QUOTE_ONE_LINE),
                Tcls("first", sample))
          << "ordinary elements quote like Tcl: " << sample;
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

/*
 * Pdb_MeasurePlainElement decides for the text builder and the search
 * result list when an element may be copied without Tcl's scan: it must
 * say "plain" exactly when Tcl_Merge leaves the element as it is, for
 * every byte on its own, around other bytes, and in the first place of a
 * list or a later one.
 */
TEST(ListText, PlainElementIsExactlyWhatTclMergeLeavesAlone) {
  std::vector<std::string> texts = {"", "plain", "a#b", "#", "\xc3\xa9"};
  for (int c = 1; c < 256; c++) {
    std::string byte(1, static_cast<char>(c));
    texts.push_back(byte);
    texts.push_back("a" + byte + "b");
  }
  for (const std::string &text : texts) {
    for (bool first : {true, false}) {
      const char *words[] = {"x", text.c_str()};
      const char *const *argv = first ? words + 1 : words;
      int argc = first ? 1 : 2;
      char *merged = Tcl_Merge(argc, argv);
      std::string expected = first ? text : "x " + text;
      bool plainForTcl = expected == merged;
      Tcl_Free(merged);
      int length = Pdb_MeasurePlainElement(text.c_str(), first);
      EXPECT_EQ(length >= 0, plainForTcl)
          << "text \"" << text << "\" first " << first;
      if (length >= 0) {
        EXPECT_EQ(static_cast<std::size_t>(length), text.size());
      }
    }
  }
}
