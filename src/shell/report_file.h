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
 * Resets the result and writes a report to the file fileName (UTF-8),
 * which holds either its old content or the whole report afterwards.
 */
int Pdb_WriteReportFile(Tcl_Interp *interp, const char *fileName,
                        const char *done,
                        const std::function<void(FILE *)> &write);

#endif /* TOVPART_SHELL_REPORT_FILE_H */
