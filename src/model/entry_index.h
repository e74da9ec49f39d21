/*
 * entry_index.h --
 *
 *	A side index from part name to entry for long unsorted lists in heap
 *	memory, so that the duplicate checks of a growing list stay constant
 *	time. It lives beside the lists and never changes their layout or
 *	order; lists of a mapped image are never indexed.
 */

#ifndef TOVPART_MODEL_ENTRY_INDEX_H
#define TOVPART_MODEL_ENTRY_INDEX_H

struct Pdb_PartList;
struct Pdb_PartEntry;

/*
 * The first entry named name, when list has an index (building one when
 * the list is long enough). Sets *indexed to false when the caller must
 * scan instead.
 */
Pdb_PartEntry *Pdb_IndexedFind(const Pdb_PartList *list, const char *name,
                               bool *indexed);

/* Keeps an existing index current after an append. */
void Pdb_IndexNoteAppend(const Pdb_PartList *list, Pdb_PartEntry *entry);

/* Drops the index of list (after removals, or when it is destroyed). */
void Pdb_IndexForget(const Pdb_PartList *list);

#endif /* TOVPART_MODEL_ENTRY_INDEX_H */
