/*
 * part.cpp --
 *
 *	Building, reading and printing packed part records, and part
 *	references.
 */

#include "model/part.h"

#include <climits>
#include <cstring>

#include "model/list_text.h"
#include "model/window.h"

static void AppendPairStrings(const Pdb_Part *part, Tcl_DString *text,
                              Pdb_Quoting quoting);
static void AppendSymbol(const Pdb_Part *part, Tcl_DString *text,
                         Pdb_Quoting quoting);
static void AppendTemplate(const Pdb_Part *part, Tcl_DString *text,
                           Pdb_Quoting quoting);

static std::size_t MeasureString(const char *s) { return std::strlen(s) + 1; }

/* Bytes of the strings that lie before the property pairs. */
static std::size_t MeasureBeforePairs(const char *name, const char *symbolName,
                                      const char *templateName,
                                      const char *symbolLibrary,
                                      const char *templateDescription,
                                      const char *hdl) {
  return MeasureString(name) + MeasureString(symbolName) +
         MeasureString(symbolLibrary) + MeasureString(templateName) +
         MeasureString(templateDescription) + MeasureString(hdl);
}

static char *CopyString(char *to, const char *from) {
  std::size_t size = MeasureString(from);
  std::memcpy(to, from, size);
  return to + size;
}

/* The string after the NUL that ends s. */
static const char *SkipString(const char *s) { return s + std::strlen(s) + 1; }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Part::fits --
 *
 *	Tells whether a record of these strings can be made: the strings
 *	before the pairs fit the 16-bit offsets and the pair count its field.
 *
 * Results:
 *	True when they do.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_Part::fits(const char *name, const char *symbolName,
                    const char *templateName, const char *symbolLibrary,
                    const char *templateDescription, const char *hdl,
                    int pairCount) {
  return pairCount >= 0 && pairCount <= SHRT_MAX &&
         MeasureBeforePairs(name, symbolName, templateName, symbolLibrary,
                            templateDescription, hdl) <= SHRT_MAX;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Part::sizeOfPairs --
 *
 *	Measures the bytes the pairs take in the string area, NULs included.
 *
 * Results:
 *	The size; 0 when pairCount < 1.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_Part::sizeOfPairs(int pairCount, const char *const *pairs) {
  std::size_t size = 0;
  for (int i = 0; i < 2 * pairCount; i++) {
    size += MeasureString(pairs[i]);
  }
  return size;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Part::create --
 *
 *	Allocates a record of exactly its final size in the address window
 *	and fills it: the strings back to back after the 20-byte header, the
 *	offsets counted from the string area. Returns nullptr when the window
 *	is full or the strings do not fit the 16-bit offsets.
 *
 * Results:
 *	The record, or nullptr.
 *
 * Side effects:
 *	Allocates in the address window; the caller owns the record.
 *
 *----------------------------------------------------------------------
 */

Pdb_Part *Pdb_Part::create(const char *name, const char *symbolName,
                           const char *templateName, const char *symbolLibrary,
                           const char *templateDescription, const char *hdl,
                           int pairCount, const char *const *pairs) {
  /* The strings before the pairs, in their order in the string area. */
  const char *fixed[] = {name,         symbolName,          symbolLibrary,
                         templateName, templateDescription, hdl};
  std::size_t sizes[6];
  std::size_t beforePairs = 0;
  for (int i = 0; i < 6; i++) {
    sizes[i] = MeasureString(fixed[i]);
    beforePairs += sizes[i];
  }
  if (beforePairs > SHRT_MAX || pairCount < 0 || pairCount > SHRT_MAX) {
    return nullptr;
  }
  std::size_t size = headerSize + beforePairs + sizeOfPairs(pairCount, pairs);
  if (size > UINT32_MAX) {
    return nullptr;
  }
  auto *part = static_cast<Pdb_Part *>(Pdb_WindowAlloc(size));
  if (part == nullptr) {
    return nullptr;
  }
  part->kind = PDB_ENTRY_PART;
  part->pairCount = static_cast<int16_t>(pairCount);
  part->unused[0] = part->unused[1] = 0;
  char *area = reinterpret_cast<char *>(part) + headerSize;
  int16_t *offsets[6] = {nullptr, &part->symbolOffset,
                         nullptr, &part->templateOffset,
                         nullptr, &part->hdlOffset};
  char *at = area;
  for (int i = 0; i < 6; i++) {
    if (offsets[i] != nullptr) {
      *offsets[i] = static_cast<int16_t>(at - area);
    }
    std::memcpy(at, fixed[i], sizes[i]);
    at += sizes[i];
  }
  part->propertiesOffset = static_cast<int16_t>(at - area);
  for (int i = 0; i < 2 * pairCount; i++) {
    at = CopyString(at, pairs[i]);
  }
  part->size = static_cast<uint32_t>(at - reinterpret_cast<char *>(part));
  return part;
}

const char *Pdb_Part::symbolLibrary() const { return SkipString(symbolName()); }

const char *Pdb_Part::templateDescription() const {
  return SkipString(templateName());
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Part::pair --
 *
 *	Finds the i-th property pair of the record, counted from 0
 *	(0 <= i < pairCount).
 *
 * Results:
 *	Its name in *propertyName and value in *propertyValue, pointing into
 *	the record.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Part::pair(int i, const char **propertyName,
                    const char **propertyValue) const {
  const char *at = strings() + propertiesOffset;
  for (int skip = 0; skip < 2 * i; skip++) {
    at = SkipString(at);
  }
  *propertyName = at;
  *propertyValue = SkipString(at);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartRef::create --
 *
 *	Makes a new part reference in the address window to entry's part (the
 *	record itself for a record, the record a reference designates for a
 *	reference).
 *
 * Results:
 *	The reference, or nullptr when the window is full.
 *
 * Side effects:
 *	Allocates; Pdb_DestroyEntry frees it.
 *
 *----------------------------------------------------------------------
 */

Pdb_PartRef *Pdb_PartRef::create(const Pdb_PartEntry *entry) {
  auto *ref = static_cast<Pdb_PartRef *>(Pdb_WindowAlloc(sizeof(Pdb_PartRef)));
  if (ref != nullptr) {
    ref->makeReference(entry);
  }
  return ref;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_PartRef::makeReference --
 *
 *	Makes this storage a reference to entry's part, never to another
 *	reference.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Overwrites the kind and the link.
 *
 *----------------------------------------------------------------------
 */

void Pdb_PartRef::makeReference(const Pdb_PartEntry *entry) {
  kind = PDB_ENTRY_REFERENCE;
  part.set(this, Pdb_ResolveEntry(entry));
}

/* The pair strings name value name value ... appended one by one. */
static void AppendPairStrings(const Pdb_Part *part, Tcl_DString *text,
                              Pdb_Quoting quoting) {
  const char *at = part->strings() + part->propertiesOffset;
  for (int i = 0; i < 2 * part->pairCount; i++) {
    Pdb_AppendElement(text, at, quoting);
    at = SkipString(at);
  }
}

static void AppendSymbol(const Pdb_Part *part, Tcl_DString *text,
                         Pdb_Quoting quoting) {
  Pdb_AppendElement(text, part->symbolName(), quoting);
  Pdb_AppendElement(text, part->symbolLibrary(), quoting);
  Tcl_DStringStartSublist(text);
  AppendPairStrings(part, text, quoting);
  Tcl_DStringEndSublist(text);
}

static void AppendTemplate(const Pdb_Part *part, Tcl_DString *text,
                           Pdb_Quoting quoting) {
  Pdb_AppendElement(text, part->templateName(), quoting);
  Pdb_AppendElement(text, part->templateDescription(), quoting);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_FormatPartText --
 *
 *	Builds the list text of the selected field group: the whole part
 *	(name {symbol library {pairs}} {template description} hdl), the
 *	symbol group, the template group, the HDL string, or one sublist per
 *	property pair. Another selector gives the empty string.
 *
 *	One-line quoting keeps the text free of line breaks.
 *
 * Results:
 *	True, always; the text in *text, which is initialised here and freed
 *	by the caller.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_FormatPartText(const Pdb_Part *part, int selector, Tcl_DString *text,
                        Pdb_Quoting quoting) {
  Tcl_DStringInit(text);
  switch (selector) {
  case PDB_FIELD_WHOLE:
    Pdb_AppendElement(text, part->name(), quoting);
    Tcl_DStringStartSublist(text);
    AppendSymbol(part, text, quoting);
    Tcl_DStringEndSublist(text);
    Tcl_DStringStartSublist(text);
    AppendTemplate(part, text, quoting);
    Tcl_DStringEndSublist(text);
    Pdb_AppendElement(text, part->hdl(), quoting);
    break;
  case PDB_FIELD_SYMBOL:
    AppendSymbol(part, text, quoting);
    break;
  case PDB_FIELD_TEMPLATE:
    AppendTemplate(part, text, quoting);
    break;
  case PDB_FIELD_HDL:
    Pdb_AppendElement(text, part->hdl(), quoting);
    break;
  case PDB_FIELD_PROPERTIES:
    for (int i = 0; i < part->pairCount; i++) {
      const char *propertyName;
      const char *propertyValue;
      part->pair(i, &propertyName, &propertyValue);
      Tcl_DStringStartSublist(text);
      Pdb_AppendElement(text, propertyName, quoting);
      Pdb_AppendElement(text, propertyValue, quoting);
      Tcl_DStringEndSublist(text);
    }
    break;
  default:
    break;
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_DestroyEntry --
 *
 *	Frees a part record or a part reference.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The entry's memory goes back to the address window.
 *
 *----------------------------------------------------------------------
 */

void Pdb_DestroyEntry(Pdb_PartEntry *entry) { Pdb_WindowFree(entry); }
