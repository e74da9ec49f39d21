/*
 * add_args.cpp --
 *
 *	Fuzz target: pdb:add's argument forms, with pdb:delete beside them,
 *	on a small user database and a site database of a group. Each line of
 *	the input is a Tcl list: a first word beginning with "a" runs pdb:add
 *	with the other words, one beginning with "d" runs pdb:delete with
 *	them; other lines are skipped. Then both databases are saved, read
 *	back in a second group, and each must hold exactly what it held in
 *	memory (db_snapshot.h). Findings: a crash, a leak in the window, an
 *	edited database that does not save or does not read back, and one
 *	that reads back different.
 */

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "add_args/db_snapshot.h"
#include "fuzz_session.h"
#include "shell/registry.h"

static const char TARGET[] = "add_args";

/* Lines of one input that are run; the rest are ignored. */
enum { MAX_COMMANDS = 48 };

static const char userText[] =
    "[category] /\n"
    "{[category]} /u/ {User parts}\n"
    "[part] U1 {usym ulib {k v}} {ut {U desc}} kelm\n"
    "[category] /u/sub/\n"
    "[part] {U 2} {s l {}} {{} {}} none\n"
    "[category] /u/\n"
    "[part=] S1\n"
    "[category=] /s/\n";

static const char siteText[] = "[category] /\n"
                               "{[category]} /s/ {Site parts}\n"
                               "[part] S1 {ssym slib {MODEL x}} {st d} kelm\n"
                               "[category] /s/deep/\n"
                               "[part] S2 {s2 l {}} {{} {}} none\n";

/* The handles of a group's site and user databases. */
struct Pair {
  std::string site, user;
};

static const std::string &SecondGroup();
static Pair OpenPair(const char *group);
static void RunLine(const std::string &line);
static void CompareReadBack(const Pair &edited);
static void CompareSnapshots(const char *which, const std::string &editedHandle,
                             const std::string &backHandle);

/* The group the saved files are read back in, made once. */
static const std::string &SecondGroup() {
  static const std::string name = [] {
    FuzzSession &session = FuzzSession::get();
    setenv("ZQ_PDB_USER", session.path("user.db").c_str(), 1);
    setenv("ZQ_SITE_PATH", session.path("").c_str(), 1);
    unsetenv("ZQ_SCH_PATH");
    std::string group;
    if (session.run({"pdb:group", "new"}, &group) != TCL_OK) {
      FuzzSession::fail(TARGET, "no second group: " + group);
    }
    return group;
  }();
  return name;
}

/* Opens and reads the site and the user database in group (nullptr: the
 * current one), the site database first. */
static Pair OpenPair(const char *group) {
  FuzzSession &session = FuzzSession::get();
  std::vector<std::string> prefix = {"pdb:open"};
  if (group != nullptr) {
    prefix.insert(prefix.end(), {"-group", group});
  }
  std::vector<std::string> site = prefix, user = prefix;
  site.insert(site.end(), {"-db", "site", "site"});
  user.push_back("user");
  Pair pair;
  std::string message;
  if (session.runWords(site, &pair.site) != TCL_OK ||
      session.runWords(user, &pair.user) != TCL_OK) {
    FuzzSession::fail(TARGET, "the databases do not open: " + pair.site + " " +
                                  pair.user);
  }
  for (const std::string *handle : {&pair.site, &pair.user}) {
    std::vector<std::string> read = {"pdb:read", *handle};
    if (group != nullptr) {
      read.insert(read.begin() + 1, {"-group", group});
    }
    if (session.runWords(read, &message) != TCL_OK) {
      FuzzSession::fail(TARGET, std::string(group == nullptr ? "a database"
                                                             : "a saved file") +
                                    " does not read: " + message);
    }
  }
  return pair;
}

/* Runs one line of the input, when it is a list of an add or delete. */
static void RunLine(const std::string &line) {
  std::vector<std::string> words;
  if (!FuzzSession::split(line, &words) || words.empty()) {
    return;
  }
  switch (words[0][0]) {
  case 'a':
    words[0] = "pdb:add";
    break;
  case 'd':
    words[0] = "pdb:delete";
    break;
  default:
    return;
  }
  FuzzSession::get().runWords(words);
}

/* Saves both databases, reads them back in the second group and compares
 * each with what it holds in memory. */
static void CompareReadBack(const Pair &edited) {
  FuzzSession &session = FuzzSession::get();
  std::string message;
  if (session.run({"pdb:save"}, &message) != TCL_OK ||
      session.run({"pdb:save", "-db", "site"}, &message) != TCL_OK) {
    FuzzSession::fail(TARGET, "an edited database does not save: " + message);
  }
  Pair back = OpenPair(SecondGroup().c_str());
  CompareSnapshots("site", edited.site, back.site);
  CompareSnapshots("user", edited.user, back.user);
  session.run({"pdb:unload", "-group", SecondGroup(), "-all"});
}

static void CompareSnapshots(const char *which, const std::string &editedHandle,
                             const std::string &backHandle) {
  FuzzSession &session = FuzzSession::get();
  Pdb_Database *edited =
      Pdb_ResolveHandle(session.interp, nullptr, editedHandle.c_str());
  Pdb_Database *back = Pdb_ResolveHandle(session.interp, SecondGroup().c_str(),
                                         backHandle.c_str());
  if (edited == nullptr || back == nullptr) {
    FuzzSession::fail(TARGET, "a handle is lost");
  }
  std::vector<std::string> before = SnapshotDatabase(edited);
  std::vector<std::string> after = SnapshotDatabase(back);
  if (before == after) {
    return;
  }
  std::string report = std::string("the ") + which +
                       " database reads back different; in memory:\n";
  for (const std::string &line : before) {
    report += "  " + line + "\n";
  }
  report += "read back:\n";
  for (const std::string &line : after) {
    report += "  " + line + "\n";
  }
  FuzzSession::fail(TARGET, report);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzSession &session = FuzzSession::get();
  SecondGroup();
  session.writeFile("user.db", reinterpret_cast<const uint8_t *>(userText),
                    std::strlen(userText));
  session.writeFile("tovpart.site", reinterpret_cast<const uint8_t *>(siteText),
                    std::strlen(siteText));
  Pair edited = OpenPair(nullptr);

  std::string text(reinterpret_cast<const char *>(data), size);
  text.resize(std::strlen(text.c_str()));
  std::size_t at = 0;
  for (int commands = 0; at < text.size() && commands < MAX_COMMANDS;
       commands++) {
    std::size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end;
    RunLine(text.substr(at, end - at));
    at = end + 1;
  }
  CompareReadBack(edited);
  session.finishInput(TARGET);
  return 0;
}
