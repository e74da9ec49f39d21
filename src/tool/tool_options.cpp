/*
 * tool_options.cpp --
 *
 *	The command line of pdbtool's subcommands: their options, words that
 *	ask for help, and the message for a wrong command line.
 */

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tool/tool.h"

static const char MSG_UNKNOWN_OPTION[] = "unknown option";
static const char MSG_MISSING_VALUE[] = "a value is missing for";

enum { NUMBER_MAX = 1000000 };

static const Pdb_ToolOption *FindOption(const Pdb_ToolOption *table,
                                        const char *word);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolParseOptions --
 *
 *	Walks the words: an option of the table sets what it names, with the
 *	next word as its value where it takes one; any other word beginning
 *	with "-" (but "-" alone) is refused; the rest are files.
 *
 * Results:
 *	PDB_TOOL_OK or PDB_TOOL_USAGE (see tool.h).
 *
 * Side effects:
 *	Sets what the options of table name; appends to *files.
 *
 *----------------------------------------------------------------------
 */

int Pdb_ToolParseOptions(const Pdb_ToolCommand &command, int argc, char **argv,
                         const Pdb_ToolOption *table,
                         std::vector<const char *> *files) {
  for (int i = 0; i < argc; i++) {
    const char *word = argv[i];
    const Pdb_ToolOption *option = FindOption(table, word);
    if (option == nullptr) {
      if (word[0] == '-' && word[1] != '\0') {
        return Pdb_ToolUsageError(command, MSG_UNKNOWN_OPTION, word);
      }
      files->push_back(word);
      continue;
    }
    if (option->flag != nullptr) {
      *option->flag = true;
      continue;
    }
    if (i + 1 >= argc) {
      return Pdb_ToolUsageError(command, MSG_MISSING_VALUE, word);
    }
    const char *value = argv[++i];
    if (option->values != nullptr) {
      option->values->push_back(value);
      continue;
    }
    char *end = nullptr;
    long number = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || number < 0 || number > NUMBER_MAX) {
      return Pdb_ToolUsageError(
          command, "a count from 0 to 1000000 is needed for", word);
    }
    *option->number = number;
  }
  return PDB_TOOL_OK;
}

static const Pdb_ToolOption *FindOption(const Pdb_ToolOption *table,
                                        const char *word) {
  for (const Pdb_ToolOption *option = table; option->name != nullptr;
       option++) {
    if (std::strcmp(option->name, word) == 0) {
      return option;
    }
  }
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolUsageError --
 *
 *	Tells what is wrong with the command line, and where its usage is.
 *
 * Results:
 *	PDB_TOOL_USAGE.
 *
 * Side effects:
 *	Writes to standard error.
 *
 *----------------------------------------------------------------------
 */

int Pdb_ToolUsageError(const Pdb_ToolCommand &command, const char *message,
                       const char *word) {
  std::fprintf(stderr, "pdbtool %s: %s%s%s%s\n", command.name, message,
               word != nullptr ? " \"" : "", word != nullptr ? word : "",
               word != nullptr ? "\"" : "");
  std::fprintf(stderr, "Run \"pdbtool %s --help\" for its usage.\n",
               command.name);
  return PDB_TOOL_USAGE;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ToolIsHelp --
 *
 *	Tells whether word asks for a subcommand's help: "--help" or "-h".
 *
 * Results:
 *	True when it does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ToolIsHelp(const char *word) {
  return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0;
}
