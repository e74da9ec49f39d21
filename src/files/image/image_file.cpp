/*
 * image_file.cpp --
 *
 *	Writes a laid-out binary image to its file through a temporary file
 *	in the same directory. The format byte and version go first, then the
 *	structures, then the two header words that locate the part list and
 *	the tree; only a complete file is renamed over the name, so a reader
 *	that has the old image mapped keeps it whole and an interrupted write
 *	leaves no half image behind.
 */

#include "files/image/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "files/image/image_buffer.h"
#include "files/image/image_format.h"

static const char *const MSG_OPEN = "Unable to open output file";
static const char *const MSG_SEEK_FORMAT = "lseek 1 failed";
static const char *const MSG_WRITE_FORMAT =
    "Cannot write format to binary file";
static const char *const MSG_SEEK_VERSION = "lseek 2 failed";
static const char *const MSG_WRITE_VERSION =
    "Cannot write formatVer to binary file";
static const char *const MSG_WRITE = "Cannot write binary file";
static const char *const MSG_CLOSE = "Cannot close binary file";
static const char *const MSG_RENAME = "Cannot rename binary file";

static int OpenTemporary(const char *fileName, std::string *tempName);
static bool WriteAt(int fd, const unsigned char *bytes, std::size_t count,
                    off_t offset, const char **failure, const char *seekMsg,
                    const char *writeMsg);
static int Fail(Tcl_Interp *interp, const char *perrorText,
                const char *resultText, const char *fileName, int error);

/*
 * OpenTemporary --
 *
 *	Creates a new, empty file beside fileName whose name no other file
 *	has, readable and writable as the umask allows. Returns its
 *	descriptor and name, or -1 with errno set.
 */
static int OpenTemporary(const char *fileName, std::string *tempName) {
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; attempt++) {
    char suffix[48];
    std::snprintf(suffix, sizeof(suffix), ".tmp%ld.%u",
                  static_cast<long>(getpid()), counter++);
    *tempName = std::string(fileName) + suffix;
    int fd =
        open(tempName->c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

/*
 * WriteAt --
 *
 *	Seeks to offset and writes count bytes there, retrying short writes.
 *	Returns true when all went out; else false with errno set and
 *	*failure naming the step (seekMsg or writeMsg).
 */
static bool WriteAt(int fd, const unsigned char *bytes, std::size_t count,
                    off_t offset, const char **failure, const char *seekMsg,
                    const char *writeMsg) {
  if (lseek(fd, offset, SEEK_SET) != offset) {
    *failure = seekMsg;
    return false;
  }
  while (count > 0) {
    ssize_t written = write(fd, bytes, count);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      if (written == 0) {
        errno = ENOSPC;
      }
      *failure = writeMsg;
      return false;
    }
    bytes += written;
    count -= static_cast<std::size_t>(written);
  }
  return true;
}

/*
 * Fail --
 *
 *	Reports a failed step: "perrorText: system text" on standard error,
 *	and resultText "\"fileName\": " and the POSIX error text (which also
 *	sets the error code) as the interpreter result. Returns TCL_ERROR.
 */
static int Fail(Tcl_Interp *interp, const char *perrorText,
                const char *resultText, const char *fileName, int error) {
  std::fprintf(stderr, "%s: %s\n", perrorText, std::strerror(error));
  std::fflush(stderr);
  Tcl_ResetResult(interp);
  errno = error;
  Tcl_AppendResult(interp, resultText, " \"", fileName,
                   "\": ", Tcl_PosixError(interp), (char *)nullptr);
  return TCL_ERROR;
}

int Pdb_WriteImageFile(Tcl_Interp *interp, const Pdb_ImageBuffer &image,
                       const char *fileName) {
  std::string tempName;
  int fd = OpenTemporary(fileName, &tempName);
  if (fd < 0) {
    return Fail(interp, MSG_OPEN, MSG_OPEN, fileName, errno);
  }

  const unsigned char *bytes = image.bytes();
  const char *failure = nullptr;
  bool written =
      WriteAt(fd, bytes, 1, 0, &failure, MSG_SEEK_FORMAT, MSG_WRITE_FORMAT) &&
      WriteAt(fd, bytes + PDB_IMAGE_VERSION_OFFSET, 4, PDB_IMAGE_VERSION_OFFSET,
              &failure, MSG_SEEK_VERSION, MSG_WRITE_VERSION) &&
      WriteAt(fd, bytes + PDB_IMAGE_HEADER_SIZE,
              image.size() - PDB_IMAGE_HEADER_SIZE, PDB_IMAGE_HEADER_SIZE,
              &failure, MSG_WRITE, MSG_WRITE) &&
      WriteAt(fd, bytes + PDB_IMAGE_LIST_OFFSET, 8, PDB_IMAGE_LIST_OFFSET,
              &failure, MSG_WRITE, MSG_WRITE);
  if (written && fsync(fd) != 0) {
    failure = MSG_WRITE;
    written = false;
  }
  int error = errno;
  if (close(fd) != 0 && written) {
    error = errno;
    failure = MSG_CLOSE;
    written = false;
  }
  if (written && rename(tempName.c_str(), fileName) != 0) {
    error = errno;
    failure = MSG_RENAME;
    written = false;
  }
  if (!written) {
    unlink(tempName.c_str());
    return Fail(interp, failure, MSG_WRITE, fileName, error);
  }
  return TCL_OK;
}
