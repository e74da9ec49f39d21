/*
 * delete_cmd.cpp --
 *
 *	pdb:delete: removes a part, a category with everything below it, or
 *	one listing of a part by reference from the group's user database
 *	(or its site database with -db site), refusing what is defined in
 *	the other databases of the group unless the site database is edited.
 */

#include "edit/edit_target.h"
#include "model/address_set.h"
#include "model/ascii_db.h"
#include "model/group.h"
#include "model/group_queries.h"
#include "query/part_reference_search.h"
#include "shell/commands.h"
#include "shell/conventions.h"
#include "shell/registry.h"

static const char USAGE[] = "part|category ?category?";

static const char MSG_PROTECTED_PART[] =
    "Can only delete parts from the user parts database";
static const char MSG_NOT_OWN_USER_PART[] =
    "Not a part of the user parts database ";
static const char MSG_NOT_OWN_SITE_PART[] =
    "Not a part of the site parts database ";
static const char MSG_NOT_PART_OR_CATEGORY[] = "Not a part or real category ";
static const char MSG_PROTECTED_CATEGORY[] = "Protected category ";
static const char MSG_NOT_MEMBER[] = "Not a member of \"";
static const char MSG_NOT_MEMBER_PART[] = "\": \"";
static const char MSG_NOT_PART_REFERENCE[] = "Not a part reference: ";
static const char MSG_PROTECTED_REFERENCE[] =
    "Can only delete part references from the user parts database";
static const char MSG_QUOTE_END[] = "\"";
static const char KIND_PART[] = "part";
static const char KIND_CATEGORY[] = "cat";

/* What both forms work on. */
struct DeleteContext {
  Tcl_Interp *interp;
  Pdb_Group *group;
  Pdb_AsciiDb *target; /* the database being edited */
  bool site;           /* -db site: protected entries may go */
};

static int DeleteNamed(const DeleteContext &del, const char *name);
static int DeletePart(const DeleteContext &del, const char *name);
static void DropDanglingReferences(const DeleteContext &del);
static int DeleteListing(const DeleteContext &del, const char *category,
                         const char *name);
static int ReportNamed(Tcl_Interp *interp, const char *message,
                       const char *name);

/*
 *----------------------------------------------------------------------
 *
 * DeleteCommand --
 *
 *	pdb:delete ?-group group? ?-db which? name, or pdb:delete ?-group
 *	group? ?-db which? category part.
 *
 * Results:
 *	TCL_OK with an empty result, or TCL_ERROR with a message; a failure
 *	leaves every database as it was.
 *
 * Side effects:
 *	Changes the chosen database in memory; references to a deleted part
 *	leave every database of the group, and it leaves the hidden lists.
 *
 *----------------------------------------------------------------------
 */

static int DeleteCommand(Tcl_Interp *interp, int argc, const char **argv) {
  if (Pdb_CommonPreamble(interp, &argc, argv) != TCL_OK) {
    return TCL_ERROR;
  }
  Pdb_Group *group = nullptr;
  Pdb_AsciiDb *target = Pdb_ResolveEditTarget(interp, &group);
  if (target == nullptr) {
    return TCL_ERROR;
  }
  if (argc != 2 && argc != 3) {
    return Pdb_WrongNumArgs(interp, argv[0], USAGE);
  }
  DeleteContext del = {interp, group, target, Pdb_IsSiteRoleChosen()};
  return argc == 2 ? DeleteNamed(del, argv[1])
                   : DeleteListing(del, argv[1], argv[2]);
}

/*
 *----------------------------------------------------------------------
 *
 * DeleteNamed --
 *
 *	One word: a part of that name anywhere in the group makes it a part
 *	deletion; otherwise it must be a category of the group (references
 *	not followed), which is deleted with everything below it from the
 *	edited database. A category the edited database lacks but another
 *	kind of database defines is protected. When the edited database
 *	lacks it and nothing protects it, only the clean-up of category
 *	references that lead nowhere runs.
 *
 *----------------------------------------------------------------------
 */

static int DeleteNamed(const DeleteContext &del, const char *name) {
  if (Pdb_FindPartInGroup(del.group, name) != nullptr) {
    return DeletePart(del, name);
  }
  if (del.group->lookupPathInGroup(PDB_REFS_IGNORE, name) == nullptr) {
    return ReportNamed(del.interp, MSG_NOT_PART_OR_CATEGORY, name);
  }
  Pdb_CategoryNode *node =
      del.target->lookupPath(del.group, PDB_REFS_SAME_TREE, name);
  if (node == nullptr &&
      Pdb_DefinedOutsideUserDatabases(del.group, PDB_OBJECT_CATEGORY, name)) {
    return ReportNamed(del.interp, MSG_PROTECTED_CATEGORY, name);
  }
  del.target->treeEdit()->deleteSubtree(del.group, node, &del.target->parts);
  DropDanglingReferences(del);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * DropDanglingReferences --
 *
 *	After a category deletion, the category references of the group's
 *	other editable databases that now lead nowhere go too, as they do in
 *	the edited one: the reader refuses a reference to a category no
 *	database holds, so a saved file keeping one would not read back.
 *
 *----------------------------------------------------------------------
 */

static void DropDanglingReferences(const DeleteContext &del) {
  del.group->forEachDatabase([&](Pdb_Database *db) {
    Pdb_TreeEdit *edit = db->treeEdit();
    if (db != del.target && edit != nullptr) {
      edit->deleteSubtree(del.group, nullptr, db->partsTable());
    }
  });
}

/*
 *----------------------------------------------------------------------
 *
 * DeletePart --
 *
 *	A part that another kind of database defines is protected unless the
 *	site database is edited. The part deleted is the edited database's
 *	own record of that name, whichever database comes first in the
 *	group; a name the edited database does not define is refused rather
 *	than freeing another database's record. Every entry that resolves to
 *	the record goes from every database of the group, and the record
 *	leaves the hidden lists and the parts table before it is freed.
 *
 *----------------------------------------------------------------------
 */

static int DeletePart(const DeleteContext &del, const char *name) {
  if (!del.site &&
      Pdb_DefinedOutsideUserDatabases(del.group, PDB_OBJECT_PART, name)) {
    return Pdb_EditFailure(del.interp, MSG_PROTECTED_PART);
  }
  const Pdb_Part *own = del.target->findPart(name);
  if (own == nullptr) {
    return ReportNamed(del.interp,
                       del.site ? MSG_NOT_OWN_SITE_PART : MSG_NOT_OWN_USER_PART,
                       name);
  }
  Pdb_AddressSet parts;
  parts.insert(own);
  del.target->treeEdit()->removeParts(del.group, parts, &del.target->parts);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * DeleteListing --
 *
 *	Two words: removes the part reference by which the category of the
 *	edited database lists the part. The part must exist in the group,
 *	the category in the edited database (its references followed) as a
 *	real category listing the part's name; the search of pdb:info
 *	-partref must find the listing by reference, and outside user
 *	databases only with -db site. A home entry is never removed this
 *	way: the part would be left in no category.
 *
 *----------------------------------------------------------------------
 */

static int DeleteListing(const DeleteContext &del, const char *category,
                         const char *name) {
  Tcl_Interp *interp = del.interp;
  const Pdb_Part *part = Pdb_FindPartInGroup(del.group, name);
  if (part == nullptr) {
    return Pdb_NotA(interp, KIND_PART, name);
  }
  Pdb_CategoryNode *node =
      del.target->lookupPath(del.group, PDB_REFS_SAME_TREE, category);
  if (node == nullptr || node->isReference()) {
    return Pdb_NotA(interp, KIND_CATEGORY, category);
  }
  Pdb_TreeEdit *edit = del.target->treeEdit();
  Pdb_PartEntry *entry = edit->findEntry(node, name);
  if (entry == nullptr) {
    Tcl_AppendResult(interp, MSG_NOT_MEMBER, category, MSG_NOT_MEMBER_PART,
                     name, MSG_QUOTE_END, (char *)nullptr);
    return TCL_ERROR;
  }
  Pdb_PartReferenceHit hit;
  if (!Pdb_FindPartReference(del.group, part, category, &hit)) {
    return ReportNamed(interp, MSG_NOT_PART_REFERENCE, name);
  }
  if (!Pdb_IsUserDatabase(hit.db) && !del.site) {
    return Pdb_EditFailure(interp, MSG_PROTECTED_REFERENCE);
  }
  if (entry->kind != PDB_ENTRY_REFERENCE) {
    return ReportNamed(interp, MSG_NOT_PART_REFERENCE, name);
  }
  edit->removeEntry(node, entry);
  return TCL_OK;
}

/* Appends message, then "name" in double quotes; TCL_ERROR. */
static int ReportNamed(Tcl_Interp *interp, const char *message,
                       const char *name) {
  Tcl_AppendResult(interp, message, MSG_QUOTE_END, name, MSG_QUOTE_END,
                   (char *)nullptr);
  return TCL_ERROR;
}

/*
 *----------------------------------------------------------------------
 *
 * TovPartDeleteCmd --
 *
 *	The command procedure of pdb:delete: runs DeleteCommand inside Pdb_Guard, so
 *	that no C++ exception reaches Tcl.
 *
 * Results:
 *	DeleteCommand's status and result; TCL_ERROR with an out-of-memory or
 *	internal-error message when an exception escaped it.
 *
 * Side effects:
 *	Those of DeleteCommand.
 *
 *----------------------------------------------------------------------
 */

int TovPartDeleteCmd(ClientData, Tcl_Interp *interp, int argc,
                     const char **argv) {
  return Pdb_Guard(interp, [&] { return DeleteCommand(interp, argc, argv); });
}
