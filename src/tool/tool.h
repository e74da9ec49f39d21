/*
 * tool.h --
 *
 *	What the subcommands of pdbtool share: exit statuses, the
 *	subcommand table entry, and the databases a subcommand opens into a
 *	group of its own.
 */

#ifndef TOVPART_TOOL_TOOL_H
#define TOVPART_TOOL_TOOL_H

#include <tcl.h>
#include <vector>

class Pdb_Database;
class Pdb_Group;
struct Pdb_ReadObserver;

/* Exit statuses of pdbtool. */
enum {
  PDB_TOOL_OK = 0,   /* every file was good and every job done */
  PDB_TOOL_BAD = 1,  /* a file was bad, or could not be read or written */
  PDB_TOOL_USAGE = 2 /* the command line was wrong */
};

/* One subcommand: its name, one line on it, its help and its body. */
struct Pdb_ToolCommand {
  const char *name;
  const char *summary;
  const char *help;
  int (*run)(Tcl_Interp *interp, int argc, char **argv);
};

extern const Pdb_ToolCommand pdbCheckCommand;
extern const Pdb_ToolCommand pdbConvertCommand;
extern const Pdb_ToolCommand pdbVerifyCommand;
extern const Pdb_ToolCommand pdbStatsCommand;

/* How Pdb_ToolOpenDatabase reads a text database. */
struct Pdb_ToolReadOptions {
  bool update = false; /* derive the HDL kinds of format-version-1 files */
  const Pdb_ReadObserver *observer = nullptr; /* go on past bad lines */
  bool progress = true; /* a progress bar while reading, on a terminal */
};

/*
 * Opens fileName into group, as pdb:open -file would, and makes it usable:
 * a text database is read (stopping at the first bad line unless the
 * observer takes bad lines); a binary image is mapped and verified as a
 * whole.
 *
 * Results:
 *	The database, owned by the group; nullptr with a message in the
 *	interpreter result when the file cannot be opened, read or mapped,
 *	or is bad. With an observer that takes bad lines, a text database
 *	with bad lines is returned, unread (its read flag clear).
 */
Pdb_Database *Pdb_ToolOpenDatabase(Tcl_Interp *interp, Pdb_Group *group,
                                   const char *fileName,
                                   const Pdb_ToolReadOptions &options);

/*
 * Opens every file of withFiles into group first (they stand for the
 * other databases of the group, which references may designate), then
 * fileName. Returns as Pdb_ToolOpenDatabase for fileName, or nullptr when
 * one of withFiles failed.
 */
Pdb_Database *Pdb_ToolOpenWith(Tcl_Interp *interp, Pdb_Group *group,
                               const std::vector<const char *> &withFiles,
                               const char *fileName,
                               const Pdb_ToolReadOptions &options);

/*
 * The group a subcommand opens its databases into. Pdb_ToolEndGroup
 * destroys it, or, when it is the last the process needs, leaves it for
 * the process's exit to reclaim: taking a database of a million parts
 * apart block by block would cost about as much as reading it.
 */
Pdb_Group *Pdb_ToolNewGroup(const char *name);
void Pdb_ToolEndGroup(Pdb_Group *group, bool last);

/*
 * An option of a subcommand: "--name", with what it sets. A flag sets
 * *flag; an option with a value appends it to *values (repeatable) or,
 * with number set, parses it into *number (0 to 1000000).
 */
struct Pdb_ToolOption {
  const char *name;
  bool *flag;
  std::vector<const char *> *values;
  long *number;
};

/*
 * Parses a subcommand's words: the options of table (ended by an entry
 * with a null name) and the other words, which go to files in order.
 * Returns PDB_TOOL_OK, or PDB_TOOL_USAGE after a message on standard
 * error for an unknown option or a missing or bad value.
 */
int Pdb_ToolParseOptions(const Pdb_ToolCommand &command, int argc, char **argv,
                         const Pdb_ToolOption *table,
                         std::vector<const char *> *files);

/* Writes "pdbtool: " and the interpreter result to standard error. */
void Pdb_ToolReportResult(Tcl_Interp *interp);

/* Writes "pdbtool <command>: " and message to standard error; returns
 * PDB_TOOL_USAGE. */
int Pdb_ToolUsageError(const Pdb_ToolCommand &command, const char *message,
                       const char *word = nullptr);

/* True when word is "--help" or "-h". */
bool Pdb_ToolIsHelp(const char *word);

#endif /* TOVPART_TOOL_TOOL_H */
