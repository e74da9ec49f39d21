/*
 * report_file.h --
 *
 *	Reports that commands write to a file named by the script (pdb:print
 *	-file, pdb:hide -file), through the one replace-on-close writer, with
 *	the failure messages they share.
 */

#ifndef TOVPART_SHELL_REPORT_FILE_H
#define TOVPART_SHELL_REPORT_FILE_H

#include <cstdio>
#include <functional>
#include <tcl.h>

/*
 * Pdb_WriteReportFile --
 *
 *	Resets the result and writes a report to the file fileName (UTF-8):
 *	write(out) fills the stream, and the file then holds either its old
 *	content or the whole report, never a part of it.
 *
 * Results:
 *	TCL_OK with done and the file name as the result, or TCL_ERROR with
 *	"Cannot open file \"name\" for writing: reason" or "Cannot write
 *	file \"name\": reason".
 *
 * Side effects:
 *	Replaces or creates the file.
 */
int Pdb_WriteReportFile(Tcl_Interp *interp, const char *fileName,
                        const char *done,
                        const std::function<void(FILE *)> &write);

#endif /* TOVPART_SHELL_REPORT_FILE_H */
