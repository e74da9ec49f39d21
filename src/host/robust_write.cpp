/*
 * robust_write.cpp --
 *
 *	Replace-on-close writing of a file. The new content goes to a
 *	temporary file in the target's directory: an unnamed one (O_TMPFILE),
 *	given a name only once its content is complete and synced, where the
 *	file system offers it, else a named one (host/temporary_names.h).
 *	The commit renames the temporary over the target and syncs the
 *	directory. A process killed at any moment leaves the old or the new
 *	content under the name; a named temporary that it leaves behind is
 *	removed by the next write of the same target.
 */

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "host/file_names.h"
#include "host/temporary_names.h"
#include "host/tov_host.h"

struct Tov_RobustFile {
  FILE *stream;          /* the stream on fd; nullptr once closed */
  int fd;                /* the temporary file; -1 once closed */
  int writeError;        /* errno of the first failed write; 0 if none */
  bool named;            /* the temporary has a name (in temporary) */
  bool discard;          /* abandoning: the stream's buffer is dropped */
  Tcl_DString name;      /* the name as given (UTF-8), for messages */
  Tcl_DString target;    /* the native name receiving the content */
  Tcl_DString temporary; /* the native name of the temporary, once named */
};

static const char *const ROBUST_MSG_OPEN = "cannot write a new version of \"";
static const char *const ROBUST_MSG_CLOSE = "error writing \"";
static const char *const ROBUST_NOT_REGULAR = "not a regular file";

static const char PROC_FD_DIR[] = "/proc/self/fd";

enum {
  NAME_ATTEMPTS = 100,     /* temporary names tried before giving up */
  STREAM_BUFFER = 1 << 16, /* bytes the stream gathers per write */
  PROC_FD_NAME_SIZE = 48   /* room for "/proc/self/fd/<fd>" */
};

static Tov_RobustFaultHook faultHook = nullptr;

/* The writer's last failure: errno and, where no errno says it, a text. */
static struct {
  int error;
  const char *text;
} lastFailure = {0, nullptr};

static int AskFaultHook(Tov_RobustStep step);
static int RecordFailure(int error, const char *text);
static int OpenTemporary(Tov_RobustFile *handle);
static int CreateNamed(const char *target, Tcl_DString *temporary);
static int LinkUnnamed(Tov_RobustFile *handle);
static bool KeepOwnerAndMode(int fd, const struct stat &info);
static int CommitContent(Tov_RobustFile *handle);
static void DropTemporary(Tov_RobustFile *handle);
static void SyncDirectoryOf(const char *path);
static void FreeHandle(Tov_RobustFile *handle);
static void ReportPosixFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName);
static ssize_t StreamWrite(void *cookie, const char *bytes, size_t count);
static int StreamSeek(void *cookie, off64_t *offset, int whence);
static int StreamClose(void *cookie);

/* The injected errno of step, or 0 (always 0 without a hook). */
static int AskFaultHook(Tov_RobustStep step) {
  return faultHook != nullptr ? faultHook(step) : 0;
}

/* Remembers a failure for Tov_RobustLastFailure; returns error. */
static int RecordFailure(int error, const char *text) {
  lastFailure.error = error;
  lastFailure.text = text;
  errno = error;
  return error;
}

/*
 *----------------------------------------------------------------------
 *
 * CreateNamed --
 *
 *	Creates a new, empty temporary beside target under a name no other
 *	file has, readable and writable as the umask allows.
 *
 * Results:
 *	Its descriptor with its name in *temporary, or -1 with errno set.
 *
 *----------------------------------------------------------------------
 */

static int CreateNamed(const char *target, Tcl_DString *temporary) {
  int fault = AskFaultHook(TOV_ROBUST_CREATE);
  if (fault != 0) {
    errno = fault;
    return -1;
  }
  for (int attempt = 0; attempt < NAME_ATTEMPTS; attempt++) {
    Pdb_FormatTemporaryName(target, temporary);
    int fd = open(Tcl_DStringValue(temporary),
                  O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
}

/*
 *----------------------------------------------------------------------
 *
 * OpenTemporary --
 *
 *	Creates the temporary of handle: unnamed in the target's directory
 *	when the file system offers that and /proc can name it later, else
 *	named beside the target. Its mode is 0666 less the umask, which
 *	open applies.
 *
 * Results:
 *	The descriptor, or -1 with errno set.
 *
 *----------------------------------------------------------------------
 */

static int OpenTemporary(Tov_RobustFile *handle) {
  const char *target = Tcl_DStringValue(&handle->target);
  int fault = AskFaultHook(TOV_ROBUST_UNNAMED);
  if (fault == 0 && access(PROC_FD_DIR, X_OK) == 0) {
    Tcl_DString directory;
    Pdb_CopyDirectoryName(target, &directory);
    int fd = open(Tcl_DStringValue(&directory),
                  O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    Tcl_DStringFree(&directory);
    if (fd >= 0) {
      handle->named = false;
      return fd;
    }
  }
  handle->named = true;
  return CreateNamed(target, &handle->temporary);
}

/*
 *----------------------------------------------------------------------
 *
 * LinkUnnamed --
 *
 *	Gives the unnamed temporary, complete and synced, a name beside the
 *	target so that it can be renamed over it.
 *
 * Results:
 *	0, or an errno.
 *
 *----------------------------------------------------------------------
 */

static int LinkUnnamed(Tov_RobustFile *handle) {
  int fault = AskFaultHook(TOV_ROBUST_LINK);
  if (fault != 0) {
    return fault;
  }
  char source[PROC_FD_NAME_SIZE];
  snprintf(source, sizeof(source), "%s/%d", PROC_FD_DIR, handle->fd);
  for (int attempt = 0; attempt < NAME_ATTEMPTS; attempt++) {
    Pdb_FormatTemporaryName(Tcl_DStringValue(&handle->target),
                            &handle->temporary);
    if (linkat(AT_FDCWD, source, AT_FDCWD, Tcl_DStringValue(&handle->temporary),
               AT_SYMLINK_FOLLOW) == 0) {
      handle->named = true;
      return 0;
    }
    if (errno != EEXIST) {
      return errno;
    }
  }
  return EEXIST;
}

/*
 *----------------------------------------------------------------------
 *
 * StreamWrite, StreamSeek, StreamClose --
 *
 *	The stream functions of the temporary: writes retried until all
 *	bytes are out, the first failure remembered; seeks on the
 *	descriptor; the close closes it. While the handle is abandoned,
 *	writes are dropped.
 *
 *----------------------------------------------------------------------
 */

static ssize_t StreamWrite(void *cookie, const char *bytes, size_t count) {
  Tov_RobustFile *handle = static_cast<Tov_RobustFile *>(cookie);
  if (handle->discard) {
    return static_cast<ssize_t>(count);
  }
  size_t done = 0;
  while (done < count) {
    int fault = AskFaultHook(TOV_ROBUST_WRITE);
    ssize_t written = -1;
    if (fault != 0) {
      errno = fault;
    } else {
      written = write(handle->fd, bytes + done, count - done);
    }
    if (written < 0 && errno == EINTR && fault == 0) {
      continue;
    }
    if (written <= 0) {
      int error = written == 0 ? ENOSPC : errno;
      if (handle->writeError == 0) {
        handle->writeError = error;
      }
      RecordFailure(error, nullptr);
      break;
    }
    done += static_cast<size_t>(written);
  }
  return static_cast<ssize_t>(done);
}

static int StreamSeek(void *cookie, off64_t *offset, int whence) {
  Tov_RobustFile *handle = static_cast<Tov_RobustFile *>(cookie);
  off_t at = lseek(handle->fd, *offset, whence);
  if (at < 0) {
    return -1;
  }
  *offset = at;
  return 0;
}

static int StreamClose(void *cookie) {
  Tov_RobustFile *handle = static_cast<Tov_RobustFile *>(cookie);
  int status = close(handle->fd);
  handle->fd = -1;
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * KeepOwnerAndMode --
 *
 *	Gives the temporary the permission bits of the file it replaces, and
 *	its owner and group where this process may (best effort: a group
 *	the user is not in stays the user's own).
 *
 * Results:
 *	False with errno set when the permission bits cannot be set.
 *
 *----------------------------------------------------------------------
 */

static bool KeepOwnerAndMode(int fd, const struct stat &info) {
  (void)fchown(fd, info.st_uid, static_cast<gid_t>(-1));
  (void)fchown(fd, static_cast<uid_t>(-1), info.st_gid);
  return fchmod(fd, info.st_mode & 07777) == 0;
}

/*
 *----------------------------------------------------------------------
 *
 * CommitContent --
 *
 *	Puts the written content under the target: writes out what the
 *	stream holds, syncs it, names an unnamed temporary, closes it and
 *	renames it over the target.
 *
 * Results:
 *	0, or the errno of the step that failed.
 *
 * Side effects:
 *	Closes the stream in every case.
 *
 *----------------------------------------------------------------------
 */

static int CommitContent(Tov_RobustFile *handle) {
  if (fflush(handle->stream) != 0 || ferror(handle->stream)) {
    return handle->writeError != 0 ? handle->writeError : EIO;
  }
  int fault = AskFaultHook(TOV_ROBUST_SYNC);
  if (fault != 0 || fsync(handle->fd) != 0) {
    return fault != 0 ? fault : errno;
  }
  if (!handle->named) {
    int error = LinkUnnamed(handle);
    if (error != 0) {
      return error;
    }
  }
  fault = AskFaultHook(TOV_ROBUST_CLOSE);
  int closed = fclose(handle->stream);
  handle->stream = nullptr;
  if (fault != 0 || closed != 0) {
    return fault != 0 ? fault : errno;
  }
  fault = AskFaultHook(TOV_ROBUST_RENAME);
  if (fault != 0 || rename(Tcl_DStringValue(&handle->temporary),
                           Tcl_DStringValue(&handle->target)) != 0) {
    return fault != 0 ? fault : errno;
  }
  handle->named = false;
  return 0;
}

/* Closes the stream (dropping what it holds) and removes a named
 * temporary. */
static void DropTemporary(Tov_RobustFile *handle) {
  if (handle->stream != nullptr) {
    handle->discard = true;
    fclose(handle->stream);
    handle->stream = nullptr;
  } else if (handle->fd >= 0) {
    close(handle->fd);
    handle->fd = -1;
  }
  if (handle->named) {
    unlink(Tcl_DStringValue(&handle->temporary));
    handle->named = false;
  }
}

/*
 * Syncs the directory that holds path, so that a rename in it is durable.
 * Best effort: the rename has already put the new content in place.
 */
static void SyncDirectoryOf(const char *path) {
  Tcl_DString directory;
  Pdb_CopyDirectoryName(path, &directory);
  int fd =
      open(Tcl_DStringValue(&directory), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  Tcl_DStringFree(&directory);
  if (fd >= 0) {
    (void)fsync(fd);
    close(fd);
  }
}

static void FreeHandle(Tov_RobustFile *handle) {
  Tcl_DStringFree(&handle->name);
  Tcl_DStringFree(&handle->target);
  Tcl_DStringFree(&handle->temporary);
  free(handle);
}

/*
 * Sets the result to text + fileName + "\": " + the reason of the last
 * failure, when there is an interpreter, and leaves errno at its errno.
 */
static void ReportPosixFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName) {
  if (interp != nullptr) {
    Tcl_ResetResult(interp);
    const char *reason = Tov_RobustFailureText(interp);
    Tcl_AppendResult(interp, text, fileName, "\": ", reason, (char *)nullptr);
  }
  errno = lastFailure.error;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFopenForWrite --
 *
 *	Starts a new version of fileName (UTF-8): follows symbolic links to
 *	the file that is to receive it, refuses an existing target that is
 *	not a regular file, removes stale temporaries of the target, and
 *	opens a stream on a new temporary file with the permission bits the
 *	target has (0666 less the umask for a new one). The target itself is
 *	not touched.
 *
 * Results:
 *	The handle, or NULL with errno set, the failure remembered for
 *	Tov_RobustLastFailure and, with an interpreter, a message in its
 *	result.
 *
 * Side effects:
 *	Creates the temporary file; may remove stale ones.
 *
 *----------------------------------------------------------------------
 */

Tov_RobustFile *Tov_RobustFopenForWrite(Tcl_Interp *interp,
                                        const char *fileName) {
  Tov_RobustFile *handle =
      static_cast<Tov_RobustFile *>(calloc(1, sizeof(Tov_RobustFile)));
  if (handle == nullptr) {
    RecordFailure(ENOMEM, nullptr);
    ReportPosixFailure(interp, ROBUST_MSG_OPEN, fileName);
    return nullptr;
  }
  handle->fd = -1;
  Tcl_DStringInit(&handle->name);
  Tcl_DStringInit(&handle->temporary);
  Tcl_DStringAppend(&handle->name, fileName, -1);

  Tcl_DString native;
  bool resolved = Pdb_ResolveLinkTarget(Pdb_MakeNativeName(fileName, &native),
                                        &handle->target);
  int error = errno;
  Tcl_DStringFree(&native);
  struct stat info;
  bool exists = resolved && stat(Tcl_DStringValue(&handle->target), &info) == 0;
  if (!resolved) {
    RecordFailure(error, nullptr);
  } else if (exists && !S_ISREG(info.st_mode)) {
    RecordFailure(EINVAL, ROBUST_NOT_REGULAR);
  } else {
    Pdb_RemoveStaleTemporaries(Tcl_DStringValue(&handle->target));
    handle->fd = OpenTemporary(handle);
    if (handle->fd < 0) {
      RecordFailure(errno, nullptr);
    } else if (exists && !KeepOwnerAndMode(handle->fd, info)) {
      RecordFailure(errno, nullptr);
    } else {
      cookie_io_functions_t functions = {nullptr, StreamWrite, StreamSeek,
                                         StreamClose};
      handle->stream = fopencookie(handle, "wb", functions);
      if (handle->stream == nullptr) {
        RecordFailure(errno, nullptr);
      } else {
        setvbuf(handle->stream, nullptr, _IOFBF, STREAM_BUFFER);
        return handle;
      }
    }
  }
  DropTemporary(handle);
  ReportPosixFailure(interp, ROBUST_MSG_OPEN, fileName);
  FreeHandle(handle);
  errno = lastFailure.error;
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_GetFilePtr --
 *
 *	Gives the stream that receives the new content of a replace-on-close
 *	write; writes to it are buffered and checked, and the first failure is
 *	reported by Tov_RobustFcloseForWrite.
 *
 * Results:
 *	The stream; NULL for a NULL handle.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

FILE *Tov_GetFilePtr(Tov_RobustFile *handle) {
  return handle != nullptr ? handle->stream : nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFcloseForWrite --
 *
 *	Commits the written content: writes out and syncs the temporary,
 *	names it if it is unnamed, closes it, renames it over the target and
 *	syncs the directory. Any failure (a failed write of the stream
 *	included) removes the temporary and leaves the target as it was.
 *
 * Results:
 *	0 when the new content is in place; non-zero with errno set, the
 *	failure remembered for Tov_RobustLastFailure and, with an
 *	interpreter, a message in its result otherwise. The handle is
 *	released in either case.
 *
 * Side effects:
 *	Replaces the target's content.
 *
 *----------------------------------------------------------------------
 */

int Tov_RobustFcloseForWrite(Tcl_Interp *interp, Tov_RobustFile *handle) {
  if (handle == nullptr) {
    RecordFailure(EINVAL, nullptr);
    ReportPosixFailure(interp, ROBUST_MSG_CLOSE, "");
    return 1;
  }
  int error = CommitContent(handle);
  if (error != 0) {
    RecordFailure(error, nullptr);
    DropTemporary(handle);
    ReportPosixFailure(interp, ROBUST_MSG_CLOSE,
                       Tcl_DStringValue(&handle->name));
    FreeHandle(handle);
    errno = error;
    return 1;
  }
  SyncDirectoryOf(Tcl_DStringValue(&handle->target));
  FreeHandle(handle);
  return 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFabandonForWrite --
 *
 *	Drops the new content of a replace-on-close write: the buffered bytes
 *	are discarded and the temporary file is closed and removed. A NULL
 *	handle is ignored.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Releases the handle; the target stays as it was; errno is kept.
 *
 *----------------------------------------------------------------------
 */

void Tov_RobustFabandonForWrite(Tov_RobustFile *handle) {
  if (handle == nullptr) {
    return;
  }
  int error = errno;
  DropTemporary(handle);
  FreeHandle(handle);
  errno = error;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustLastFailure --
 *
 *	Tells why the writer's last failure (a failed open, commit or write of
 *	the stream) happened.
 *
 * Results:
 *	Its errno; in *textPtr the writer's own text where no system error
 *	describes it ("not a regular file"), else NULL.
 *
 * Side effects:
 *	Sets errno to the failure's errno.
 *
 *----------------------------------------------------------------------
 */

int Tov_RobustLastFailure(const char **textPtr) {
  *textPtr = lastFailure.text;
  errno = lastFailure.error;
  return lastFailure.error;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustFailureText --
 *
 *	Gives the reason of the writer's last failure for a message.
 *
 * Results:
 *	The writer's own text, or the system's text of its errno.
 *
 * Side effects:
 *	For a system error, Tcl_PosixError sets interp's error code to the
 *	POSIX one.
 *
 *----------------------------------------------------------------------
 */

const char *Tov_RobustFailureText(Tcl_Interp *interp) {
  const char *text = nullptr;
  int error = Tov_RobustLastFailure(&text);
  if (text != nullptr) {
    return text;
  }
  errno = error;
  return Tcl_PosixError(interp);
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_RobustSetFaultHook --
 *
 *	For tests only: installs a hook that the writer asks before every
 *	step; a non-zero answer makes that step fail with that errno. NULL
 *	removes the hook.
 *
 * Results:
 *	The hook it replaces.
 *
 * Side effects:
 *	Every later write asks the new hook.
 *
 *----------------------------------------------------------------------
 */

Tov_RobustFaultHook Tov_RobustSetFaultHook(Tov_RobustFaultHook hook) {
  Tov_RobustFaultHook previous = faultHook;
  faultHook = hook;
  return previous;
}
