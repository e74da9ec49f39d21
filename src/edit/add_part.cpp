/*
 * add_part.cpp --
 *
 *	The part form of pdb:add: the checks of the new part's name and
 *	records, its HDL kind, and the record filed in its category and in
 *	the parts table. A part is refused when its record could be saved
 *	but not read back.
 */

#include <cstring>

#include "edit/add_forms.h"
#include "edit/edit_target.h"
#include "edit/hdl_kind.h"
#include "edit/record_rules.h"
#include "model/ascii_db.h"
#include "model/group_queries.h"
#include "model/part.h"

static const char MSG_NAME_TAKEN[] = "Another part is using the name \"";
static const char MSG_NAME_TAKEN_END[] = "\". Please pick a different name.";
static const char MSG_NAME_SLASH[] = "Part names cannot begin or end with '/'";
static const char MSG_SPLIT_SYMBOL[] = ": could not split part symbol record";
static const char MSG_SYMBOL_BLANK[] = "Part symbol name must not be empty";
static const char MSG_SPLIT_PROPERTIES[] =
    ": could not split part symbol property record";
static const char MSG_PROPERTIES_ODD[] =
    "Property record must have even fields";
static const char MSG_TOO_MANY_PROPERTIES[] =
    "Too many properties: a part may have at most 32 property pairs";
static const char MSG_BAD_HDL[] = "Bad HDL kind \"";
static const char MSG_BAD_HDL_END[] = "\": must be none, vhdl, kelm or unknown";
static const char MSG_SPLIT_TEMPLATE[] =
    ": could not split part template record";
static const char MSG_TEMPLATE_MISSING[] =
    "Part template must be specified if part template description is "
    "specified";
static const char MSG_PART_MEMORY[] = "Could not create part. No more memory";

/* The HDL kind word that asks for the kind to be derived. */
static const char HDL_UNKNOWN[] = "unknown";

enum { SYMBOL_FIELDS = 3, TEMPLATE_FIELDS = 2 };

namespace {

/* The elements of a list split with Tcl_SplitList, freed on every path. */
struct SplitList {
  int count = 0;
  const char **elements = nullptr;

  SplitList() = default;
  SplitList(const SplitList &) = delete;
  SplitList &operator=(const SplitList &) = delete;
  ~SplitList() { Tcl_Free(reinterpret_cast<char *>(elements)); }
};

} // namespace

static bool SplitRecord(Tcl_Interp *interp, const char *record, SplitList *list,
                        const char *failure);
static bool BeginsOrEndsWithSlash(const char *name);
static const char *ChooseHdlKind(Tcl_Interp *interp, const char *given,
                                 const char *symbolName,
                                 const char *templateName,
                                 const char *templateDescription);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AddPart --
 *
 *	Creates a part from its name and records. Checks in this order: the
 *	name is free in the group and has no leading or trailing "/"; the
 *	symbol record has three fields and a symbol name; the property list
 *	splits into at most 32 pairs; a given HDL kind is one of none, vhdl,
 *	kelm and unknown; the template record has two fields and a name when
 *	it has a description; the strings fit the record. Then finds or
 *	makes the category and files the part in it and in the parts table.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 * Side effects:
 *	The symbol file lookup may run; its text does not stay in the
 *	result. Categories made before a failure stay.
 *
 *----------------------------------------------------------------------
 */
int Pdb_AddPart(const Pdb_AddContext &add, const char *name,
                const char *symbolRecord, const char *templateRecord,
                const char *hdl) {
  Tcl_Interp *interp = add.interp;
  if (Pdb_FindPartInGroup(add.group, name) != nullptr) {
    Tcl_AppendResult(interp, MSG_NAME_TAKEN, name, MSG_NAME_TAKEN_END,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  if (BeginsOrEndsWithSlash(name)) {
    return Pdb_EditFailure(interp, MSG_NAME_SLASH);
  }
  SplitList symbol;
  if (!SplitRecord(interp, symbolRecord, &symbol, MSG_SPLIT_SYMBOL)) {
    return TCL_ERROR;
  }
  if (symbol.count != SYMBOL_FIELDS) {
    return Pdb_EditFailure(interp, PDB_MSG_SYMBOL_FIELDS);
  }
  if (symbol.elements[0][0] == '\0') {
    return Pdb_EditFailure(interp, MSG_SYMBOL_BLANK);
  }
  SplitList properties;
  if (!SplitRecord(interp, symbol.elements[2], &properties,
                   MSG_SPLIT_PROPERTIES)) {
    return TCL_ERROR;
  }
  if (properties.count % 2 != 0) {
    return Pdb_EditFailure(interp, MSG_PROPERTIES_ODD);
  }
  if (properties.count > PDB_PROPERTY_ELEMENTS_MAX) {
    return Pdb_EditFailure(interp, MSG_TOO_MANY_PROPERTIES);
  }
  if (hdl != nullptr && !Pdb_IsHdlKind(hdl) &&
      std::strcmp(hdl, HDL_UNKNOWN) != 0) {
    Tcl_AppendResult(interp, MSG_BAD_HDL, hdl, MSG_BAD_HDL_END,
                     (char *)nullptr);
    return TCL_ERROR;
  }
  SplitList templ;
  if (!SplitRecord(interp, templateRecord, &templ, MSG_SPLIT_TEMPLATE)) {
    return TCL_ERROR;
  }
  if (templ.count != TEMPLATE_FIELDS) {
    return Pdb_EditFailure(interp, PDB_MSG_TEMPLATE_FIELDS);
  }
  const char *templateName = templ.elements[0];
  const char *templateDescription = templ.elements[1];
  if (templateName[0] == '\0' && templateDescription[0] != '\0') {
    return Pdb_EditFailure(interp, MSG_TEMPLATE_MISSING);
  }
  const char *kind = ChooseHdlKind(interp, hdl, symbol.elements[0],
                                   templateName, templateDescription);
  int pairCount = properties.count / 2;
  if (!Pdb_Part::fits(name, symbol.elements[0], templateName,
                      symbol.elements[1], templateDescription, kind,
                      pairCount)) {
    return Pdb_EditFailure(interp, PDB_MSG_PART_TOO_LONG);
  }
  Pdb_CategoryNode *cat = Pdb_AddFindCategory(add, nullptr, nullptr);
  if (cat == nullptr) {
    return TCL_ERROR;
  }
  Pdb_Part *part = Pdb_Part::create(name, symbol.elements[0], templateName,
                                    symbol.elements[1], templateDescription,
                                    kind, pairCount, properties.elements);
  if (part == nullptr) {
    return Pdb_EditFailure(interp, MSG_PART_MEMORY);
  }
  auto *entry = reinterpret_cast<Pdb_PartEntry *>(part);
  if (!add.target->treeEdit()->addEntry(cat, entry)) {
    Pdb_DestroyEntry(entry);
    return Pdb_EditFailure(interp, MSG_PART_MEMORY);
  }
  add.target->addPart(part);
  return TCL_OK;
}

/*
 * Splits record into list. On failure the result holds Tcl's message
 * followed by failure, and false is returned.
 */
static bool SplitRecord(Tcl_Interp *interp, const char *record, SplitList *list,
                        const char *failure) {
  if (Tcl_SplitList(interp, record, &list->count, &list->elements) == TCL_OK) {
    return true;
  }
  Tcl_AppendResult(interp, failure, (char *)nullptr);
  return false;
}

static bool BeginsOrEndsWithSlash(const char *name) {
  std::size_t length = std::strlen(name);
  return length > 0 && (name[0] == '/' || name[length - 1] == '/');
}

/*
 *----------------------------------------------------------------------
 *
 * ChooseHdlKind --
 *
 *	Without a given kind: "vhdl" for a VHDL symbol, else by the
 *	graphic-model template test ("none" or "kelm"); the symbol file
 *	lookup's text is cleared from the result. A given "unknown" goes by
 *	the template test alone; any other given kind stands.
 *
 *----------------------------------------------------------------------
 */

static const char *ChooseHdlKind(Tcl_Interp *interp, const char *given,
                                 const char *symbolName,
                                 const char *templateName,
                                 const char *templateDescription) {
  if (given == nullptr) {
    return Pdb_DeriveHdlKind(interp, symbolName, templateName,
                             templateDescription);
  }
  if (std::strcmp(given, HDL_UNKNOWN) != 0) {
    return given;
  }
  return Pdb_ChooseTemplateHdlKind(templateName, templateDescription);
}
