/*
 * find_args.cpp --
 *
 *	Fuzz target: pdb:find's pattern options and property search
 *	specifications, on a small database read once per process (parts
 *	whose names, symbols and properties hold glob characters, blanks,
 *	braces, empty strings and bytes outside ASCII; a part reference, a
 *	category reference and a hidden part). The first byte of the input
 *	picks the form, the second its variations, the rest is the text
 *	fuzzed: a -propvalues specification, a -name specification under
 *	-type propvalues, a pattern of one of the pattern options, a category
 *	pattern, a -type word, a -catlist list, or free words after pdb:find.
 *
 *	Every answer is checked against what the target works out itself
 *	from its table of parts with Tcl_StringMatch and Tcl's list parser:
 *	the found names, values or paths, or the exact message of a bad
 *	specification. Findings: a crash, a wrong answer or message, a result
 *	that is no sorted list of distinct strings, a hidden filter left off,
 *	a block left in the window.
 */

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tcl.h>
#include <vector>

#include "find_args/find_oracle.h"
#include "fuzz_session.h"
#include "model/window.h"

static const char TARGET[] = "find_args";

/* The property-name patterns of -type propvalues the second byte picks. */
static const char *const namePatterns[] = {"*",      "MODEL", "V*",  "?",
                                           "[A-M]*", "\\*",   "*\\", ""};

/* The pattern options of the pattern form: the option, the -type word
 * before it (or none), the field it matches and what is reported. */
struct PatternForm {
  const char *option;
  const char *kind;
  FindField field;
  FindReport report;
};
static const PatternForm patternForms[] = {
    {"-part", nullptr, FindField::NAME, FindReport::NAME},
    {"-name", nullptr, FindField::NAME, FindReport::NAME},
    {"-symbol", nullptr, FindField::SYMBOL, FindReport::NAME},
    {"-template", "template", FindField::TEMPLATE, FindReport::TEMPLATE},
    {"-all", nullptr, FindField::ANY_NAME, FindReport::NAME},
    {"-propname", nullptr, FindField::PROPERTY_NAME, FindReport::NAME},
    {"-name", "symbol", FindField::SYMBOL, FindReport::SYMBOL},
    {"-name", "propname", FindField::PROPERTY_NAME, FindReport::PROPERTY_NAME}};

enum Form {
  FORM_PROPVALUES,
  FORM_NAME_AS_SPECIFICATION,
  FORM_CATEGORY_WITH_SPECIFICATION,
  FORM_PATTERN,
  FORM_CATEGORY_PATTERN,
  FORM_TYPE_WORD,
  FORM_CATLIST,
  FORM_FREE_WORDS,
  FORM_COUNT
};

static void RunForm(FindOracle &oracle, int form, unsigned variation,
                    const std::string &text);
static std::vector<std::string> TypeWords(unsigned variation,
                                          const char **namePattern);
static void Check(const FindOracle::Outcome &expected,
                  const std::vector<std::string> &words);
static void CheckListShape(const std::string &result);
static void CheckFilterOn();

/* The session, its database read and one part hidden, made on first use. */
static FindOracle &Oracle() {
  static FindOracle *oracle = [] {
    FuzzSession &session = FuzzSession::get();
    auto *made = new FindOracle(session.interp);
    std::string file = session.path("find.db");
    const std::string text = made->databaseText();
    session.writeFile("find.db", reinterpret_cast<const uint8_t *>(text.data()),
                      text.size());
    std::string handle, message;
    if (session.run({"pdb:open", "-file", file}, &handle) != TCL_OK ||
        session.run({"pdb:read", handle}, &message) != TCL_OK ||
        session.run({"pdb:hide", "-parts", made->hiddenPartList()}, &message) !=
            TCL_OK ||
        session.run({"pdb:find", "/", "-type", "category"}, &message) !=
            TCL_OK) {
      FuzzSession::fail(TARGET, "the database does not load: " + message);
    }
    made->setCategoryPaths(message);
    made->baseBlocks = Pdb_WindowLiveBlocks();
    return made;
  }();
  return *oracle;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2) {
    return 0;
  }
  FindOracle &oracle = Oracle();
  std::string text(reinterpret_cast<const char *>(data) + 2, size - 2);
  text.resize(std::strlen(text.c_str()));
  RunForm(oracle, data[0] % FORM_COUNT, data[1], text);
  CheckFilterOn();
  if (Pdb_WindowLiveBlocks() != oracle.baseBlocks) {
    FuzzSession::fail(TARGET, "pdb:find left blocks in the window");
  }
  return 0;
}

/* Runs one form on text and checks its answer. */
static void RunForm(FindOracle &oracle, int form, unsigned variation,
                    const std::string &text) {
  const bool showHidden = (variation & 0x80) != 0;
  std::vector<std::string> words = {"pdb:find", "/"};
  FindOracle::Outcome expected;
  const char *namePattern = nullptr;
  switch (form) {
  case FORM_PROPVALUES:
    words.insert(words.end(), {"-propvalues", text});
    expected = oracle.propertySearch(text, nullptr, showHidden);
    break;
  case FORM_NAME_AS_SPECIFICATION:
    words = TypeWords(variation, &namePattern);
    words.insert(words.end(), {"-name", text});
    if (variation & 0x40) {
      std::rotate(words.begin() + 2, words.begin() + 5, words.end());
    }
    expected = oracle.propertySearch(text, namePattern, showHidden);
    break;
  case FORM_CATEGORY_WITH_SPECIFICATION:
    words.insert(words.end(), {"-type", "category", "-propvalues", text});
    expected = oracle.categoryWithSpecification(text);
    break;
  case FORM_PATTERN: {
    const PatternForm &chosen = patternForms[variation % 8];
    const char *hdl = (variation & 0x08) ? "vhdl" : nullptr;
    if (chosen.kind != nullptr) {
      words.insert(words.end(), {"-type", chosen.kind});
    }
    words.insert(words.end(), {chosen.option, text});
    if (hdl != nullptr) {
      words.insert(words.end(), {"-hdl", hdl});
    }
    expected = oracle.patternSearch(chosen.field, chosen.report, text, hdl,
                                    showHidden);
    break;
  }
  case FORM_CATEGORY_PATTERN:
    words.insert(words.end(), {"-type", "category", "-name", text});
    expected = oracle.categorySearch(text);
    break;
  case FORM_TYPE_WORD:
    words.insert(words.end(), {"-type", text});
    if (variation & 0x01) {
      words.push_back("*");
    }
    expected = oracle.typeWord(text, (variation & 0x01) != 0, showHidden);
    break;
  case FORM_CATLIST:
    words[1] = text;
    words.push_back("-catlist");
    expected = oracle.catalogSearch(text, showHidden);
    break;
  default: {
    std::vector<std::string> free;
    if (!FuzzSession::split(text, &free)) {
      return;
    }
    words.assign(1, "pdb:find");
    words.insert(words.end(), free.begin(), free.end());
    expected.free = true;
    break;
  }
  }
  if (showHidden && form != FORM_FREE_WORDS) {
    words.insert(words.begin() + 2, "-showhidden");
  }
  Check(expected, words);
}

/*
 * The words "pdb:find / -type propvalues <pattern>" with a
 * property-name pattern the variation picks (in *namePattern), or the
 * kind word abbreviated.
 */
static std::vector<std::string> TypeWords(unsigned variation,
                                          const char **namePattern) {
  *namePattern = namePatterns[variation % 8];
  static const char *const kindWords[] = {"propvalues", "pr", "prop", "propv"};
  return {"pdb:find", "/", "-type", kindWords[(variation >> 3) % 4],
          *namePattern};
}

/* Runs words and compares status and result with expected. */
static void Check(const FindOracle::Outcome &expected,
                  const std::vector<std::string> &words) {
  FuzzSession &session = FuzzSession::get();
  std::string result;
  int status = session.runWords(words, &result);
  if (expected.free) {
    if (status == TCL_OK) {
      CheckListShape(result);
    }
    return;
  }
  if ((status == TCL_OK) != expected.ok) {
    FuzzSession::fail(TARGET,
                      FuzzSession::merge(words) +
                          (status == TCL_OK ? " succeeds: " : " fails: ") +
                          result + "\nexpected " + expected.text);
  }
  if (status != TCL_OK) {
    if (!expected.anyError && result != expected.text) {
      FuzzSession::fail(TARGET, FuzzSession::merge(words) + " fails with\n" +
                                    result + "\nexpected\n" + expected.text);
    }
    return;
  }
  CheckListShape(result);
  std::vector<std::string> found;
  FuzzSession::split(result, &found);
  if (found != expected.strings) {
    std::string want;
    for (const std::string &s : expected.strings) {
      want += "{" + s + "} ";
    }
    FuzzSession::fail(TARGET, FuzzSession::merge(words) + " finds {" + result +
                                  "}, expected " + want);
  }
}

/* A successful result must be a list of distinct strings in byte order. */
static void CheckListShape(const std::string &result) {
  std::vector<std::string> found;
  if (!FuzzSession::split(result, &found)) {
    FuzzSession::fail(TARGET, "the result is no list: " + result);
  }
  bool ordered = true;
  for (std::size_t i = 1; i < found.size(); i++) {
    ordered =
        ordered && std::strcmp(found[i - 1].c_str(), found[i].c_str()) < 0;
  }
  if (!ordered) {
    FuzzSession::fail(TARGET, "the result is not sorted or repeats a string: " +
                                  result);
  }
}

/* After any pdb:find the hidden part is hidden again. */
static void CheckFilterOn() {
  std::string result;
  FuzzSession::get().run({"pdb:find", "/", "-part", FindOracle::hiddenName},
                         &result);
  if (!result.empty()) {
    FuzzSession::fail(TARGET, "the hidden filter stays off");
  }
}
