/*
 * add_reference.cpp --
 *
 *	The three-word form of pdb:add: a part reference or a category
 *	reference added to a category, or a category created with a help
 *	text when the path names none.
 */

#include <cstdlib>
#include <cstring>

#include "edit/add_forms.h"
#include "edit/edit_target.h"
#include "edit/record_rules.h"
#include "model/ascii_db.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "model/part.h"
#include "shell/conventions.h"

static const char MSG_NEITHER[] = "\" is not a part or a category.";
static const char MSG_CREATE_IN_USER[] = "Could not create category \"";
static const char MSG_CREATE_IN_USER_END[] = "\" in user database.";
static const char MSG_DUPLICATE_PARTREF[] =
    "Multiple part reference in category";
static const char MSG_PARTREF_MEMORY[] =
    "Could not create part reference. No more memory";
static const char KIND_CATEGORY_OR_PART[] = "category or part";
static const char MSG_CATREF_MEMORY[] =
    "Could not create category reference. No more memory";
static const char MSG_REFERS_TO_USER[] =
    "The site parts database cannot refer to \"";
static const char MSG_REFERS_TO_USER_END[] =
    "\", which only a user parts database holds";

static int AddPartReference(const Pdb_AddContext &add, Pdb_CategoryNode *cat,
                            const Pdb_Part *part);
static int AddCategoryReference(const Pdb_AddContext &add,
                                Pdb_CategoryNode *cat, const char *word);
static bool RefuseReferenceToUser(const Pdb_AddContext &add, const char *word,
                                  const Pdb_Part *part);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AddReference --
 *
 *	The three-word form: when no database of the group has the path,
 *	the category is made with word as its help text. Otherwise word must
 *	name either a part or a category of the group, not both, and the
 *	category of the path (made in the target when only another database
 *	of the group holds it) gets a reference to it.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Categories made before a failure stay.
 *
 *----------------------------------------------------------------------
 */
int Pdb_AddReference(const Pdb_AddContext &add, const char *word) {
  if (add.group->lookupPathInGroup(PDB_REFS_GROUP, add.path) == nullptr) {
    return Pdb_AddCategory(add, word);
  }
  const Pdb_Part *part = Pdb_FindPartInGroup(add.group, word);
  bool isCategory =
      add.group->lookupPathInGroup(PDB_REFS_GROUP, word) != nullptr;
  if ((part != nullptr) == isCategory) {
    Tcl_AppendResult(add.interp, "\"", word, MSG_NEITHER, (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_CategoryNode *cat =
      Pdb_AddFindCategory(add, MSG_CREATE_IN_USER, MSG_CREATE_IN_USER_END);
  if (cat == nullptr) {
    return TCL_ERROR;
  }
  return part != nullptr ? AddPartReference(add, cat, part)
                         : AddCategoryReference(add, cat, word);
}

/*
 *----------------------------------------------------------------------
 *
 * AddPartReference --
 *
 *	Lists part in cat by a reference. A category lists a part name once:
 *	an entry of that name already there, the part itself, a reference to
 *	it or a part of the same name from another database, refuses it (the
 *	saved file would not read back with two).
 *
 *----------------------------------------------------------------------
 */

static int AddPartReference(const Pdb_AddContext &add, Pdb_CategoryNode *cat,
                            const Pdb_Part *part) {
  Pdb_TreeEdit *edit = add.target->treeEdit();
  if (edit->findEntry(cat, part->name()) != nullptr) {
    return Pdb_EditFailure(add.interp, MSG_DUPLICATE_PARTREF);
  }
  if (RefuseReferenceToUser(add, part->name(), part)) {
    return TCL_ERROR;
  }
  Pdb_PartRef *reference =
      Pdb_PartRef::create(reinterpret_cast<const Pdb_PartEntry *>(part));
  if (reference == nullptr) {
    return Pdb_EditFailure(add.interp, MSG_PARTREF_MEMORY);
  }
  auto *entry = reinterpret_cast<Pdb_PartEntry *>(reference);
  if (!edit->addEntry(cat, entry)) {
    Pdb_DestroyEntry(entry);
    return Pdb_EditFailure(add.interp, MSG_PARTREF_MEMORY);
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * AddCategoryReference --
 *
 *	Places under cat a reference to the category at path word, found in
 *	any database of the group without following references. The
 *	reference takes the place of cat's path and the last component of
 *	the path it stores; a place the group already finds is refused as an
 *	existing reference, as the reader refuses it.
 *
 *----------------------------------------------------------------------
 */

static int AddCategoryReference(const Pdb_AddContext &add,
                                Pdb_CategoryNode *cat, const char *word) {
  Pdb_Group *group = add.group;
  Pdb_CategoryNode *target = group->lookupPathInGroup(PDB_REFS_IGNORE, word);
  if (target == nullptr) {
    return Pdb_NotA(add.interp, KIND_CATEGORY_OR_PART, word);
  }
  if (std::strcmp(word, "/") == 0) {
    return Pdb_EditFailure(add.interp, PDB_MSG_REFERENCE_TO_ROOT);
  }
  if (RefuseReferenceToUser(add, word, nullptr)) {
    return TCL_ERROR;
  }
  if (group->isCircularReference(cat, word)) {
    return Pdb_EditFailure(add.interp, PDB_MSG_CIRCULAR_REFERENCE);
  }
  if (cat->hasReferenceChild(word)) {
    return Pdb_EditFailure(add.interp, PDB_MSG_CATREF_EXISTS);
  }
  char *catPath = cat->nodePath();
  char *stored = target->nodePath();
  bool measured = catPath != nullptr && stored != nullptr;
  bool taken = measured && group->referencePlaceTaken(catPath, stored);
  std::free(catPath);
  std::free(stored);
  if (!measured) {
    return Pdb_EditFailure(add.interp, MSG_CATREF_MEMORY);
  }
  if (taken) {
    return Pdb_EditFailure(add.interp, PDB_MSG_CATREF_EXISTS);
  }
  if (!add.target->treeEdit()->createReference(cat, target)) {
    return Pdb_EditFailure(add.interp, MSG_CATREF_MEMORY);
  }
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * RefuseReferenceToUser --
 *
 *	A database other than a user database is read before the user
 *	databases of its group, and by users whose own databases differ, so
 *	it may refer only to what a database of another kind holds: its saved
 *	file would not read back otherwise. part is the part referred to, or
 *	nullptr for the category at path word (found as the reader finds it,
 *	without following references).
 *
 * Results:
 *	True, with a message naming word, when the reference is refused.
 *
 *----------------------------------------------------------------------
 */

static bool RefuseReferenceToUser(const Pdb_AddContext &add, const char *word,
                                  const Pdb_Part *part) {
  if (Pdb_IsUserDatabase(add.target) ||
      add.group->findFirst([&](const char *, Pdb_Database *db) {
        return !Pdb_IsUserDatabase(db) &&
               (part != nullptr ? db->findPart(word) == part
                                : db->lookupPath(add.group, PDB_REFS_IGNORE,
                                                 word) != nullptr);
      }) != nullptr) {
    return false;
  }
  Tcl_AppendResult(add.interp, MSG_REFERS_TO_USER, word, MSG_REFERS_TO_USER_END,
                   (char *)nullptr);
  return true;
}
