/*
 * open_files.h --
 *
 *	Finding and opening the file of each kind of database for pdb:open:
 *	the user database, the site database, the library databases and any
 *	named file. Each returns the open stream and the name under which the
 *	database is to be known.
 */

#ifndef TOVPART_OPEN_OPEN_FILES_H
#define TOVPART_OPEN_OPEN_FILES_H

#include <cstdio>
#include <tcl.h>

class Pdb_Group;

/*
 * Each function opens its database's file. On success it returns the
 * stream and leaves the database's name in *name (initialised by the
 * function); on failure it returns nullptr with the open-failure message
 * in the result and *name freed.
 */
FILE *Pdb_OpenUserFile(Tcl_Interp *interp, Pdb_Group *group, Tcl_DString *name);
FILE *Pdb_OpenSiteFile(Tcl_Interp *interp, Pdb_Group *group,
                       const char *dbOption, Tcl_DString *name);
FILE *Pdb_OpenLibraryFile(Tcl_Interp *interp, Pdb_Group *group,
                          const char *libraryFile, Tcl_DString *name);
FILE *Pdb_OpenNamedFile(Tcl_Interp *interp, Pdb_Group *group, const char *given,
                        Tcl_DString *name);

#endif /* TOVPART_OPEN_OPEN_FILES_H */
