/*
 * binary_db.cpp --
 *
 *	The database of a binary image mapped into the address window: parts
 *	are found in the image's sorted part list (through a name index once
 *	the list is asked often), the tree is used in place.
 */

#include "model/binary_db.h"

#include <cstring>

#include "model/window.h"

/*
 * Lookups before a large list gets its name index: the first lookups in a
 * fresh mapping are slowed by page faults anyway, and a database asked
 * only a few times is spared the index's memory.
 */
static const int INDEX_AFTER_LOOKUPS = 64;

static const Pdb_PartList *GetMappedList(const Pdb_BinaryDb *db);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::Pdb_BinaryDb --
 *
 *	Makes a binary database on the open file, with nothing mapped yet
 *	(Pdb_LoadBinary maps it).
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Takes over file (see Pdb_Database).
 *
 *----------------------------------------------------------------------
 */

Pdb_BinaryDb::Pdb_BinaryDb(FILE *file, int kind, const char *name)
    : Pdb_Database(file, kind, name),
      partList(static_cast<Pdb_PartList *>(unset())), mapBase(unset()),
      mapSize(~uint32_t(0)) {
  binary = 1;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::~Pdb_BinaryDb --
 *
 *	Unmaps the image, if one was mapped, and gives its range back to the
 *	address window.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Every structure of the image is gone afterwards; the base destructor
 *	closes the file. Allocates nothing.
 *
 *----------------------------------------------------------------------
 */

Pdb_BinaryDb::~Pdb_BinaryDb() {
  if (isMapped()) {
    Pdb_WindowUnmapFile(mapBase, mapSize);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::isMapped --
 *
 *	Tells whether the image has been mapped.
 *
 * Results:
 *	True when it has.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_BinaryDb::isMapped() const { return mapBase != unset(); }

/* The part list, or nullptr while nothing is mapped. */
static const Pdb_PartList *GetMappedList(const Pdb_BinaryDb *db) {
  return db->isMapped() && db->partList != Pdb_BinaryDb::unset() ? db->partList
                                                                 : nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::findPartByField --
 *
 *	Finds the first record of the image's sorted part list, in name order,
 *	whose symbol name (selector 4) or template name (selector 5) equals
 *	value.
 *
 * Results:
 *	The record, or nullptr (also while nothing is mapped); nullptr after
 *	the unknown-type line for another selector.
 *
 * Side effects:
 *	See Pdb_Database::unknownSelector.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_BinaryDb::findPartByField(int selector, const char *value) {
  if (selector != PDB_FIELD_SYMBOL && selector != PDB_FIELD_TEMPLATE) {
    return unknownSelector(selector);
  }
  const Pdb_PartList *list = GetMappedList(this);
  for (int i = 0; list != nullptr && i < partCount(); i++) {
    const Pdb_Part *part = Pdb_ResolveEntry(list->entry(i));
    const char *field = selector == PDB_FIELD_SYMBOL ? part->symbolName()
                                                     : part->templateName();
    if (std::strcmp(field, value) == 0) {
      return part;
    }
  }
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::findPart --
 *
 *	Looks a part record up by name in the image's sorted part list, by
 *	binary search, or through a name index that a large list gets after
 *	its first INDEX_AFTER_LOOKUPS lookups.
 *
 * Results:
 *	The record, or nullptr (also while nothing is mapped).
 *
 * Side effects:
 *	May build the name index; one that cannot be built is done without.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_BinaryDb::findPart(const char *partName) {
  const Pdb_PartList *list = GetMappedList(this);
  if (list == nullptr) {
    return nullptr;
  }
  if (lookups < INDEX_AFTER_LOOKUPS && ++lookups == INDEX_AFTER_LOOKUPS) {
    int levels = Pdb_NameIndex::levelsFor(list->count);
    if (levels > 0 && list->sorted == 1) {
      nameIndex = Pdb_NameIndex::create(list, levels);
    }
  }
  const Pdb_PartEntry *entry =
      nameIndex != nullptr ? nameIndex->find(partName) : list->find(partName);
  if (entry == nullptr || entry->kind > PDB_ENTRY_PART) {
    return nullptr;
  }
  return reinterpret_cast<const Pdb_Part *>(entry);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::printPartsTable --
 *
 *	Writes "<<<<<< partsTable:" and then the whole text of every record, a
 *	line each, in name order.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to out.
 *
 *----------------------------------------------------------------------
 */

void Pdb_BinaryDb::printPartsTable(FILE *out) {
  std::fputs("<<<<<< partsTable:\n", out);
  const Pdb_PartList *list = GetMappedList(this);
  for (int i = 0; list != nullptr && i < list->count; i++) {
    Tcl_DString text;
    Pdb_FormatPartText(Pdb_ResolveEntry(list->entry(i)), PDB_FIELD_WHOLE,
                       &text);
    std::fprintf(out, "%s\n", Tcl_DStringValue(&text));
    Tcl_DStringFree(&text);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BinaryDb::partCount --
 *
 *	Counts the records of the image's part list.
 *
 * Results:
 *	The count; 0 while nothing is mapped.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Pdb_BinaryDb::partCount() {
  const Pdb_PartList *list = GetMappedList(this);
  return list == nullptr ? 0 : list->count;
}
