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
 * most capacity element pointers to argv; the elements are those of
 * Tcl_SplitList, and nothing past the list's NUL is written. Returns 0 on
 * success; non-zero, with a message in the interpreter result when interp
 * is not NULL (Tcl_SplitList's own for a malformed list), when the list is
 * malformed or holds more than capacity elements. An element that
 * unescapes to more bytes than its text held lies in a block of the
 * splitter's own, valid until argv is used for another split.
 */
int Tov_SplitListInPlace(Tcl_Interp *interp, char *string, int *argcPtr,
                         char **argv, int capacity);

/* Frees the splitter's element blocks; the module's exit point calls it. */
void Tov_SplitListRelease(void);

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
 * Robust replace-on-close writing. The content goes to a temporary file
 * beside the target; Tov_RobustFcloseForWrite flushes and syncs it and
 * renames it over the target. Tov_RobustFabandonForWrite drops the
 * handle and removes the temporary file, leaving the target untouched.
 */
typedef struct Tov_RobustFile Tov_RobustFile;

Tov_RobustFile *Tov_RobustFopenForWrite(Tcl_Interp *interp,
                                        const char *fileName);
FILE *Tov_GetFilePtr(Tov_RobustFile *handle);
int Tov_RobustFcloseForWrite(Tcl_Interp *interp, Tov_RobustFile *handle);
void Tov_RobustFabandonForWrite(Tov_RobustFile *handle);

#endif /* TOVPART_HOST_TOV_HOST_H */
