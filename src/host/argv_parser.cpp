/*
 * argv_parser.cpp --
 *
 *	Table-driven parsing of the options of a string argument vector:
 *	Tov_ParseArgv.
 */

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "host/tov_host.h"

static const char *const ARGV_MSG_AMBIGUOUS = "ambiguous option \"";
static const char *const ARGV_MSG_BAD_KIND =
    "\" has an option kind this parser does not know";
static const char *const ARGV_MSG_NEEDS_VALUE =
    "\" option requires an additional argument";
static const char *const ARGV_MSG_EXPECTED_INT =
    "expected integer argument for \"";

enum MatchStatus { MATCH_NONE, MATCH_FOUND, MATCH_AMBIGUOUS };

static MatchStatus MatchOption(const Tov_ArgvInfo *table, const char *word,
                               const Tov_ArgvInfo **matchPtr);
static bool ParseInt(const char *text, int *valuePtr);
static int ReportArgvError(Tcl_Interp *interp, const char *first,
                           const char *second, const char *third,
                           const char *fourth = nullptr,
                           const char *fifth = nullptr);

/*
 *----------------------------------------------------------------------
 *
 * MatchOption --
 *
 *	Finds the table entry that word selects. A word selects a key that
 *	it equals, or else a key of which it is a prefix at least two
 *	characters long. An exact key wins over any prefix match.
 *
 * Results:
 *	MATCH_FOUND with *matchPtr set, MATCH_NONE, or MATCH_AMBIGUOUS when
 *	the word is a prefix of several keys and equals none.
 *
 *----------------------------------------------------------------------
 */

static MatchStatus MatchOption(const Tov_ArgvInfo *table, const char *word,
                               const Tov_ArgvInfo **matchPtr) {
  size_t length = strlen(word);
  const Tov_ArgvInfo *candidate = nullptr;
  int candidates = 0;

  for (const Tov_ArgvInfo *entry = table; entry->type != TOV_ARGV_END;
       entry++) {
    if (entry->key == nullptr) {
      continue;
    }
    if (strcmp(entry->key, word) == 0) {
      *matchPtr = entry;
      return MATCH_FOUND;
    }
    if (length >= 2 && strncmp(entry->key, word, length) == 0) {
      candidate = entry;
      candidates++;
    }
  }
  if (candidates == 0) {
    return MATCH_NONE;
  }
  if (candidates > 1) {
    return MATCH_AMBIGUOUS;
  }
  *matchPtr = candidate;
  return MATCH_FOUND;
}

/*
 * Converts text to an int the way C's strtol reads it (decimal, 0x hex,
 * leading 0 octal). False for an empty text, trailing characters or a
 * value outside the range of int.
 */

static bool ParseInt(const char *text, int *valuePtr) {
  char *end = nullptr;
  errno = 0;
  long value = strtol(text, &end, 0);
  if (end == text || *end != '\0' || errno == ERANGE || value < INT_MIN ||
      value > INT_MAX) {
    return false;
  }
  *valuePtr = static_cast<int>(value);
  return true;
}

/* Sets the result to the pieces up to the first nullptr; returns 1. */

static int ReportArgvError(Tcl_Interp *interp, const char *first,
                           const char *second, const char *third,
                           const char *fourth, const char *fifth) {
  if (interp != nullptr) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, first, second, third, fourth, fifth,
                     (char *)nullptr);
  }
  return 1;
}

/*
 *----------------------------------------------------------------------
 *
 * Tov_ParseArgv --
 *
 *	Walks argv from word 1 on; a word that selects a table entry is
 *	consumed together with its value (the next word, whatever it looks
 *	like) and stored as the entry's kind says; every other word is kept,
 *	in order. Word 0 is never looked at.
 *
 * Results:
 *	0 on success, with *argcPtr lowered to the words kept (a NULL is
 *	stored after the last one when that slot was part of the vector).
 *	1 on failure with a message in the interpreter result (when interp is
 *	not NULL); destinations set before the failing word keep their values.
 *
 * Side effects:
 *	Writes the destinations of the matched entries and reorders argv.
 *
 *----------------------------------------------------------------------
 */

int Tov_ParseArgv(Tcl_Interp *interp, int *argcPtr, const char **argv,
                  const Tov_ArgvInfo *table, int flags) {
  (void)flags; /* no flags are defined */
  int argc = *argcPtr;
  int src = 1;
  int dst = 1;

  while (src < argc) {
    const char *word = argv[src++];
    const Tov_ArgvInfo *entry = nullptr;
    MatchStatus status = MatchOption(table, word, &entry);
    if (status == MATCH_AMBIGUOUS) {
      return ReportArgvError(interp, ARGV_MSG_AMBIGUOUS, word, "\"");
    }
    if (status == MATCH_NONE) {
      argv[dst++] = word;
      continue;
    }
    switch (entry->type) {
    case TOV_ARGV_CONSTANT:
      *static_cast<int *>(entry->dst) = *static_cast<const int *>(entry->src);
      break;
    case TOV_ARGV_INT: {
      if (src >= argc) {
        return ReportArgvError(interp, "\"", word, ARGV_MSG_NEEDS_VALUE);
      }
      const char *text = argv[src++];
      int value = 0;
      if (!ParseInt(text, &value)) {
        return ReportArgvError(interp, ARGV_MSG_EXPECTED_INT, word,
                               "\" but got \"", text, "\"");
      }
      *static_cast<int *>(entry->dst) = value;
      break;
    }
    case TOV_ARGV_STRING:
      if (src >= argc) {
        return ReportArgvError(interp, "\"", word, ARGV_MSG_NEEDS_VALUE);
      }
      *static_cast<const char **>(entry->dst) = argv[src++];
      break;
    default:
      /* A fault of the option table, reported rather than fatal. */
      return ReportArgvError(interp, "\"", word, ARGV_MSG_BAD_KIND);
    }
  }
  if (dst < argc) {
    argv[dst] = nullptr;
  }
  *argcPtr = dst;
  return 0;
}
