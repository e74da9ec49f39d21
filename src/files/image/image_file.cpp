/*
 * image_file.cpp --
 *
 *	Writes a laid-out binary image to its file through the host's
 *	replace-on-close writer. The format byte and version go first, then
 *	the structures, then the two header words that locate the part list
 *	and the tree; only a complete, synced file is renamed over the name,
 *	so a reader that has the old image mapped keeps it whole and an
 *	interrupted write leaves neither a half image nor a temporary file.
 */

#include "files/image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/image/image_buffer.h"
#include "files/image/image_format.h"
#include "host/tov_host.h"

static const char *const MSG_OPEN = "Unable to open output file";
static const char *const MSG_SEEK_FORMAT = "lseek 1 failed";
static const char *const MSG_WRITE_FORMAT =
    "Cannot write format to binary file";
static const char *const MSG_SEEK_VERSION = "lseek 2 failed";
static const char *const MSG_WRITE_VERSION =
    "Cannot write formatVer to binary file";
static const char *const MSG_WRITE = PDB_MSG_CANNOT_WRITE_IMAGE;

static bool WriteAt(FILE *stream, const unsigned char *bytes, std::size_t count,
                    off_t offset, const char **failure, const char *seekMsg,
                    const char *writeMsg);
static int ReportStepFailure(Tcl_Interp *interp, const char *perrorText,
                             const char *resultText, const char *fileName,
                             int error, const char *ownText);
static int ReportWriterFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName);

/*
 *----------------------------------------------------------------------
 *
 * WriteAt --
 *
 *	Seeks the stream to offset and writes count bytes there, flushed so
 *	that a failure shows at its own step. Returns true when all went
 *	out; else false with errno set and *failure naming the step (seekMsg
 *	or writeMsg).
 *
 *----------------------------------------------------------------------
 */

static bool WriteAt(FILE *stream, const unsigned char *bytes, std::size_t count,
                    off_t offset, const char **failure, const char *seekMsg,
                    const char *writeMsg) {
  if (fseeko(stream, offset, SEEK_SET) != 0) {
    *failure = seekMsg;
    return false;
  }
  if (std::fwrite(bytes, 1, count, stream) != count ||
      std::fflush(stream) != 0) {
    *failure = writeMsg;
    return false;
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * ReportStepFailure --
 *
 *	Reports a failed step: "perrorText: reason" on standard error, and
 *	resultText "\"fileName\": " and the reason as the interpreter
 *	result. The reason is ownText when given, else the system's text of
 *	error (POSIX error code set). Returns TCL_ERROR.
 *
 *----------------------------------------------------------------------
 */

static int ReportStepFailure(Tcl_Interp *interp, const char *perrorText,
                             const char *resultText, const char *fileName,
                             int error, const char *ownText) {
  std::fprintf(stderr, "%s: %s\n", perrorText,
               ownText != nullptr ? ownText : std::strerror(error));
  std::fflush(stderr);
  Tcl_ResetResult(interp);
  errno = error;
  Tcl_AppendResult(interp, resultText, " \"", fileName, "\": ",
                   ownText != nullptr ? ownText : Tcl_PosixError(interp),
                   (char *)nullptr);
  return TCL_ERROR;
}

/* ReportStepFailure with the reason of the writer's last failure. */
static int ReportWriterFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName) {
  const char *ownText = nullptr;
  int error = Tov_RobustLastFailure(&ownText);
  return ReportStepFailure(interp, text, text, fileName, error, ownText);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WriteImageFile --
 *
 *	Writes image to fileName (UTF-8, used as given otherwise) through the
 *	replace-on-close writer: a symbolic link keeps pointing at the file
 *	that receives the image, an existing file keeps its permission bits,
 *	a new one gets 0666 less the umask, and an existing name that is not
 *	a regular file is refused.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with "Unable to open output file \"name\": " or
 *	"Cannot write binary file \"name\": " and the reason in the result.
 *
 * Side effects:
 *	Replaces the file. A failure writes a perror-style line naming the
 *	step to standard error and leaves an existing file untouched and no
 *	temporary file behind.
 *
 *----------------------------------------------------------------------
 */

int Pdb_WriteImageFile(Tcl_Interp *interp, const Pdb_ImageBuffer &image,
                       const char *fileName) {
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(nullptr, fileName);
  if (handle == nullptr) {
    return ReportWriterFailure(interp, MSG_OPEN, fileName);
  }
  FILE *stream = Tov_GetFilePtr(handle);
  const unsigned char *bytes = image.bytes();
  const char *failure = nullptr;
  bool written =
      WriteAt(stream, bytes, 1, 0, &failure, MSG_SEEK_FORMAT,
              MSG_WRITE_FORMAT) &&
      WriteAt(stream, bytes + PDB_IMAGE_VERSION_OFFSET, 4,
              PDB_IMAGE_VERSION_OFFSET, &failure, MSG_SEEK_VERSION,
              MSG_WRITE_VERSION) &&
      WriteAt(stream, bytes + PDB_IMAGE_HEADER_SIZE,
              image.size() - PDB_IMAGE_HEADER_SIZE, PDB_IMAGE_HEADER_SIZE,
              &failure, MSG_WRITE, MSG_WRITE) &&
      WriteAt(stream, bytes + PDB_IMAGE_LIST_OFFSET, 8, PDB_IMAGE_LIST_OFFSET,
              &failure, MSG_WRITE, MSG_WRITE);
  if (!written) {
    int error = errno;
    Tov_RobustFabandonForWrite(handle);
    return ReportStepFailure(interp, failure, MSG_WRITE, fileName, error,
                             nullptr);
  }
  if (Tov_RobustFcloseForWrite(nullptr, handle) != 0) {
    return ReportWriterFailure(interp, MSG_WRITE, fileName);
  }
  return TCL_OK;
}
