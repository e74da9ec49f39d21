/*
 * temporary_names.h --
 *
 *	The names the replace-on-close writer works with: the file a name
 *	leads to through symbolic links, the directory holding it, and the
 *	temporaries made beside it ("<target base>.tmp-tov.<pid>.<serial>"),
 *	with the removal of those that killed processes left behind.
 */

#ifndef TOVPART_HOST_TEMPORARY_NAMES_H
#define TOVPART_HOST_TEMPORARY_NAMES_H

#include <tcl.h>

/* Follows the symbolic links of nativeName to the file that gets the
 * content; false with errno set on an unreadable or too long chain. */
bool Pdb_ResolveLinkTarget(const char *nativeName, Tcl_DString *target);

/* The last component of path. */
const char *Pdb_FindBaseName(const char *path);

/* The directory holding path into *directory (initialised here). */
void Pdb_CopyDirectoryName(const char *path, Tcl_DString *directory);

/* A fresh temporary name beside target into *temporary (reset here). */
void Pdb_FormatTemporaryName(const char *target, Tcl_DString *temporary);

/* Removes the temporaries of target that dead processes left. */
void Pdb_RemoveStaleTemporaries(const char *target);

#endif /* TOVPART_HOST_TEMPORARY_NAMES_H */
