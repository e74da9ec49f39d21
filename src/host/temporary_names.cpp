/*
 * temporary_names.cpp --
 *
 *	Names for the replace-on-close writer: following symbolic links to
 *	the file that receives the content, the directory of a name, and
 *	the temporaries beside a target, named so that the next write of the
 *	same target can tell which of them a killed process left.
 */

#include "host/temporary_names.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

/* A temporary is named <target base>.tmp-tov.<pid>.<serial>. */
static const char TEMPORARY_TAG[] = ".tmp-tov.";

enum {
  MAX_LINK_HOPS = 40, /* symbolic links followed before ELOOP */
  SUFFIX_ROOM = 32    /* bytes of a name the tag, pid and serial take */
};

static unsigned temporarySerial = 0;

static size_t MeasureTemporaryBase(const char *base);
static bool IsStaleTemporary(const char *entry, const char *base,
                             size_t baseLength);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveLinkTarget --
 *
 *	Follows the symbolic links that nativeName leads through (at most
 *	MAX_LINK_HOPS, relative ones against the link's directory), so that the
 *	content replaces the file a link points to and the link stays. A link
 *	whose file does not exist yet leads to that file's name.
 *
 * Results:
 *	True with the name in *target, which is initialised here and freed by
 *	the caller in either case; false with errno set when a link cannot be
 *	read or the chain is too long.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ResolveLinkTarget(const char *nativeName, Tcl_DString *target) {
  Tcl_DStringInit(target);
  Tcl_DStringAppend(target, nativeName, -1);
  for (int hop = 0;; hop++) {
    struct stat info;
    if (lstat(Tcl_DStringValue(target), &info) != 0) {
      return errno == ENOENT;
    }
    if (!S_ISLNK(info.st_mode)) {
      return true;
    }
    if (hop == MAX_LINK_HOPS) {
      errno = ELOOP;
      return false;
    }
    char link[PATH_MAX];
    ssize_t length = readlink(Tcl_DStringValue(target), link, sizeof(link));
    if (length < 0) {
      return false;
    }
    if (static_cast<size_t>(length) == sizeof(link)) {
      errno = ENAMETOOLONG;
      return false;
    }
    if (link[0] == '/') {
      Tcl_DStringSetLength(target, 0);
    } else {
      const char *current = Tcl_DStringValue(target);
      Tcl_DStringSetLength(
          target, static_cast<int>(Pdb_FindBaseName(current) - current));
    }
    Tcl_DStringAppend(target, link, static_cast<int>(length));
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FindBaseName --
 *
 *	Finds the last component of path.
 *
 * Results:
 *	A pointer into path: after its last slash, or path itself.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_FindBaseName(const char *path) {
  const char *slash = strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CopyDirectoryName --
 *
 *	Copies the name of the directory holding path: "." for a bare name,
 *	"/" for a name at the top.
 *
 * Results:
 *	The name in *directory, which is initialised here and freed by the
 *	caller.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_CopyDirectoryName(const char *path, Tcl_DString *directory) {
  Tcl_DStringInit(directory);
  const char *base = Pdb_FindBaseName(path);
  if (base == path) {
    Tcl_DStringAppend(directory, ".", 1);
  } else if (base == path + 1) {
    Tcl_DStringAppend(directory, "/", 1);
  } else {
    Tcl_DStringAppend(directory, path, static_cast<int>(base - path - 1));
  }
}

/* How much of a target's base name its temporaries keep: all of it when
 * the whole temporary name fits in NAME_MAX. */
static size_t MeasureTemporaryBase(const char *base) {
  size_t length = strlen(base);
  return length + SUFFIX_ROOM > NAME_MAX ? NAME_MAX - SUFFIX_ROOM : length;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FormatTemporaryName --
 *
 *	Makes a temporary name beside target: its directory, as much of its
 *	base name as lets the whole name fit in NAME_MAX, TEMPORARY_TAG, this
 *	process's id and a serial number.
 *
 * Results:
 *	The name in *temporary, which is reset here (it must be initialised).
 *
 * Side effects:
 *	Advances the serial, so that every call gives a fresh name.
 *
 *----------------------------------------------------------------------
 */

void Pdb_FormatTemporaryName(const char *target, Tcl_DString *temporary) {
  const char *base = Pdb_FindBaseName(target);
  char suffix[SUFFIX_ROOM];
  snprintf(suffix, sizeof(suffix), "%ld.%u", static_cast<long>(getpid()),
           temporarySerial++);
  Tcl_DStringSetLength(temporary, 0);
  Tcl_DStringAppend(temporary, target, static_cast<int>(base - target));
  Tcl_DStringAppend(temporary, base,
                    static_cast<int>(MeasureTemporaryBase(base)));
  Tcl_DStringAppend(temporary, TEMPORARY_TAG, -1);
  Tcl_DStringAppend(temporary, suffix, -1);
}

/*
 *----------------------------------------------------------------------
 *
 * IsStaleTemporary --
 *
 *	Whether the directory entry is a temporary of the target whose base
 *	name (as temporaries keep it) is base, left by a process that no
 *	longer runs. Temporaries of running processes, this one included,
 *	are in use.
 *
 *----------------------------------------------------------------------
 */

static bool IsStaleTemporary(const char *entry, const char *base,
                             size_t baseLength) {
  size_t tagLength = sizeof(TEMPORARY_TAG) - 1;
  if (strncmp(entry, base, baseLength) != 0 ||
      strncmp(entry + baseLength, TEMPORARY_TAG, tagLength) != 0) {
    return false;
  }
  const char *digits = entry + baseLength + tagLength;
  char *end = nullptr;
  errno = 0;
  long pid = strtol(digits, &end, 10);
  if (end == digits || *end != '.' || errno != 0 || pid <= 0 || pid > INT_MAX) {
    return false;
  }
  const char *serial = end + 1;
  if (*serial == '\0' || strspn(serial, "0123456789") != strlen(serial)) {
    return false;
  }
  if (pid == static_cast<long>(getpid())) {
    return false;
  }
  return kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_RemoveStaleTemporaries --
 *
 *	Removes the temporaries of target that killed processes left in its
 *	directory. Temporaries of running processes, this one included, stay.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Unlinks files; best effort: what cannot be listed or removed stays.
 *
 *----------------------------------------------------------------------
 */

void Pdb_RemoveStaleTemporaries(const char *target) {
  Tcl_DString directory;
  Pdb_CopyDirectoryName(target, &directory);
  DIR *listing = opendir(Tcl_DStringValue(&directory));
  Tcl_DStringFree(&directory);
  if (listing == nullptr) {
    return;
  }
  const char *base = Pdb_FindBaseName(target);
  size_t baseLength = MeasureTemporaryBase(base);
  while (struct dirent *entry = readdir(listing)) {
    if (IsStaleTemporary(entry->d_name, base, baseLength)) {
      (void)unlinkat(dirfd(listing), entry->d_name, 0);
    }
  }
  closedir(listing);
}
