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
