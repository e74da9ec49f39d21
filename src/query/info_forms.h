/*
 * info_forms.h --
 *
 *	What the forms of pdb:info share: the recognition of selector and
 *	option words by their second character, the message pieces more than
 *	one form reports, and the procedure of each form.
 */

#ifndef TOVPART_QUERY_INFO_FORMS_H
#define TOVPART_QUERY_INFO_FORMS_H

#include <cstdlib>
#include <memory>
#include <tcl.h>

class Pdb_Database;
class Pdb_Group;
struct Pdb_CategoryNode;

/*
 * A word a selector or option may abbreviate. Candidates with the same
 * second character are tried in table order; a word shorter than
 * minLength is not tried against this one.
 */
struct Pdb_InfoWord {
  const char *word;
  int minLength;
};

/* What Pdb_MatchInfoWord answers besides an index into the table. */
enum { PDB_INFO_WORD_SHORT = -2, PDB_INFO_WORD_UNKNOWN = -1 };

/* The usage of a wrong word count within a form (the second usage). */
extern const char *const PDB_INFO_USAGE_FORM;

/* The choices named for a short selector and any bad option of -part. */
extern const char *const PDB_INFO_CHOICES_PART;

/* Kinds of the not-an-object messages. */
extern const char *const PDB_INFO_KIND_PART;
extern const char *const PDB_INFO_KIND_CATEGORY;
extern const char *const PDB_INFO_KIND_PART_REFERENCE;
extern const char *const PDB_INFO_KIND_REAL_CATEGORY;

/* A path from nodePath, freed with the holder. */
struct Pdb_FreeDeleter {
  void operator()(char *text) const { std::free(text); }
};
using Pdb_OwnedPath = std::unique_ptr<char, Pdb_FreeDeleter>;

/* The index of the candidate word names, or PDB_INFO_WORD_SHORT or
 * PDB_INFO_WORD_UNKNOWN. */
int Pdb_MatchInfoWord(const Pdb_InfoWord *table, int count, const char *word);

/* Sets the result to "1" or "0". */
void Pdb_SetFlagResult(Tcl_Interp *interp, bool flag);

/* Appends db's file name and kind name to the result as two elements. */
void Pdb_InfoAppendDatabase(Tcl_Interp *interp, Pdb_Database *db);

/* nodePath of node; throws std::bad_alloc when memory runs out. */
Pdb_OwnedPath Pdb_CopyNodePath(const Pdb_CategoryNode *node);

/*
 * The forms, one per selector. Each gets the words left after the common
 * options were parsed out (argv[1] the selector) and the resolved group,
 * and returns TCL_OK or TCL_ERROR with the result set. They may throw
 * std::bad_alloc; the command runs them inside Pdb_Guard.
 */
int Pdb_InfoPart(Tcl_Interp *interp, Pdb_Group *group, int argc,
                 const char **argv);
int Pdb_InfoPartReference(Tcl_Interp *interp, Pdb_Group *group, int argc,
                          const char **argv);
int Pdb_InfoCategory(Tcl_Interp *interp, Pdb_Group *group, int argc,
                     const char **argv);

#endif /* TOVPART_QUERY_INFO_FORMS_H */
