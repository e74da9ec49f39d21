/*
 * check_cmd.cpp --
 *
 *	pdbtool check: reads text databases as pdb:read does, but goes on
 *	past bad lines and reports every one of them.
 */

#include <cstdio>
#include <cstring>
#include <vector>

#include "files/text/ascii_reader.h"
#include "model/database.h"
#include "model/group.h"
#include "tool/tool.h"

static const char WITH_OPTION[] = "--with";
static const char MSG_NO_FILE[] = "no file to check";

static const char CHECK_HELP[] =
    "usage: pdbtool check [--with DB]... FILE...\n"
    "\n"
    "Reads each text database FILE as pdb:read does, but goes on past a bad\n"
    "line, and reports every bad line on standard output as\n"
    "\n"
    "    FILE:LINE: CODE: message\n"
    "\n"
    "CODE is the word of pdb:read's error code (SYNTAX, DUP_PART, ...; NONE\n"
    "for a category help text that disagrees, which pdb:read reports without\n"
    "a code). The records of a [category] line that failed are skipped up to\n"
    "the next [category] line. A good file is reported as \"FILE: ok\".\n"
    "\n"
    "Each FILE is read into a group of its own, after the databases named by\n"
    "--with (text or binary), which stand for the other databases of the\n"
    "group: parts and categories that FILE's references designate in them\n"
    "are found.\n"
    "\n"
    "Exit status: 0 when every FILE is good; 1 when a line is bad or a file\n"
    "cannot be read (a message on standard error); 2 for wrong usage.\n";

/* Where the bad lines of one file go. */
struct CheckReport {
  const char *fileName;
  int badLines;
};

static int CheckFile(Tcl_Interp *interp, const char *fileName,
                     const std::vector<const char *> &withFiles,
                     Pdb_Group *group);
static void PrintBadLine(void *context, int line, const char *word,
                         const char *text);

/*
 *----------------------------------------------------------------------
 *
 * RunCheck --
 *
 *	pdbtool check [--with DB]... FILE...
 *
 * Results:
 *	An exit status.
 *
 *----------------------------------------------------------------------
 */

static int RunCheck(Tcl_Interp *interp, int argc, char **argv) {
  std::vector<const char *> withFiles;
  std::vector<const char *> files;
  const Pdb_ToolOption table[] = {{WITH_OPTION, nullptr, &withFiles, nullptr},
                                  {nullptr, nullptr, nullptr, nullptr}};
  if (Pdb_ToolParseOptions(pdbCheckCommand, argc, argv, table, &files) !=
      PDB_TOOL_OK) {
    return PDB_TOOL_USAGE;
  }
  if (files.empty()) {
    return Pdb_ToolUsageError(pdbCheckCommand, MSG_NO_FILE);
  }
  int status = PDB_TOOL_OK;
  for (std::size_t i = 0; i < files.size(); i++) {
    Pdb_Group *group = Pdb_ToolNewGroup("check");
    if (CheckFile(interp, files[i], withFiles, group) != PDB_TOOL_OK) {
      status = PDB_TOOL_BAD;
    }
    Pdb_ToolEndGroup(group, i + 1 == files.size());
  }
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * CheckFile --
 *
 *	Reads one file into a fresh group and prints its bad lines, or "ok".
 *
 * Results:
 *	PDB_TOOL_OK for a good file, PDB_TOOL_BAD otherwise.
 *
 *----------------------------------------------------------------------
 */

static int CheckFile(Tcl_Interp *interp, const char *fileName,
                     const std::vector<const char *> &withFiles,
                     Pdb_Group *group) {
  CheckReport report = {fileName, 0};
  Pdb_ReadObserver observer = {PrintBadLine, nullptr, &report};
  Pdb_ToolReadOptions options;
  options.observer = &observer;
  Pdb_Database *db =
      Pdb_ToolOpenWith(interp, group, withFiles, fileName, options);
  std::fflush(stdout);
  if (db == nullptr) {
    Pdb_ToolReportResult(interp);
    return PDB_TOOL_BAD;
  }
  if (db->binary) {
    std::fprintf(stderr,
                 "pdbtool: \"%s\" is a binary image, not a text database "
                 "(pdbtool verify checks images)\n",
                 fileName);
    return PDB_TOOL_BAD;
  }
  if (report.badLines == 0) {
    std::printf("%s: ok\n", fileName);
    return PDB_TOOL_OK;
  }
  return PDB_TOOL_BAD;
}

static void PrintBadLine(void *context, int line, const char *word,
                         const char *text) {
  CheckReport *report = static_cast<CheckReport *>(context);
  report->badLines++;
  std::printf("%s:%d: %s: %s\n", report->fileName, line, word, text);
}

const Pdb_ToolCommand pdbCheckCommand = {
    "check", "report every bad line of text databases", CHECK_HELP, RunCheck};
