/*
 * part.h --
 *
 *	The packed part record and the part reference, the two kinds of part
 *	entry that category lists hold. Both layouts are stored byte for byte
 *	in binary images.
 */

#ifndef TOVPART_MODEL_PART_H
#define TOVPART_MODEL_PART_H

#include <cstddef>
#include <cstdint>
#include <tcl.h>
#include <type_traits>

#include "model/list_text.h"
#include "model/relptr.h"

/* Kinds of part entry: the first word of every entry of a part list. */
enum { PDB_ENTRY_PART = 0, PDB_ENTRY_REFERENCE = 1 };

/* Field selectors of the text form and of find-by-field. */
enum {
  PDB_FIELD_WHOLE = 0,
  PDB_FIELD_SYMBOL = 4,
  PDB_FIELD_TEMPLATE = 5,
  PDB_FIELD_HDL = 6,
  PDB_FIELD_PROPERTIES = 11
};

struct Pdb_PartEntry {
  int32_t kind; /* PDB_ENTRY_PART or PDB_ENTRY_REFERENCE */
};

struct Pdb_Part {
  int32_t kind;         /* always PDB_ENTRY_PART */
  uint32_t size;        /* whole record, header included */
  int16_t symbolOffset; /* string offsets count from the string area */
  int16_t templateOffset;
  int16_t hdlOffset;
  int16_t pairCount;
  int16_t propertiesOffset;
  uint8_t unused[2];
  /* The string area follows at byte 20. */

  static constexpr std::size_t headerSize = 20;

  /*
   * Builds a record in the address window. pairs holds 2 * pairCount
   * strings, name then value of each pair. Returns nullptr when the
   * allocation fails or when the strings do not fit the 16-bit offsets
   * (see fits()).
   */
  static Pdb_Part *create(const char *name, const char *symbolName,
                          const char *templateName, const char *symbolLibrary,
                          const char *templateDescription, const char *hdl,
                          int pairCount, const char *const *pairs);

  /* True when the strings before the pairs and the pair count fit. */
  static bool fits(const char *name, const char *symbolName,
                   const char *templateName, const char *symbolLibrary,
                   const char *templateDescription, const char *hdl,
                   int pairCount);

  /* Bytes the pairs take in the string area; 0 when pairCount < 1. */
  static std::size_t sizeOfPairs(int pairCount, const char *const *pairs);

  const char *strings() const {
    return reinterpret_cast<const char *>(this) + headerSize;
  }
  const char *name() const { return strings(); }
  const char *symbolName() const { return strings() + symbolOffset; }
  const char *symbolLibrary() const;
  const char *templateName() const { return strings() + templateOffset; }
  const char *templateDescription() const;
  const char *hdl() const { return strings() + hdlOffset; }

  /* The i-th property pair, counted from 0. */
  void pair(int i, const char **propertyName, const char **propertyValue) const;
};

static_assert(std::is_standard_layout_v<Pdb_Part>);
static_assert(sizeof(Pdb_Part) == 20);
static_assert(offsetof(Pdb_Part, size) == 4);
static_assert(offsetof(Pdb_Part, symbolOffset) == 8);
static_assert(offsetof(Pdb_Part, templateOffset) == 10);
static_assert(offsetof(Pdb_Part, hdlOffset) == 12);
static_assert(offsetof(Pdb_Part, pairCount) == 14);
static_assert(offsetof(Pdb_Part, propertiesOffset) == 16);

struct Pdb_PartRef {
  int32_t kind;    /* always PDB_ENTRY_REFERENCE */
  Pdb_RelPtr part; /* the designated record, based on this reference */

  /* A new reference in the window to entry's part; nullptr when full. */
  static Pdb_PartRef *create(const Pdb_PartEntry *entry);

  /* Makes this storage a reference to entry's part (never to a reference). */
  void makeReference(const Pdb_PartEntry *entry);
};

static_assert(std::is_standard_layout_v<Pdb_PartRef>);
static_assert(sizeof(Pdb_PartRef) == 8);
static_assert(offsetof(Pdb_PartRef, part) == 4);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ResolveEntry --
 *
 *	Gives the part an entry stands for: itself, or the target of a
 *	reference. Inline: searches call it once per entry.
 *
 * Results:
 *	The part record.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

inline const Pdb_Part *Pdb_ResolveEntry(const Pdb_PartEntry *entry) {
  if (entry->kind == PDB_ENTRY_PART) {
    return reinterpret_cast<const Pdb_Part *>(entry);
  }
  const auto *ref = reinterpret_cast<const Pdb_PartRef *>(entry);
  return ref->part.get<const Pdb_Part>(ref);
}

/* Name of the entry's resolved part. */
inline const char *Pdb_GetEntryName(const Pdb_PartEntry *entry) {
  return Pdb_ResolveEntry(entry)->name();
}

/*
 * Builds the Tcl list text of the selected fields into text, which it
 * initialises first. One-line quoting keeps the text free of line breaks.
 * Always returns true.
 */
bool Pdb_FormatPartText(const Pdb_Part *part, int selector, Tcl_DString *text,
                        Pdb_Quoting quoting = PDB_QUOTE_TCL);

/* Frees a part record or a part reference. */
void Pdb_DestroyEntry(Pdb_PartEntry *entry);

#endif /* TOVPART_MODEL_PART_H */
