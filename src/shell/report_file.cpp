/*
 * report_file.cpp --
 *
 *	Writing a command's report to a file through the replace-on-close
 *	writer.
 */

#include "shell/report_file.h"

#include "host/tov_host.h"

static const char *const REPORT_MSG_CANNOT_OPEN = "Cannot open file \"";
static const char *const REPORT_MSG_FOR_WRITING = "\" for writing: ";
static const char *const REPORT_MSG_CANNOT_WRITE = "Cannot write file \"";

/*
 *----------------------------------------------------------------------
 *
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
 *
 *----------------------------------------------------------------------
 */

int Pdb_WriteReportFile(Tcl_Interp *interp, const char *fileName,
                        const char *done,
                        const std::function<void(FILE *)> &write) {
  Tcl_ResetResult(interp);
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(nullptr, fileName);
  if (handle == nullptr) {
    Tcl_AppendResult(interp, REPORT_MSG_CANNOT_OPEN, fileName,
                     REPORT_MSG_FOR_WRITING, Tov_RobustFailureText(interp),
                     (char *)nullptr);
    return TCL_ERROR;
  }
  FILE *out = Tov_GetFilePtr(handle);
  write(out);
  if (std::ferror(out) != 0) {
    const char *reason = Tov_RobustFailureText(interp);
    Tov_RobustFabandonForWrite(handle);
    Tcl_AppendResult(interp, REPORT_MSG_CANNOT_WRITE, fileName, "\": ", reason,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (Tov_RobustFcloseForWrite(nullptr, handle) != 0) {
    Tcl_AppendResult(interp, REPORT_MSG_CANNOT_WRITE, fileName,
                     "\": ", Tov_RobustFailureText(interp), (char *)nullptr);
    return TCL_ERROR;
  }
  Tcl_AppendResult(interp, done, fileName, (char *)nullptr);
  return TCL_OK;
}
