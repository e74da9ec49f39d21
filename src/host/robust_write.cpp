/*
 * robust_write.cpp --
 *
 *	Replace-on-close writing of a file: the new content goes to a
 *	temporary file in the target's directory, which is synced and renamed
 *	over the target only when the writer commits. A crash at any moment
 *	leaves either the old or the new file under the target's name.
 */

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/tov_host.h"

struct Tov_RobustFile {
  FILE *stream;    /* open on the temporary file */
  char *target;    /* the name the content goes under (links resolved) */
  char *temporary; /* the temporary file beside it */
  mode_t mode;     /* permission bits the new file gets */
};

static const char *const ROBUST_MSG_OPEN = "cannot write a new version of \"";
static const char *const ROBUST_MSG_CLOSE = "error writing \"";

static char *ResolveTarget(const char *fileName);
static mode_t TargetMode(const char *target);
static void SyncDirectoryOf(const char *path);
static void FreeHandle(Tov_RobustFile *handle);
static void PosixFailure(Tcl_Interp *interp, const char *text,
                         const char *fileName, int savedErrno);

/*
 * The name to write: fileName itself, or the file a symbolic link named
 * fileName points to, so that the link survives. Heap copy; nullptr when
 * out of memory.
 */

static char *ResolveTarget(const char *fileName) {
  struct stat info;
  if (lstat(fileName, &info) == 0 && S_ISLNK(info.st_mode)) {
    char *resolved = realpath(fileName, nullptr);
    if (resolved != nullptr) {
      return resolved;
    }
  }
  return zq_strdup(fileName);
}

/* The old file's permission bits, or 0666 less the umask for a new one. */

static mode_t TargetMode(const char *target) {
  struct stat info;
  if (stat(target, &info) == 0) {
    return info.st_mode & 07777;
  }
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

/*
 * Syncs the directory that holds path, so that a rename in it is durable.
 * Best effort: the rename has already put the new content in place.
 */

static void SyncDirectoryOf(const char *path) {
  const char *slash = strrchr(path, '/');
  char *directory = nullptr;
  if (slash == nullptr) {
    directory = zq_strdup(".");
  } else if (slash == path) {
    directory = zq_strdup("/");
  } else {
    directory = zq_strdup(path);
    if (directory != nullptr) {
      directory[slash - path] = '\0';
    }
  }
  if (directory == nullptr) {
    return;
  }
  int fd = open(directory, O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    (void)fsync(fd);
    close(fd);
  }
  free(directory);
}

static void FreeHandle(Tov_RobustFile *handle) {
  free(handle->target);
  free(handle->temporary);
  free(handle);
}

/*
 * Sets the result to text + fileName + "\": " + the message of savedErrno,
 * with Tcl's POSIX error code, and leaves errno at savedErrno.
 */

static void PosixFailure(Tcl_Interp *interp, const char *text,
                         const char *fileName, int savedErrno) {
  if (interp != nullptr) {
    Tcl_ResetResult(interp);
    errno = savedErrno;
    const char *reason = Tcl_PosixError(interp);
    Tcl_AppendResult(interp, text, fileName, "\": ", reason, (char *)nullptr);
  }
  errno = savedErrno;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFopenForWrite --
 *
 *	Creates the temporary file "<target>.XXXXXX" beside the target, with
 *	the permission bits the target will keep, and opens a stream on it.
 *	The target itself is not touched.
 *
 * Results:
 *	The handle, or NULL with errno set and a message in the result.
 *
 *----------------------------------------------------------------------
 */

Tov_RobustFile *Tov_RobustFopenForWrite(Tcl_Interp *interp,
                                        const char *fileName) {
  Tov_RobustFile *handle =
      static_cast<Tov_RobustFile *>(calloc(1, sizeof(Tov_RobustFile)));
  if (handle == nullptr) {
    PosixFailure(interp, ROBUST_MSG_OPEN, fileName, ENOMEM);
    return nullptr;
  }
  handle->target = ResolveTarget(fileName);
  size_t length = handle->target ? strlen(handle->target) : 0;
  handle->temporary =
      handle->target ? static_cast<char *>(malloc(length + 8)) : nullptr;
  if (handle->temporary == nullptr) {
    FreeHandle(handle);
    PosixFailure(interp, ROBUST_MSG_OPEN, fileName, ENOMEM);
    return nullptr;
  }
  memcpy(handle->temporary, handle->target, length);
  memcpy(handle->temporary + length, ".XXXXXX", 8);
  handle->mode = TargetMode(handle->target);

  int fd = mkstemp(handle->temporary);
  if (fd < 0) {
    int saved = errno;
    FreeHandle(handle);
    PosixFailure(interp, ROBUST_MSG_OPEN, fileName, saved);
    return nullptr;
  }
  if (fchmod(fd, handle->mode) != 0 ||
      (handle->stream = fdopen(fd, "wb")) == nullptr) {
    int saved = errno;
    close(fd);
    unlink(handle->temporary);
    FreeHandle(handle);
    PosixFailure(interp, ROBUST_MSG_OPEN, fileName, saved);
    return nullptr;
  }
  return handle;
}

/* The stream to write the new content to; NULL for a NULL handle. */

FILE *Tov_GetFilePtr(Tov_RobustFile *handle) {
  return handle != nullptr ? handle->stream : nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFcloseForWrite --
 *
 *	Commits the written content: flushes and syncs the temporary file,
 *	closes it, renames it over the target and syncs the directory. Any
 *	failure before the rename (a write error of the stream included)
 *	removes the temporary file and leaves the target as it was.
 *
 * Results:
 *	0 when the new content is in place; non-zero with errno set and a
 *	message in the interpreter result otherwise. The handle is released
 *	in either case.
 *
 *----------------------------------------------------------------------
 */

int Tov_RobustFcloseForWrite(Tcl_Interp *interp, Tov_RobustFile *handle) {
  if (handle == nullptr) {
    PosixFailure(interp, ROBUST_MSG_CLOSE, "", EINVAL);
    return 1;
  }
  FILE *stream = handle->stream;
  handle->stream = nullptr;
  int failure = 0;

  if (fflush(stream) != 0) {
    failure = errno;
  } else if (ferror(stream)) {
    failure = EIO;
  } else if (fsync(fileno(stream)) != 0) {
    failure = errno;
  }
  if (fclose(stream) != 0 && failure == 0) {
    failure = errno;
  }
  if (failure == 0 && rename(handle->temporary, handle->target) != 0) {
    failure = errno;
  }
  if (failure != 0) {
    unlink(handle->temporary);
    PosixFailure(interp, ROBUST_MSG_CLOSE, handle->target, failure);
    FreeHandle(handle);
    return 1;
  }
  SyncDirectoryOf(handle->target);
  FreeHandle(handle);
  return 0;
}

/* Drops the new content: closes and removes the temporary file. */

void Tov_RobustFabandonForWrite(Tov_RobustFile *handle) {
  if (handle == nullptr) {
    return;
  }
  if (handle->stream != nullptr) {
    fclose(handle->stream);
  }
  unlink(handle->temporary);
  FreeHandle(handle);
}
