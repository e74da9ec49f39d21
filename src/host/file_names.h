/*
 * file_names.h --
 *
 *	File names between Tcl and the system: the module keeps and shows
 *	names in Tcl's UTF-8 and hands the system its own encoding, as Tcl's
 *	file commands do; and the absolute form of a name relative to the
 *	current directory.
 */

#ifndef TOVPART_HOST_FILE_NAMES_H
#define TOVPART_HOST_FILE_NAMES_H

#include <tcl.h>

/*
 * Converts a file name from UTF-8 to the system encoding (the encoding
 * Tcl's own file commands use for names).
 */
const char *Pdb_MakeNativeName(const char *name, Tcl_DString *native);

/*
 * Converts a file name that came from the system (an environment variable,
 * a directory search) from the system encoding to UTF-8.
 */
const char *Pdb_MakeUtfName(const char *nativeName, Tcl_DString *utf);

/*
 * The absolute form of a UTF-8 file name: a relative one joined to the
 * current directory.
 */
const char *Pdb_MakeAbsoluteName(const char *name, Tcl_DString *absolute);

#endif /* TOVPART_HOST_FILE_NAMES_H */
