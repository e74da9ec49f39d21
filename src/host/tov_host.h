/*
 * tov_host.h --
 *
 *	The host toolkit services the module relies on: option-table parsing
 *	of string argument vectors, in-place list splitting, directory-list
 *	file search, robust replace-on-close file writing and a few POSIX-style
 *	helpers. The module reaches these services only through this header.
 */

#ifndef TOVPART_HOST_TOV_HOST_H
#define TOVPART_HOST_TOV_HOST_H

#include <stdio.h>
#include <tcl.h>

/* Kinds of option-table entries. */
enum {
  TOV_ARGV_CONSTANT = 15, /* flag: destination int := *(int *)source */
  TOV_ARGV_INT = 16,      /* next word parsed as an int into destination */
  TOV_ARGV_STRING = 17,   /* destination const char * := next word */
  TOV_ARGV_END = 23       /* end of table; no key */
};

typedef struct Tov_ArgvInfo {
  const char *key;  /* option word ("-group", "parts"); NULL at the end */
  int type;         /* one of the TOV_ARGV_ kinds */
  void *src;        /* for flags: the constant to store */
  void *dst;        /* where the value goes */
  const char *help; /* one-line description */
} Tov_ArgvInfo;

/*
 * Parses the options of a string argument vector against an option table.
 * Returns 0 on success with every recognised option (and its value) removed
 * from argv and *argcPtr lowered; word 0 and unrecognised words stay in
 * order. Returns non-zero with a message in the interpreter result.
 */
int Tov_ParseArgv(Tcl_Interp *interp, int *argcPtr, const char **argv,
                  const Tov_ArgvInfo *table, int flags);

/*
 * Splits the Tcl list held in string inside that very buffer, writing at
 * most capacity element pointers to argv. Returns 0 on success; non-zero,
 * with a message in the interpreter result when interp is not NULL, when
 * the list is malformed or holds more than capacity elements.
 */
int Tov_SplitListInPlace(Tcl_Interp *interp, char *string, int *argcPtr,
                         char **argv, int capacity);

/*
 * Looks fileName up along the colon-separated directory list held in the
 * environment variable envVar. Returns a heap copy (free with free()) of
 * the full path of a readable file, or NULL with an explanation in the
 * interpreter result. An absolute fileName is checked as it stands.
 */
char *Tov_Spath(Tcl_Interp *interp, const char *fileName, const char *envVar,
                const char *mode, int flags);

/* Number of directories listed in envVar; 0 when unset or empty. */
int Tov_SpathGetNumElem(const char *envVar);

/* Number of entries of a Tcl hash table. */
int Tov_HashTableSize(Tcl_HashTable *table);

/* Heap copy of a string, released with free(). NULL when out of memory. */
char *zq_strdup(const char *string);

/*
 * Robust replace-on-close writing. Tov_RobustFopenForWrite takes the name
 * in UTF-8, as Tcl gives it, and writes under its form in the system
 * encoding. The content goes to a temporary file in the target's
 * directory: an unnamed one (O_TMPFILE) where the file system offers it,
 * else a named one. Tov_RobustFcloseForWrite flushes and syncs it, renames
 * it over the target and syncs the directory; Tov_RobustFabandonForWrite
 * drops it, leaving the target untouched. A symbolic link keeps pointing at
 * the file that receives the content; an existing file keeps its permission
 * bits, a new one gets 0666 less the umask; an existing target that is not
 * a regular file (a directory, a FIFO, a device) is refused without being
 * opened. Named temporaries that a killed process left beside the target
 * are removed by the next write of it.
 */
typedef struct Tov_RobustFile Tov_RobustFile;

Tov_RobustFile *Tov_RobustFopenForWrite(Tcl_Interp *interp,
                                        const char *fileName);
FILE *Tov_GetFilePtr(Tov_RobustFile *handle);
int Tov_RobustFcloseForWrite(Tcl_Interp *interp, Tov_RobustFile *handle);
void Tov_RobustFabandonForWrite(Tov_RobustFile *handle);

/*
 * Why the writer's last failure happened (a failed open, commit or write
 * of the stream): its errno, also left in errno, and in *textPtr a text of
 * the writer's own where no system error describes it ("not a regular
 * file"), else NULL.
 */
int Tov_RobustLastFailure(const char **textPtr);

/*
 * The reason of the writer's last failure for a message: the writer's own
 * text, or the system's text of its errno through Tcl_PosixError, which
 * also sets interp's POSIX error code.
 */
const char *Tov_RobustFailureText(Tcl_Interp *interp);

/* The steps of a replace-on-close write at which a failure can occur. */
typedef enum Tov_RobustStep {
  TOV_ROBUST_UNNAMED, /* creating the unnamed temporary; falls back */
  TOV_ROBUST_CREATE,  /* creating the named temporary */
  TOV_ROBUST_WRITE,   /* each write of content to the temporary */
  TOV_ROBUST_SYNC,    /* syncing the content */
  TOV_ROBUST_LINK,    /* naming the unnamed temporary */
  TOV_ROBUST_CLOSE,   /* closing the temporary */
  TOV_ROBUST_RENAME   /* renaming it over the target */
} Tov_RobustStep;

/*
 * For tests only: a hook asked before every step; a non-zero answer makes
 * the step fail with that errno. Tov_RobustSetFaultHook installs it (NULL
 * removes it) and returns the one it replaces.
 */
typedef int (*Tov_RobustFaultHook)(Tov_RobustStep step);
Tov_RobustFaultHook Tov_RobustSetFaultHook(Tov_RobustFaultHook hook);

#endif /* TOVPART_HOST_TOV_HOST_H */
