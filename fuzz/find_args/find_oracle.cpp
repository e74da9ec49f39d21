/*
 * find_oracle.cpp --
 *
 *	The small database of the find_args fuzz target and the answers
 *	pdb:find must give on it.
 */

#include "find_args/find_oracle.h"

#include <algorithm>
#include <cstring>

#include "fuzz_session.h"

const char FindOracle::hiddenName[] = "H1";

/* The categories in file order, with their help texts. */
static const char *const categories[][2] = {{"/", ""},
                                            {"/passive/", "Passive {parts}"},
                                            {"/passive/caps/", ""},
                                            {"/active/", "Active \"ones\""},
                                            {"/a b/", "tab\tin help"}};

/*
 * The parts, each listed in the category of its first path; the other
 * paths are where a search finds it too: /active/ lists R1 by a part
 * reference and holds a category reference to /passive/caps/.
 */
static const OraclePart parts[] = {
    {"R1",
     "res",
     "basic",
     {"value", "1k", "tol", "5%"},
     "resistor",
     "Resistor",
     "kelm",
     {"/passive/", "/active/"},
     false},
    {"C 2",
     "cap*",
     "basic",
     {"value", "10p", "di*lec", "C0G"},
     "",
     "",
     "none",
     {"/passive/caps/", "/active/caps/"},
     false},
    {"Q[3]",
     "npn?",
     "act",
     {"MODEL", "2N\\3904", "?x", "{b}"},
     "bjt",
     "x",
     "kelm",
     {"/active/"},
     false},
    {"U\xc3\xa9",
     "opamp_vhd",
     "a",
     {"MODEL", "LM358", "VALUE", "\xc3\xa9\xc3\xa8"},
     "",
     "",
     "vhdl",
     {"/active/"},
     false},
    {"E", "e", "", {"", "", "k", ""}, "", "", "none", {"/a b/"}, false},
    {"N0", "n", "l", {}, "t\\*", "d", "kelm", {"/"}, false},
    {"V\\x{",
     "v}",
     "l",
     {"V*", "a b", "MODEL", ""},
     "tt",
     "",
     "kelm",
     {"/passive/caps/", "/active/caps/"},
     false},
    {"H1", "h", "l", {"MODEL", "LM?"}, "ht", "", "none", {"/passive/"}, true},
};

static const char MSG_BAD_SPEC[] = "Invalid property search specification: \"";
static const char MSG_SPEC_FORM[] =
    "\"\nShould be: \"{{propname1 val1} {propname2 val2} ... }\"";
static const char MSG_CATEGORY_PATTERN[] =
    "Wrong option, should be: pdb:find  -type category -name pattern";
static const char MSG_BAD_TYPE[] =
    "pdb:find -type option value must be one of part, symbol, template, "
    "category, propvalues or propname.";
/* Pieces end at each "??" so that no trigraph can form. */
static const char MSG_USAGE[] =
    "wrong # args: should be \"pdb:find category ?-type type? ?-name "
    "pattern? ?-part pattern?"
    "?-template pattern? ?-symbol pattern? ?-propvalues values?"
    "?-hdl hdl?"
    "?-all?, ?-norecurse? ?-showhidden? ?-catlist? ?-group group?\"";
static const char MSG_BAD_CATEGORY[] = "Category name \"";
static const char MSG_BAD_CATEGORY_END[] =
    "\" is invalid; category names must begin and end with \"/\"";
static const char MSG_NO_CATEGORY[] = "No such category \"";

static bool Match(const std::string &text, const std::string &pattern);

static bool Match(const std::string &text, const std::string &pattern) {
  return Tcl_StringMatch(text.c_str(), pattern.c_str()) != 0;
}

FindOracle::FindOracle(Tcl_Interp *interp) : interp(interp) {}

std::string FindOracle::databaseText() const {
  std::string text;
  for (const auto &category : categories) {
    text += FuzzSession::merge({"[category]", category[0], category[1]}) + "\n";
    for (const OraclePart &part : parts) {
      if (part.listedAt.front() == category[0]) {
        text += FuzzSession::merge(
                    {"[part]", part.name,
                     FuzzSession::merge({part.symbol, part.library,
                                         FuzzSession::merge(part.properties)}),
                     FuzzSession::merge({part.templateName, part.description}),
                     part.hdl}) +
                "\n";
      }
    }
  }
  return text + FuzzSession::merge({"[category]", "/active/"}) + "\n" +
         FuzzSession::merge({"[part=]", "R1"}) + "\n" +
         FuzzSession::merge({"[category=]", "/passive/caps/"}) + "\n";
}

std::string FindOracle::hiddenPartList() const {
  return FuzzSession::merge({hiddenName});
}

void FindOracle::setCategoryPaths(const std::string &list) {
  splitList(list, &categoryPaths, nullptr);
}

FindOracle::Outcome FindOracle::failure(const std::string &text) {
  Outcome outcome;
  outcome.ok = false;
  outcome.text = text;
  return outcome;
}

/* The strings sorted in byte order, each once. */
FindOracle::Outcome FindOracle::sorted(std::vector<std::string> strings) {
  std::sort(strings.begin(), strings.end(),
            [](const std::string &a, const std::string &b) {
              return std::strcmp(a.c_str(), b.c_str()) < 0;
            });
  strings.erase(std::unique(strings.begin(), strings.end()), strings.end());
  Outcome outcome;
  outcome.strings = std::move(strings);
  return outcome;
}

/* Splits text as a Tcl list; on failure *failure holds Tcl's message. */
bool FindOracle::splitList(const std::string &text,
                           std::vector<std::string> *elements,
                           Outcome *failed) const {
  int count = 0;
  const char **split = nullptr;
  Tcl_ResetResult(interp);
  if (Tcl_SplitList(interp, text.c_str(), &count, &split) != TCL_OK) {
    if (failed != nullptr) {
      *failed = failure(Tcl_GetStringResult(interp));
    }
    Tcl_ResetResult(interp);
    return false;
  }
  elements->assign(split, split + count);
  Tcl_Free(reinterpret_cast<char *>(split));
  return true;
}

/*
 * A property search specification: a non-empty list whose elements are
 * lists of at least two words, checked in order up to the first fault.
 */
bool FindOracle::parseSpecification(const std::string &specification,
                                    std::vector<PairTest> *tests,
                                    Outcome *failed) const {
  std::vector<std::string> elements;
  if (!splitList(specification, &elements, failed)) {
    return false;
  }
  for (const std::string &element : elements) {
    std::vector<std::string> words;
    if (!splitList(element, &words, failed)) {
      return false;
    }
    if (words.size() < 2) {
      break;
    }
    tests->push_back({words[0], words[1]});
  }
  if (elements.empty() || tests->size() < elements.size()) {
    *failed = failure(MSG_BAD_SPEC + specification + MSG_SPEC_FORM);
    return false;
  }
  return true;
}

/* Every pair test met by some property pair of the part. */
bool FindOracle::passes(const OraclePart &part,
                        const std::vector<PairTest> &tests) {
  for (const PairTest &test : tests) {
    bool met = false;
    for (std::size_t i = 0; i + 1 < part.properties.size(); i += 2) {
      met = met || (Match(part.properties[i], test.name) &&
                    Match(part.properties[i + 1], test.value));
    }
    if (!met) {
      return false;
    }
  }
  return true;
}

/* Adds what a search reporting what finds of part. */
void FindOracle::report(const OraclePart &part, FindReport what,
                        const char *namePattern,
                        std::vector<std::string> *out) {
  const std::string *single = nullptr;
  switch (what) {
  case FindReport::NAME:
    single = &part.name;
    break;
  case FindReport::SYMBOL:
    single = &part.symbol;
    break;
  case FindReport::TEMPLATE:
    single = &part.templateName;
    break;
  case FindReport::PROPERTY_NAME:
  case FindReport::VALUE:
    for (std::size_t i = 0; i + 1 < part.properties.size(); i += 2) {
      if (what == FindReport::PROPERTY_NAME) {
        out->push_back(part.properties[i]);
      } else if (Match(part.properties[i], namePattern)) {
        out->push_back(part.properties[i + 1]);
      }
    }
    return;
  }
  if (!single->empty()) {
    out->push_back(*single);
  }
}

FindOracle::Outcome FindOracle::propertySearch(const std::string &specification,
                                               const char *namePattern,
                                               bool showHidden) const {
  std::vector<PairTest> tests;
  Outcome failed;
  if (!parseSpecification(specification, &tests, &failed)) {
    return failed;
  }
  std::vector<std::string> found;
  for (const OraclePart &part : parts) {
    if ((showHidden || !part.hidden) && passes(part, tests)) {
      report(part,
             namePattern == nullptr ? FindReport::NAME : FindReport::VALUE,
             namePattern, &found);
    }
  }
  return sorted(found);
}

FindOracle::Outcome
FindOracle::categoryWithSpecification(const std::string &specification) const {
  std::vector<PairTest> tests;
  Outcome failed;
  if (!parseSpecification(specification, &tests, &failed)) {
    return failed;
  }
  return failure(MSG_CATEGORY_PATTERN);
}

FindOracle::Outcome FindOracle::patternSearch(FindField field, FindReport what,
                                              const std::string &pattern,
                                              const char *hdl,
                                              bool showHidden) const {
  std::vector<std::string> found;
  for (const OraclePart &part : parts) {
    bool matched = false;
    switch (field) {
    case FindField::NAME:
      matched = Match(part.name, pattern);
      break;
    case FindField::SYMBOL:
      matched = Match(part.symbol, pattern);
      break;
    case FindField::TEMPLATE:
      matched = Match(part.templateName, pattern);
      break;
    case FindField::ANY_NAME:
      matched = Match(part.name, pattern) || Match(part.symbol, pattern) ||
                Match(part.templateName, pattern);
      break;
    case FindField::PROPERTY_NAME:
      for (std::size_t i = 0; i + 1 < part.properties.size(); i += 2) {
        matched = matched || Match(part.properties[i], pattern);
      }
      break;
    }
    if (matched && (showHidden || !part.hidden) &&
        (hdl == nullptr || part.hdl == hdl)) {
      report(part, what, nullptr, &found);
    }
  }
  return sorted(found);
}

FindOracle::Outcome
FindOracle::categorySearch(const std::string &pattern) const {
  std::vector<std::string> found;
  for (const std::string &path : categoryPaths) {
    if (Match(path, pattern)) {
      found.push_back(path);
    }
  }
  return sorted(found);
}

/*
 * The kind word is compared over its own length with the kind names its
 * first character selects, in the order part, propvalues, propname.
 */
FindOracle::Outcome FindOracle::typeWord(const std::string &word,
                                         bool extraWord,
                                         bool showHidden) const {
  static const char *const kinds[] = {"part",     "propvalues", "propname",
                                      "template", "symbol",     "category"};
  const char *chosen = nullptr;
  for (const char *kind : kinds) {
    if (chosen == nullptr && !word.empty() && word[0] == kind[0] &&
        std::strncmp(word.c_str(), kind, word.size()) == 0) {
      chosen = kind;
    }
  }
  if (chosen == nullptr) {
    return failure(MSG_BAD_TYPE);
  }
  bool propvalues = std::strcmp(chosen, "propvalues") == 0;
  if (propvalues != extraWord) {
    if (propvalues) {
      return failure(MSG_USAGE);
    }
    Outcome unknownOption;
    unknownOption.ok = false;
    unknownOption.anyError = true;
    return unknownOption;
  }
  if (std::strcmp(chosen, "category") == 0) {
    return sorted(categoryPaths);
  }
  static const FindReport reports[] = {
      FindReport::NAME, FindReport::VALUE, FindReport::PROPERTY_NAME,
      FindReport::TEMPLATE, FindReport::SYMBOL};
  FindReport what =
      reports[std::find(kinds, kinds + 5, std::string(chosen)) - kinds];
  std::vector<std::string> found;
  for (const OraclePart &part : parts) {
    if (showHidden || !part.hidden) {
      report(part, what, "*", &found);
    }
  }
  return sorted(found);
}

/*
 * The start categories are the list's elements, each checked in order:
 * a well-formed path, and one a search finds.
 */
FindOracle::Outcome FindOracle::catalogSearch(const std::string &list,
                                              bool showHidden) const {
  std::vector<std::string> starts;
  Outcome failed;
  if (!splitList(list, &starts, &failed)) {
    return failed;
  }
  for (const std::string &start : starts) {
    if (start.empty() || start.front() != '/' || start.back() != '/' ||
        start.find("//") != std::string::npos) {
      return failure(MSG_BAD_CATEGORY + start + MSG_BAD_CATEGORY_END);
    }
    if (std::find(categoryPaths.begin(), categoryPaths.end(), start) ==
        categoryPaths.end()) {
      return failure(MSG_NO_CATEGORY + start + "\"");
    }
  }
  std::vector<std::string> found;
  for (const OraclePart &part : parts) {
    bool below = false;
    for (const std::string &start : starts) {
      for (const std::string &place : part.listedAt) {
        below = below || place.compare(0, start.size(), start) == 0;
      }
    }
    if (below && (showHidden || !part.hidden)) {
      found.push_back(part.name);
    }
  }
  return sorted(found);
}
