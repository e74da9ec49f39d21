/*
 * info_partref.cpp --
 *
 *	pdb:info -partref part category option: whether a category lists a
 *	part by a part reference, whether that listing is protected, and
 *	which database lists the part there.
 */

#include "model/database.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "query/info_forms.h"
#include "query/part_reference_search.h"
#include "shell/conventions.h"

enum PartrefOption { OPT_EXISTS, OPT_PROTECTED, OPT_DATABASE };
static const Pdb_InfoWord partrefWords[] = {
    {"-exists", 2}, {"-protected", 2}, {"-zq_pdb", 2}};
static const int PARTREF_WORD_COUNT =
    sizeof(partrefWords) / sizeof(partrefWords[0]);

static const char *const USAGE_PARTREF = " -partref part category ?options?";
static const char *const CHOICES_PARTREF = "-exists, -protected, or -zq_pdb";

static Pdb_Database *FindListingDatabase(Pdb_Group *group, const Pdb_Part *part,
                                         const char *category);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_InfoPartReference --
 *
 *	pdb:info -partref part category option. The part must exist in the
 *	group and the category must be found (references followed across
 *	the group) before the option is looked at.
 *
 * Results:
 *	TCL_OK with "1"/"0" or the database's file and kind; TCL_ERROR with
 *	the usage, the not-a-part, not-a-category or bad-option message, or
 *	"Not a part reference \"part category\"" when -protected or -zq_pdb
 *	finds no such listing.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Pdb_InfoPartReference(Tcl_Interp *interp, Pdb_Group *group, int argc,
                          const char **argv) {
  if (argc != 5) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE_PARTREF);
  }
  const char *name = argv[2];
  const char *category = argv[3];
  const Pdb_Part *part = Pdb_FindPartInGroup(group, name);
  if (part == nullptr) {
    return Pdb_NotA(interp, PDB_INFO_KIND_PART, name);
  }
  if (group->lookupPathInGroup(PDB_REFS_GROUP, category) == nullptr) {
    return Pdb_NotA(interp, PDB_INFO_KIND_CATEGORY, category);
  }
  int option = Pdb_MatchInfoWord(partrefWords, PARTREF_WORD_COUNT, argv[4]);
  if (option < 0) {
    return Pdb_BadOption(interp, argv[4], CHOICES_PARTREF);
  }
  Pdb_PartReferenceHit hit;
  bool found = Pdb_FindPartReference(group, part, category, &hit);
  if (option == OPT_EXISTS) {
    Pdb_SetFlagResult(interp, found);
    return TCL_OK;
  }
  Pdb_Database *listing = nullptr;
  if (found && option == OPT_DATABASE) {
    listing = FindListingDatabase(group, part, category);
  }
  if (!found || (option == OPT_DATABASE && listing == nullptr)) {
    return Pdb_NotA(interp, PDB_INFO_KIND_PART_REFERENCE, name, category);
  }
  if (option == OPT_PROTECTED) {
    Pdb_SetFlagResult(interp, hit.db->kind != PDB_KIND_USER &&
                                  hit.db->kind != PDB_KIND_USER_BUILD);
  } else {
    Pdb_InfoAppendDatabase(interp, listing);
  }
  return TCL_OK;
}

/*
 * The first database, in group order, whose tree holds category itself
 * (no reference followed) as a real category listing the part, as its
 * home or by reference; nullptr when none does. A path that names a
 * category reference node there lists nothing.
 */
static Pdb_Database *FindListingDatabase(Pdb_Group *group, const Pdb_Part *part,
                                         const char *category) {
  return group->findFirst([&](const char *, Pdb_Database *db) {
    Pdb_CategoryNode *node = db->lookupPath(group, PDB_REFS_IGNORE, category);
    return node != nullptr && !node->isReference() &&
           node->body()->partList()->containsPart(part);
  });
}
