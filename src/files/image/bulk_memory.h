/*
 * bulk_memory.h --
 *
 *	Large zero-filled blocks for the image writer's buffer and position
 *	map, with their pages faulted in up front: writing a big image would
 *	otherwise take one page fault per 4 KiB touched.
 */

#ifndef TOVPART_FILES_BULK_MEMORY_H
#define TOVPART_FILES_BULK_MEMORY_H

#include <cstddef>

/* Rounds size up to whole pages. */
std::size_t Pdb_BulkRound(std::size_t size);

/* A zero-filled block of size bytes (whole pages); nullptr when none. */
void *Pdb_BulkAlloc(std::size_t size);

/*
 * Grows a block of Pdb_BulkAlloc from oldSize to newSize bytes (whole
 * pages), possibly moving it; the contents are kept and the new bytes are
 * zero. Returns the block, or nullptr (the old block stays valid).
 */
void *Pdb_BulkGrow(void *block, std::size_t oldSize, std::size_t newSize);

/* Releases a block of size bytes; nullptr is ignored. */
void Pdb_BulkFree(void *block, std::size_t size);

#endif /* TOVPART_FILES_BULK_MEMORY_H */
