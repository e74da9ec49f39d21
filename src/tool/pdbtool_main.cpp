/*
 * pdbtool_main.cpp --
 *
 *	pdbtool, the command-line tool for parts database files: its entry
 *	point, the table of subcommands and the overall help.
 */

#include <cstdio>
#include <cstring>
#include <string>
#include <tcl.h>
#include <vector>

#include "host/file_names.h"
#include "tool/tool.h"

static const char MAIN_USAGE[] =
    "usage: pdbtool COMMAND [OPTIONS] [ARGUMENTS]\n"
    "\n"
    "Checks, converts, verifies and summarises tovpart parts database files,\n"
    "text databases and binary images alike.\n"
    "\n"
    "Commands:\n";

static const char MAIN_TAIL[] =
    "\n"
    "\"pdbtool help COMMAND\" or \"pdbtool COMMAND --help\" describes a "
    "command.\n"
    "While a large file is read, a progress bar is shown on standard error\n"
    "when it is a terminal.\n"
    "\n"
    "Exit status: 0 success; 1 a file was bad, or could not be read or\n"
    "written; 2 wrong usage.\n";

static const Pdb_ToolCommand *const COMMANDS[] = {
    &pdbCheckCommand, &pdbConvertCommand, &pdbVerifyCommand, &pdbStatsCommand};

static const Pdb_ToolCommand *FindCommand(const char *name);
static int PrintUsage(FILE *out, int status);
static int RunHelp(int argc, char **argv);

/*
 *----------------------------------------------------------------------
 *
 * main --
 *
 *	pdbtool COMMAND ARGUMENTS...: runs the subcommand in an interpreter
 *	of its own, which the database code reports its messages through.
 *
 * Results:
 *	The subcommand's exit status (see MAIN_TAIL).
 *
 *----------------------------------------------------------------------
 */

int main(int argc, char **argv) {
  if (argc < 2) {
    return PrintUsage(stderr, PDB_TOOL_USAGE);
  }
  if (Pdb_ToolIsHelp(argv[1])) {
    return PrintUsage(stdout, PDB_TOOL_OK);
  }
  if (std::strcmp(argv[1], "help") == 0) {
    return RunHelp(argc - 2, argv + 2);
  }
  const Pdb_ToolCommand *command = FindCommand(argv[1]);
  if (command == nullptr) {
    std::fprintf(stderr, "pdbtool: unknown command \"%s\"\n\n", argv[1]);
    return PrintUsage(stderr, PDB_TOOL_USAGE);
  }
  for (int i = 2; i < argc; i++) {
    if (Pdb_ToolIsHelp(argv[i])) {
      std::fputs(command->help, stdout);
      return PDB_TOOL_OK;
    }
  }
  Tcl_FindExecutable(argv[0]);
  Tcl_Interp *interp = Tcl_CreateInterp();
  /* The database code takes file names in UTF-8, as Tcl gives them. */
  std::vector<std::string> words;
  for (int i = 2; i < argc; i++) {
    Tcl_DString utf;
    words.emplace_back(Pdb_MakeUtfName(argv[i], &utf));
    Tcl_DStringFree(&utf);
  }
  std::vector<char *> utfArgv;
  for (std::string &word : words) {
    utfArgv.push_back(word.data());
  }
  int status = command->run(interp, argc - 2, utfArgv.data());
  Tcl_DeleteInterp(interp);
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::perror("pdbtool: standard output");
    return PDB_TOOL_BAD;
  }
  return status;
}

static const Pdb_ToolCommand *FindCommand(const char *name) {
  for (const Pdb_ToolCommand *command : COMMANDS) {
    if (std::strcmp(command->name, name) == 0) {
      return command;
    }
  }
  return nullptr;
}

/* pdbtool help ?COMMAND?: the overall help or one command's. */
static int RunHelp(int argc, char **argv) {
  if (argc == 0) {
    return PrintUsage(stdout, PDB_TOOL_OK);
  }
  const Pdb_ToolCommand *command = FindCommand(argv[0]);
  if (argc > 1 || command == nullptr) {
    std::fprintf(stderr, "pdbtool: no help for \"%s\"\n\n", argv[0]);
    return PrintUsage(stderr, PDB_TOOL_USAGE);
  }
  std::fputs(command->help, stdout);
  return PDB_TOOL_OK;
}

static int PrintUsage(FILE *out, int status) {
  std::fputs(MAIN_USAGE, out);
  for (const Pdb_ToolCommand *command : COMMANDS) {
    std::fprintf(out, "  %-9s %s\n", command->name, command->summary);
  }
  std::fputs(MAIN_TAIL, out);
  return status;
}
