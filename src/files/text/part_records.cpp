/*
 * part_records.cpp --
 *
 *	The [part] and [part=] record handlers of the ASCII reader, with the
 *	format-version rule that decides a part's HDL kind and the
 *	graphic-model template test.
 */

#include <cstring>

#include "edit/hdl_kind.h"
#include "edit/record_rules.h"
#include "files/text/record_handlers.h"
#include "model/ascii_db.h"
#include "model/category_tree.h"
#include "model/group_queries.h"
#include "model/part.h"
#include "shell/conventions.h"

static const char MSG_PART_ELEMENTS[] =
    "Expected a minimum of four elements for part data";
static const char MSG_PART_SCOPE[] = "Part not in a category scope";
static const char MSG_PART_NAME[] = "Part names cannot begin or end with \"/\"";
static const char MSG_PART_DUPLICATE[] = "Duplicate part";
static const char MSG_SYMBOL_SPLIT[] = "Could not split part symbol record";
static const char MSG_SYMBOL_BLANK[] = "Part symbol name must non-blank";
static const char MSG_PROPERTY_SPLIT[] =
    "Could not split part symbol property record";
static const char MSG_PROPERTY_ODD[] =
    "Property record must have an even number of fields";
static const char MSG_TEMPLATE_SPLIT[] = "Could not split part template record";
static const char MSG_PARTREF_SCOPE[] =
    "Part reference is not in a category scope";
static const char MSG_PARTREF_ELEMENTS[] =
    "Wrong number of elements for part reference data";
static const char MSG_PARTREF_MISSING[] =
    "Part reference refers to non-existent part";
static const char MSG_PARTREF_DUPLICATE[] =
    "Part or part reference with same name already exists in this category";

/* Fields of the sub-records of a [part] line. */
enum { SYMBOL_FIELDS = 3, TEMPLATE_FIELDS = 2 };

static const char *ChooseRecordHdlKind(Pdb_ReadState *state, int argc,
                                       char **argv, const char *symbolName,
                                       const char *templateName,
                                       const char *templateDescription);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HandlePart --
 *
 *	Checks a [part] line field by field, builds its part record with the
 *	HDL kind the format version calls for and files it in the current
 *	category and in the database's parts table.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR through the line error report.
 *
 * Side effects:
 *	Splits the sub-records in place in the line buffer; may lower the
 *	database's format version to 1.
 *
 *----------------------------------------------------------------------
 */

int Pdb_HandlePart(Pdb_ReadState *state, int argc, char **argv) {
  if (argc < 4) {
    return Pdb_ReportLineError(state, MSG_PART_ELEMENTS, PDB_EC_SYNTAX);
  }
  if (state->categoryPath == nullptr) {
    return Pdb_ReportLineError(state, MSG_PART_SCOPE, PDB_EC_NOT_IN_CAT);
  }
  const char *partName = argv[1];
  size_t nameLength = strlen(partName);
  if (partName[0] == '/' ||
      (nameLength > 0 && partName[nameLength - 1] == '/')) {
    return Pdb_ReportLineError(state, MSG_PART_NAME, PDB_EC_BAD_PART_NAME);
  }
  if (Pdb_FindPartInGroup(state->group, partName) != nullptr) {
    return Pdb_ReportLineError(state, MSG_PART_DUPLICATE, PDB_EC_DUP_PART);
  }

  int symbolCount = 0;
  char *symbol[SYMBOL_FIELDS];
  if (Tov_SplitListInPlace(nullptr, argv[2], &symbolCount, symbol,
                           SYMBOL_FIELDS) != 0) {
    return Pdb_ReportLineError(state, MSG_SYMBOL_SPLIT, PDB_EC_SYNTAX);
  }
  if (symbolCount != SYMBOL_FIELDS) {
    return Pdb_ReportLineError(state, PDB_MSG_SYMBOL_FIELDS, PDB_EC_SYNTAX);
  }
  if (symbol[0][0] == '\0') {
    return Pdb_ReportLineError(state, MSG_SYMBOL_BLANK, PDB_EC_BAD_PART_NAME);
  }
  int propertyCount = 0;
  char *properties[PDB_PROPERTY_ELEMENTS_MAX];
  if (Tov_SplitListInPlace(nullptr, symbol[2], &propertyCount, properties,
                           PDB_PROPERTY_ELEMENTS_MAX) != 0) {
    return Pdb_ReportLineError(state, MSG_PROPERTY_SPLIT, PDB_EC_SYNTAX);
  }
  if (propertyCount % 2 != 0) {
    return Pdb_ReportLineError(state, MSG_PROPERTY_ODD, PDB_EC_SYNTAX);
  }
  int templateCount = 0;
  char *templ[TEMPLATE_FIELDS];
  if (Tov_SplitListInPlace(nullptr, argv[3], &templateCount, templ,
                           TEMPLATE_FIELDS) != 0) {
    return Pdb_ReportLineError(state, MSG_TEMPLATE_SPLIT, PDB_EC_SYNTAX);
  }
  if (templateCount != TEMPLATE_FIELDS) {
    return Pdb_ReportLineError(state, PDB_MSG_TEMPLATE_FIELDS, PDB_EC_SYNTAX);
  }

  const char *hdl =
      ChooseRecordHdlKind(state, argc, argv, symbol[0], templ[0], templ[1]);
  int pairCount = propertyCount / 2;
  if (!Pdb_Part::fits(partName, symbol[0], templ[0], symbol[1], templ[1], hdl,
                      pairCount)) {
    return Pdb_ReportLineError(state, PDB_MSG_PART_TOO_LONG, PDB_EC_SYNTAX);
  }
  Pdb_Part *part = Pdb_Part::create(partName, symbol[0], templ[0], symbol[1],
                                    templ[1], hdl, pairCount, properties);
  if (part == nullptr) {
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  Pdb_PartEntry *entry = reinterpret_cast<Pdb_PartEntry *>(part);
  if (!state->db->treeEdit()->addEntry(state->categoryNode, entry)) {
    Pdb_DestroyEntry(entry);
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  state->db->addPart(part);
  return TCL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * ChooseRecordHdlKind --
 *
 *	A [part] line without a known HDL kind in field 5 marks the file as
 *	format version 1. From then on every part's kind is derived (with
 *	-update: "vhdl" for a VHDL symbol, else by the graphic-model template
 *	test) or taken as "kelm"; before that, field 5 stands.
 *
 * Results:
 *	The HDL kind: field 5 of the line or a static string.
 *
 * Side effects:
 *	May set the database's version to 1. The symbol test's text is
 *	cleared from the interpreter result again.
 *
 *----------------------------------------------------------------------
 */

static const char *ChooseRecordHdlKind(Pdb_ReadState *state, int argc,
                                       char **argv, const char *symbolName,
                                       const char *templateName,
                                       const char *templateDescription) {
  Pdb_AsciiDb *db = state->db;
  if (argc == 4 || !Pdb_IsHdlKind(argv[4])) {
    db->version = 1;
  }
  if (db->version == 2) {
    return argv[4];
  }
  if (!state->update) {
    return "kelm";
  }
  return Pdb_DeriveHdlKind(state->interp, symbolName, templateName,
                           templateDescription);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_HandlePartReference --
 *
 *	Checks a [part=] line and lists the designated part, which may live
 *	in any database of the group, in the current category.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR through the line error report.
 *
 * Side effects:
 *	Adds a part reference to the current category's list.
 *
 *----------------------------------------------------------------------
 */

int Pdb_HandlePartReference(Pdb_ReadState *state, int argc, char **argv) {
  if (state->categoryPath == nullptr) {
    return Pdb_ReportLineError(state, MSG_PARTREF_SCOPE, PDB_EC_NOT_IN_CAT);
  }
  if (argc != 2) {
    return Pdb_ReportLineError(state, MSG_PARTREF_ELEMENTS, PDB_EC_SYNTAX);
  }
  const Pdb_Part *part = Pdb_FindPartInGroup(state->group, argv[1]);
  if (part == nullptr) {
    return Pdb_ReportLineError(state, MSG_PARTREF_MISSING,
                               PDB_EC_NO_REFFED_PART);
  }
  if (state->db->treeEdit()->findEntry(state->categoryNode, argv[1]) !=
      nullptr) {
    return Pdb_ReportLineError(state, MSG_PARTREF_DUPLICATE,
                               PDB_EC_DUP_PARTREF);
  }
  Pdb_PartRef *reference =
      Pdb_PartRef::create(reinterpret_cast<const Pdb_PartEntry *>(part));
  if (reference == nullptr) {
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  Pdb_PartEntry *entry = reinterpret_cast<Pdb_PartEntry *>(reference);
  if (!state->db->treeEdit()->addEntry(state->categoryNode, entry)) {
    Pdb_DestroyEntry(entry);
    return Pdb_ReportLineError(state, PDB_MSG_NO_MEMORY_TO_READ, PDB_EC_MALLOC);
  }
  return TCL_OK;
}
