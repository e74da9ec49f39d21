/*
 * database.cpp --
 *
 *	What every database shares: base construction and destruction,
 *	closing of the database file, the report of an unknown field
 *	selector and the names of the database kinds.
 */

#include <cerrno>

#include "model/database.h"

static const char *const kindNames[] = {"user_build", "user", "site", "veltrum",
                                        "file"};
static const char *const UNKNOWN_KIND = "unknown database type from pdb:info.";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_GetDbKindName --
 *
 *	Names a Pdb_DbKind: "user_build", "user", "site", "veltrum" or
 *	"file".
 *
 * Results:
 *	A static string; for another value the text pdb:info gives for an
 *	unknown kind.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_GetDbKindName(int kind) {
  if (kind < PDB_KIND_USER_BUILD || kind > PDB_KIND_FILE) {
    return UNKNOWN_KIND;
  }
  return kindNames[kind];
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::Pdb_Database --
 *
 *	Base construction: takes over the open file and keeps a copy of the
 *	name, also as the path until pdb:open makes it absolute; not read, no
 *	tree, not binary. pdb:read sets the version.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The database owns file from now on.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database::Pdb_Database(FILE *file, int kind, const char *name)
    : file(file), kind(kind), read(false), version(0), tree(nullptr),
      binary(0) {
  Tcl_DStringInit(&this->name);
  Tcl_DStringAppend(&this->name, name, -1);
  Tcl_DStringInit(&path);
  Tcl_DStringAppend(&path, name, -1);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::~Pdb_Database --
 *
 *	Base destruction, run last by every database's destructor: closes the
 *	file if it is still open and frees the name and the path.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	A failed close is reported on standard error. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

Pdb_Database::~Pdb_Database() {
  closeFile();
  Tcl_DStringFree(&name);
  Tcl_DStringFree(&path);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::setFilePath --
 *
 *	Sets the file that pdb:save writes the database to.
 *
 * Side effects:
 *	Replaces the path; the name stays.
 *
 * Results:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Database::setFilePath(const char *absolute) {
  Tcl_DStringSetLength(&path, 0);
  Tcl_DStringAppend(&path, absolute, -1);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::closeFile --
 *
 *	Closes the database file when it is open. A failure is reported on
 *	standard error as
 *	"Could not close parts database \"<name>\"; error = <ID>(<errno>)".
 *
 * Side effects:
 *	file is null afterwards in every case.
 *
 * Results:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Database::closeFile() {
  if (file == nullptr) {
    return;
  }
  FILE *closing = file;
  file = nullptr;
  if (fclose(closing) != 0) {
    int error = errno;
    fprintf(stderr, "Could not close parts database \"%s\"; error = %s(%d)\n",
            fileName(), Tcl_ErrnoId(), error);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Database::unknownSelector --
 *
 *	Reports a findPartByField selector other than 4 or 5: writes
 *	"ERROR: unkown type <selector>" to standard output.
 *
 * Results:
 *	nullptr, for findPartByField to return.
 *
 * Side effects:
 *	Writes to standard output and flushes it.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_Database::unknownSelector(int selector) {
  fprintf(stdout, "ERROR: unkown type %d\n", selector);
  fflush(stdout);
  return nullptr;
}
