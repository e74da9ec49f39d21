/*
 * list_text_test.cpp --
 *
 *	Tcl quoting through Pdb_AppendElement gives the very text of
 *	Tcl_DStringAppendElement, whatever the list built so far ends with:
 *	nothing, a sublist's brace, a plain or a quoted element, an escaped
 *	brace or white space.
 */

#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "model/list_text.h"

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
      Tcl_DString ours, tcls;
      Tcl_DStringInit(&ours);
      Tcl_DStringInit(&tcls);
      Tcl_DStringAppend(&ours, prefix.c_str(), -1);
      Tcl_DStringAppend(&tcls, prefix.c_str(), -1);
      Pdb_AppendElement(&ours, element.c_str(), PDB_QUOTE_TCL);
      Tcl_DStringAppendElement(&tcls, element.c_str());
      EXPECT_STREQ(Tcl_DStringValue(&ours), Tcl_DStringValue(&tcls))
          << "after \"" << prefix << "\": \"" << element << "\"";
      Tcl_DStringFree(&ours);
      Tcl_DStringFree(&tcls);
    }
  }
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
