/*
 * spath.cpp --
 *
 *	File search along a colon-separated directory list held in an
 *	environment variable: Tov_Spath and Tov_SpathGetNumElem.
 */

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "host/tov_host.h"

static const char MSG_NO_USABLE_FILE[] = "no usable file \"";
static const char MSG_IN_DIRECTORIES_OF[] = "\" in the directories of ";
static const char MSG_VARIABLE[] = "environment variable ";
static const char MSG_LISTS_NO_DIRECTORY[] = " lists no directory";

static int GetAccessBits(const char *mode);
static bool IsUsableFile(const char *path, int bits);
static char *CheckCandidate(Tcl_Interp *interp, const char *candidate,
                            int bits);

/* The access(2) bits a mode string such as "r" or "rw" asks for. */

static int GetAccessBits(const char *mode) {
  int bits = F_OK;
  for (const char *c = mode; c != nullptr && *c != '\0'; c++) {
    if (*c == 'r') {
      bits |= R_OK;
    } else if (*c == 'w') {
      bits |= W_OK;
    } else if (*c == 'x') {
      bits |= X_OK;
    }
  }
  return bits;
}

/* True when path names a file, not a directory, allowing the access bits. */

static bool IsUsableFile(const char *path, int bits) {
  struct stat info;
  return stat(path, &info) == 0 && !S_ISDIR(info.st_mode) &&
         access(path, bits) == 0;
}

/*
 * Translates candidate ("~" expanded) and checks it. Returns a heap copy
 * of the translated name when the file is usable, else nullptr.
 */

static char *CheckCandidate(Tcl_Interp *interp, const char *candidate,
                            int bits) {
  Tcl_DString native;
  char *found = nullptr;
  const char *path = Tcl_TranslateFileName(interp, candidate, &native);
  if (path != nullptr) {
    if (IsUsableFile(path, bits)) {
      found = zq_strdup(path);
    }
    Tcl_DStringFree(&native);
  }
  return found;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_Spath --
 *
 *	Looks fileName up in each directory of the list in envVar, in list
 *	order; empty list elements are skipped. An absolute fileName is only
 *	checked as it stands. mode says what the file must allow ("r": read).
 *	No flags change the search.
 *
 * Results:
 *	A heap copy (free()) of the first usable path, or NULL with an
 *	explanation in the interpreter result.
 *
 * Side effects:
 *	None beyond the message; the caller frees the path.
 *
 *----------------------------------------------------------------------
 */

char *Tov_Spath(Tcl_Interp *interp, const char *fileName, const char *envVar,
                const char *mode, int flags) {
  (void)flags;
  int bits = GetAccessBits(mode);

  if (fileName[0] == '/') {
    char *found = CheckCandidate(interp, fileName, bits);
    if (found == nullptr) {
      Tcl_ResetResult(interp);
      Tcl_AppendResult(interp, MSG_NO_USABLE_FILE, fileName, "\"",
                       (char *)nullptr);
    }
    return found;
  }

  const char *list = getenv(envVar);
  if (Tov_SpathGetNumElem(envVar) <= 0) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, MSG_VARIABLE, envVar, MSG_LISTS_NO_DIRECTORY,
                     (char *)nullptr);
    return nullptr;
  }

  Tcl_DString candidate;
  Tcl_DStringInit(&candidate);
  char *found = nullptr;
  const char *start = list;
  while (found == nullptr && *start != '\0') {
    const char *end = strchr(start, ':');
    int length = static_cast<int>(end ? end - start : strlen(start));
    if (length > 0) {
      Tcl_DStringSetLength(&candidate, 0);
      Tcl_DStringAppend(&candidate, start, length);
      Tcl_DStringAppend(&candidate, "/", 1);
      Tcl_DStringAppend(&candidate, fileName, -1);
      found = CheckCandidate(interp, Tcl_DStringValue(&candidate), bits);
    }
    start += length + (end != nullptr ? 1 : 0);
  }
  Tcl_DStringFree(&candidate);

  Tcl_ResetResult(interp);
  if (found == nullptr) {
    Tcl_AppendResult(interp, MSG_NO_USABLE_FILE, fileName,
                     MSG_IN_DIRECTORIES_OF, envVar, (char *)nullptr);
  }
  return found;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_SpathGetNumElem --
 *
 *	Counts the non-empty directories in the colon-separated list that the
 *	environment variable envVar holds.
 *
 * Results:
 *	The count; 0 when the variable is unset or lists none.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Tov_SpathGetNumElem(const char *envVar) {
  const char *list = getenv(envVar);
  int count = 0;
  bool inElement = false;
  for (const char *c = list; c != nullptr && *c != '\0'; c++) {
    if (*c == ':') {
      inElement = false;
    } else if (!inElement) {
      inElement = true;
      count++;
    }
  }
  return count;
}
