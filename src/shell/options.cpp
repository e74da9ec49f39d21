/*
 * options.cpp --
 *
 *	The option handling that commands share: the common -group/-db
 *	table, the preamble that parses it and the duplicate-option check.
 */

#include <cstring>

#include "shell/conventions.h"

const char *pdbGroupOption = nullptr;
const char *pdbDbOption = nullptr;
int pdbFlagOn = 1;

const Tov_ArgvInfo pdbCommonOptions[] = {
    {"-group", TOV_ARGV_STRING, nullptr, &pdbGroupOption,
     "the database group to operate on"},
    {"-db", TOV_ARGV_STRING, nullptr, &pdbDbOption,
     "the database name to operate on"},
    {nullptr, TOV_ARGV_END, nullptr, nullptr, nullptr}};

static const char *const OPTIONS_MSG_DUPLICATE = "Duplicate option, ";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CheckDuplicateOptions --
 *
 *	Looks at every pair of words i < j (word 0 included) that both begin
 *	with "-"; the pair clashes when one word is a prefix of the other.
 *	Option values that begin with "-" count as options.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with "Duplicate option, <i>, <j>" appended for
 *	the first clashing pair.
 *
 * Side effects:
 *	None beyond the message.
 *
 *----------------------------------------------------------------------
 */

int Pdb_CheckDuplicateOptions(Tcl_Interp *interp, int argc,
                              const char *const *argv) {
  for (int i = 0; i < argc; i++) {
    if (argv[i][0] != '-') {
      continue;
    }
    size_t lengthI = strlen(argv[i]);
    for (int j = i + 1; j < argc; j++) {
      if (argv[j][0] != '-') {
        continue;
      }
      size_t lengthJ = strlen(argv[j]);
      size_t shorter = lengthI < lengthJ ? lengthI : lengthJ;
      if (strncmp(argv[i], argv[j], shorter) == 0) {
        Tcl_AppendResult(interp, OPTIONS_MSG_DUPLICATE, argv[i], ", ", argv[j],
                         (char *)nullptr);
        return TCL_ERROR;
      }
    }
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CommonPreamble --
 *
 *	Steps 1 to 3 of every command that takes the common options: traces
 *	the unparsed words, forgets the -group and -db values of the previous
 *	command and parses the common option table.
 *
 * Results:
 *	TCL_OK, with the options removed from argv and *argcPtr lowered;
 *	TCL_ERROR with the parser's message.
 *
 * Side effects:
 *	Sets pdbGroupOption and pdbDbOption.
 *
 *----------------------------------------------------------------------
 */

int Pdb_CommonPreamble(Tcl_Interp *interp, int *argcPtr, const char **argv) {
  Pdb_TraceArgv(*argcPtr, argv);
  pdbGroupOption = nullptr;
  pdbDbOption = nullptr;
  if (Tov_ParseArgv(interp, argcPtr, argv, pdbCommonOptions, 0) != 0) {
    return TCL_ERROR;
  }
  return TCL_OK;
}
