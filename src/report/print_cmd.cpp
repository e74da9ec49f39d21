/*
 * print_cmd.cpp --
 *
 *	The pdb:print command: writes the printed dump of one database to
 *	standard output or to a file.
 */

#include <cstdio>
#include <tcl.h>

#include "host/tov_host.h"
#include "model/database.h"
#include "model/group.h"
#include "report/db_report.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"
#include "shell/report_file.h"

/* The option values; reset before every parse. */
static const char *printGroup;
static int printTable;
static int printTree;
static int printNoPartsTree;
static const char *printFile;

static const Tov_ArgvInfo printOptions[] = {
    {"-group", TOV_ARGV_STRING, nullptr, &printGroup,
     "the database group to operate on"},
    {"-table", TOV_ARGV_CONSTANT, &pdbFlagOn, &printTable,
     "print part hash table flag"},
    {"-tree", TOV_ARGV_CONSTANT, &pdbFlagOn, &printTree,
     "print category tree flag"},
    {"-noPartsTree", TOV_ARGV_CONSTANT, &pdbFlagOn, &printNoPartsTree,
     "no parts flag"},
    {"-file", TOV_ARGV_STRING, nullptr, &printFile, "Name of output file"},
    {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};

static const char *const PRINT_USAGE_1 =
    "USAGE: pdb:print <database name> [ -table | -tree | -noPartsTree ] ";
static const char *const PRINT_USAGE_2 = "[ -file <output file name> ]";
static const char *const MSG_RESULT_IN_FILE = "Result in file: ";
static const char *const MSG_UNKNOWN_DATABASE = "Unknown database: ";

static int PrintUsage();

/* Writes the usage line to standard output; returns TCL_OK. */
static int PrintUsage() {
  std::fputs(PRINT_USAGE_1, stdout);
  std::fputs(PRINT_USAGE_2, stdout);
  std::fputs("\n", stdout);
  std::fflush(stdout);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * PrintCommand --
 *
 *	pdb:print handle ?-table | -tree | -noPartsTree? ?-file name?
 *	?-group name?: writes the report of the database. Usage problems
 *	print the usage line and succeed; a repeated option, an unknown
 *	group or handle, and an output file that cannot be written fail.
 *
 *----------------------------------------------------------------------
 */

static int PrintCommand(Tcl_Interp *interp, int argc, const char **argv) {
  Pdb_TraceArgv(argc, argv);
  if (Pdb_CheckDuplicateOptions(interp, argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  if (argc < 2 || argc > 5) {
    return PrintUsage();
  }
  printGroup = nullptr;
  printTable = 0;
  printTree = 0;
  printNoPartsTree = 0;
  printFile = nullptr;
  Tcl_ResetResult(interp);
  if (Tov_ParseArgv(interp, &argc, argv, printOptions, 0) != 0) {
    return TCL_ERROR;
  }
  const char *handle = argc >= 2 ? argv[1] : nullptr;
  if (argc > 2) {
    Tcl_AppendResult(interp, " unknown options: ", (char *)nullptr);
    for (int i = 2; i < argc; i++) {
      Tcl_AppendResult(interp, argv[i], " ", (char *)nullptr);
    }
    return PrintUsage();
  }
  Pdb_Group *group = Pdb_ResolveGroup(interp, printGroup);
  if (group == nullptr) {
    return TCL_ERROR;
  }
  if ((printTable && printTree) ||
      (printNoPartsTree && (printTable || printTree)) || handle == nullptr) {
    return PrintUsage();
  }
  Pdb_Database *db = group->findDatabase(handle);
  if (db == nullptr) {
    Tcl_AppendResult(interp, MSG_UNKNOWN_DATABASE, handle, (char *)nullptr);
    return TCL_ERROR;
  }

  Pdb_ReportSections sections = {printTable != 0, printTree != 0,
                                 printNoPartsTree != 0};
  if (printFile != nullptr) {
    return Pdb_WriteReportFile(
        interp, printFile, MSG_RESULT_IN_FILE,
        [&](FILE *out) { Pdb_PrintReport(db, sections, out); });
  }
  Pdb_PrintReport(db, sections, stdout);
  std::fflush(stdout);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartPrintCmd --
 *
 *	The command procedure of pdb:print: runs PrintCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	PrintCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of PrintCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartPrintCmd(ClientData, Tcl_Interp *interp, int argc,
                    const char **argv) {
  return Pdb_Guard(interp, [&] { return PrintCommand(interp, argc, argv); });
}
