/*
 * find_oracle.h --
 *
 *	The answers the find_args fuzz target expects of pdb:find, worked out
 *	from its own table of the small database's parts with Tcl_StringMatch
 *	and Tcl's list parser, independently of the search engine.
 */

#ifndef TOVPART_FUZZ_FIND_ORACLE_H
#define TOVPART_FUZZ_FIND_ORACLE_H

#include <cstddef>
#include <string>
#include <tcl.h>
#include <vector>

/* What a pattern is matched against, and what the search reports. */
enum class FindField { NAME, SYMBOL, TEMPLATE, ANY_NAME, PROPERTY_NAME };
enum class FindReport { NAME, SYMBOL, TEMPLATE, PROPERTY_NAME, VALUE };

/* One part of the small database, with every path a search finds it at. */
struct OraclePart {
  std::string name, symbol, library;
  std::vector<std::string> properties; /* name, value, name, value, ... */
  std::string templateName, description, hdl;
  std::vector<std::string> listedAt; /* home first, then the other places */
  bool hidden;
};

class FindOracle {
public:
  /* A command's expected outcome. */
  struct Outcome {
    bool ok = true;
    bool anyError = false;            /* failure expected, text unchecked */
    bool free = false;                /* nothing expected but a list */
    std::string text;                 /* the message of a failure */
    std::vector<std::string> strings; /* the sorted result of a success */
  };

  static const char hiddenName[];

  explicit FindOracle(Tcl_Interp *interp);

  /* The database file's text, and the Tcl list of the names to hide. */
  std::string databaseText() const;
  std::string hiddenPartList() const;

  /* Keeps the paths of pdb:find / -type category (a Tcl list). */
  void setCategoryPaths(const std::string &list);

  /*
   * pdb:find / -propvalues specification (namePattern nullptr), or
   * pdb:find / -type propvalues namePattern -name specification.
   */
  Outcome propertySearch(const std::string &specification,
                         const char *namePattern, bool showHidden) const;

  /* pdb:find / -type category -propvalues specification. */
  Outcome categoryWithSpecification(const std::string &specification) const;

  /* A pattern option matching field, reporting report, with an HDL
   * filter or none. */
  Outcome patternSearch(FindField field, FindReport report,
                        const std::string &pattern, const char *hdl,
                        bool showHidden) const;

  /* pdb:find / -type category -name pattern. */
  Outcome categorySearch(const std::string &pattern) const;

  /* pdb:find / -type word, with "*" after it when extraWord is set. */
  Outcome typeWord(const std::string &word, bool extraWord,
                   bool showHidden) const;

  /* pdb:find list -catlist. */
  Outcome catalogSearch(const std::string &list, bool showHidden) const;

  std::size_t baseBlocks = 0; /* window blocks once the database is read */

private:
  struct PairTest {
    std::string name, value;
  };

  bool parseSpecification(const std::string &specification,
                          std::vector<PairTest> *tests, Outcome *failure) const;
  bool splitList(const std::string &text, std::vector<std::string> *elements,
                 Outcome *failure) const;
  static bool passes(const OraclePart &part,
                     const std::vector<PairTest> &tests);
  static void report(const OraclePart &part, FindReport what,
                     const char *namePattern, std::vector<std::string> *out);
  static Outcome sorted(std::vector<std::string> strings);
  static Outcome failure(const std::string &text);

  Tcl_Interp *interp;
  std::vector<std::string> categoryPaths;
};

#endif /* TOVPART_FUZZ_FIND_ORACLE_H */
