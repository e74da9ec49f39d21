/*
 * info_words.cpp --
 *
 *	The pieces the forms of pdb:info share: recognising a selector or
 *	option word, the shared message texts, and the small answers (a flag,
 *	a database's file and kind, a node's path).
 */

#include <cstring>
#include <new>

#include "model/category_tree.h"
#include "model/database.h"
#include "query/info_forms.h"

const char *const PDB_INFO_USAGE_FORM =
    " ?-part? ?-partref? ?-category? ?-template? ?-symbol? ?-zq_pdb? name "
    "?options?";
const char *const PDB_INFO_CHOICES_PART =
    "-part, -symbol, -properties, -template, -category, -partref or -zq_pdb";

const char *const PDB_INFO_KIND_PART = "part";
const char *const PDB_INFO_KIND_CATEGORY = "category";
const char *const PDB_INFO_KIND_PART_REFERENCE = "part reference";
const char *const PDB_INFO_KIND_REAL_CATEGORY = "real category path";

/*
 *----------------------------------------------------------------------
 *
 * Pdb_MatchInfoWord --
 *
 *	Recognises a selector or option word. The word's second character
 *	chooses the candidates; the first of them, in table order, that the
 *	word is long enough for and whose beginning equals the word over the
 *	word's whole length is the one meant. So unique prefixes are taken,
 *	and where two candidates share the second character the earlier one
 *	wins the short words ("-p" is "-protected", not "-properties").
 *
 * Results:
 *	The index of that candidate; PDB_INFO_WORD_SHORT for a word of
 *	fewer than two characters; PDB_INFO_WORD_UNKNOWN when none fits.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Pdb_MatchInfoWord(const Pdb_InfoWord *table, int count, const char *word) {
  std::size_t length = std::strlen(word);
  if (length < 2) {
    return PDB_INFO_WORD_SHORT;
  }
  for (int i = 0; i < count; i++) {
    const Pdb_InfoWord &candidate = table[i];
    if (candidate.word[1] == word[1] &&
        length >= static_cast<std::size_t>(candidate.minLength) &&
        std::strncmp(word, candidate.word, length) == 0) {
      return i;
    }
  }
  return PDB_INFO_WORD_UNKNOWN;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SetFlagResult --
 *
 *	Answers a yes/no question.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Sets the interpreter result to "1" or "0".
 *
 *----------------------------------------------------------------------
 */

void Pdb_SetFlagResult(Tcl_Interp *interp, bool flag) {
  Tcl_SetResult(interp, const_cast<char *>(flag ? "1" : "0"), TCL_STATIC);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InfoAppendDatabase --
 *
 *	Names a database the way the -zq_pdb options answer: its file name
 *	and its kind name.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Appends the two as list elements to the interpreter result.
 *
 *----------------------------------------------------------------------
 */

void Pdb_InfoAppendDatabase(Tcl_Interp *interp, Pdb_Database *db) {
  Tcl_AppendElement(interp, db->fileName());
  Tcl_AppendElement(interp, Pdb_GetDbKindName(db->kind));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CopyNodePath --
 *
 *	The path nodePath gives for node (a reference's own path, else the
 *	full path of the category), owned by the caller's holder.
 *
 * Results:
 *	The path. Throws std::bad_alloc when it cannot be built; the
 *	command's guard reports that.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

Pdb_OwnedPath Pdb_CopyNodePath(const Pdb_CategoryNode *node) {
  Pdb_OwnedPath path(node->nodePath());
  if (path == nullptr) {
    throw std::bad_alloc();
  }
  return path;
}
