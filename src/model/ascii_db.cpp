/*
 * ascii_db.cpp --
 *
 *	The database read from an ASCII file: part records in a hash table
 *	keyed by name, and a heap tree.
 */

#include "model/ascii_db.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string_view>

#include "host/tov_host.h"
#include "model/group.h"

/*
 * The parts table is keyed by part name, but an entry keeps a pointer to
 * the name inside its record instead of a copy: with a million parts the
 * copies would cost as much again as the names themselves. Only addPart
 * creates entries, always with the record's own name, and a record leaves
 * the table before it is freed.
 */
/*
 * A well-mixed hash: part names are often a prefix and a counter, and the
 * classic shift-and-add string hash gives such names many collisions
 * ("P09" and "P10" hash alike).
 */
static unsigned HashPartName(Tcl_HashTable *, void *key) {
  std::size_t hash =
      std::hash<std::string_view>()(static_cast<const char *>(key));
  return static_cast<unsigned>(hash ^ (hash >> 32));
}

static int IsSamePartName(void *key, Tcl_HashEntry *entry) {
  return std::strcmp(static_cast<const char *>(key), entry->key.oneWordValue) ==
         0;
}

/*
 * Entries come from Tcl's allocator, as those of every other Tcl hash
 * table: Tcl gives its tables no way to report exhaustion.
 */
static Tcl_HashEntry *AllocPartEntry(Tcl_HashTable *, void *key) {
  auto *entry =
      reinterpret_cast<Tcl_HashEntry *>(Tcl_Alloc(sizeof(Tcl_HashEntry)));
  entry->key.oneWordValue = static_cast<char *>(key);
  entry->clientData = nullptr;
  return entry;
}

static void FreePartEntry(Tcl_HashEntry *entry) {
  Tcl_Free(reinterpret_cast<char *>(entry));
}

static const Tcl_HashKeyType partNameKeys = {TCL_HASH_KEY_TYPE_VERSION,
                                             TCL_HASH_KEY_RANDOMIZE_HASH,
                                             HashPartName,
                                             IsSamePartName,
                                             AllocPartEntry,
                                             FreePartEntry};

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::Pdb_AsciiDb --
 *
 *	Makes an ASCII database of group on the open file: an empty parts
 *	table and a tree holding only the root "/".
 *
 * Results:
 *	None; tree is nullptr when the tree could not be allocated, which the
 *	caller must check.
 *
 * Side effects:
 *	Takes over file (see Pdb_Database).
 *
 *----------------------------------------------------------------------
 */

Pdb_AsciiDb::Pdb_AsciiDb(Pdb_Group *owner, FILE *file, int kind,
                         const char *name)
    : Pdb_Database(file, kind, name), group(owner) {
  Tcl_InitCustomHashTable(&parts, TCL_CUSTOM_PTR_KEYS, &partNameKeys);
  tree = edit.tree();
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::~Pdb_AsciiDb --
 *
 *	Takes every reference to this database's parts out of the other
 *	databases of the group and its hidden lists (unless the whole group is
 *	going), then frees the tree and then the records. Ownership is tested
 *	by a lookup in the parts table and the walks climb by parent links, so
 *	nothing is allocated and teardown cannot fail.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Frees the tree and every part record; the base destructor closes the
 *	file.
 *
 *----------------------------------------------------------------------
 */

Pdb_AsciiDb::~Pdb_AsciiDb() {
  if (group != nullptr && !group->dismantling() && parts.numEntries > 0) {
    auto mine = [this](const Pdb_Part *part) { return owns(part); };
    group->forEachDatabase([&](Pdb_Database *db) {
      Pdb_TreeEdit *other = db->treeEdit();
      if (other != nullptr && other != &edit) {
        other->removePartsWhere(mine);
      }
    });
    group->hidden.forgetPartsWhere(mine);
  }
  edit.destroyTree();
  tree = nullptr;
  /* One search, each entry deleted once the search has moved past it:
   * restarting from the first bucket after every deletion would scan the
   * emptied buckets again and again. */
  Tcl_HashSearch search;
  Tcl_HashEntry *e = Tcl_FirstHashEntry(&parts, &search);
  while (e != nullptr) {
    Tcl_HashEntry *next = Tcl_NextHashEntry(&search);
    auto *part = static_cast<Pdb_PartEntry *>(Tcl_GetHashValue(e));
    Tcl_DeleteHashEntry(e);
    Pdb_DestroyEntry(part);
    e = next;
  }
  Tcl_DeleteHashTable(&parts);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::addPart --
 *
 *	Enters a new record into the parts table under its name.
 *
 * Results:
 *	True; false when the name is taken (the record is then not entered).
 *
 * Side effects:
 *	The database owns the record from now on.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_AsciiDb::addPart(Pdb_Part *part) {
  int isNew = 0;
  Tcl_HashEntry *entry =
      Tcl_CreateHashEntry(&parts, const_cast<char *>(part->name()), &isNew);
  if (!isNew) {
    return false;
  }
  Tcl_SetHashValue(entry, part);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::owns --
 *
 *	Tells whether part is one of this database's own records, by a lookup
 *	of its name in the parts table (allocates nothing).
 *
 * Results:
 *	True when it is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_AsciiDb::owns(const Pdb_Part *part) {
  return findPart(part->name()) == part;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::findPartByField --
 *
 *	Finds the first record of the parts table, in table order, whose
 *	symbol name (selector 4) or template name (selector 5) equals value.
 *
 * Results:
 *	The record, or nullptr; nullptr after the unknown-type line for
 *	another selector.
 *
 * Side effects:
 *	See Pdb_Database::unknownSelector.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_AsciiDb::findPartByField(int selector, const char *value) {
  if (selector != PDB_FIELD_SYMBOL && selector != PDB_FIELD_TEMPLATE) {
    return unknownSelector(selector);
  }
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&parts, &search); e != nullptr;
       e = Tcl_NextHashEntry(&search)) {
    const auto *part = static_cast<const Pdb_Part *>(Tcl_GetHashValue(e));
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
 * Pdb_AsciiDb::findPart --
 *
 *	Looks a part record up by name in the parts table.
 *
 * Results:
 *	The record, or nullptr.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const Pdb_Part *Pdb_AsciiDb::findPart(const char *partName) {
  Tcl_HashEntry *entry = Tcl_FindHashEntry(&parts, partName);
  return entry == nullptr
             ? nullptr
             : static_cast<const Pdb_Part *>(Tcl_GetHashValue(entry));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::printPartsTable --
 *
 *	Writes "<<<<<< partsTable:" and then the whole text of every record, a
 *	line each, in table order.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to out.
 *
 *----------------------------------------------------------------------
 */

void Pdb_AsciiDb::printPartsTable(FILE *out) {
  std::fputs("<<<<<< partsTable:\n", out);
  Tcl_HashSearch search;
  for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&parts, &search); e != nullptr;
       e = Tcl_NextHashEntry(&search)) {
    Tcl_DString text;
    Pdb_FormatPartText(static_cast<const Pdb_Part *>(Tcl_GetHashValue(e)),
                       PDB_FIELD_WHOLE, &text);
    std::fprintf(out, "%s\n", Tcl_DStringValue(&text));
    Tcl_DStringFree(&text);
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_AsciiDb::partCount --
 *
 *	Counts the records of the parts table.
 *
 * Results:
 *	The count.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

int Pdb_AsciiDb::partCount() { return Tov_HashTableSize(&parts); }
