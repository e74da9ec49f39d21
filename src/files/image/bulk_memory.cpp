/*
 * bulk_memory.cpp --
 *
 *	Large zero-filled blocks mapped from anonymous memory with their pages
 *	populated at once.
 */

#include "files/image/bulk_memory.h"

#include <sys/mman.h>
#include <unistd.h>

/* Blocks from this size on ask for huge pages. */
static const std::size_t HUGE_THRESHOLD = std::size_t(8) << 20;

static void PopulatePages(void *start, std::size_t size);

/*
 * Asks for huge pages (fewer TLB misses on the random accesses of the
 * position map) and faults in the pages of [start, start + size). A
 * kernel that grants neither leaves the pages to be faulted in on first
 * touch.
 */
static void PopulatePages(void *start, std::size_t size) {
#ifdef MADV_HUGEPAGE
  if (size >= HUGE_THRESHOLD) {
    madvise(start, size, MADV_HUGEPAGE);
  }
#endif
#ifdef MADV_POPULATE_WRITE
  if (size > 0) {
    madvise(start, size, MADV_POPULATE_WRITE);
  }
#else
  (void)start;
  (void)size;
#endif
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BulkRound --
 *
 *	Rounds size up to whole pages.
 *
 * Results:
 *	The rounded size.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_BulkRound(std::size_t size) {
  static const std::size_t page =
      static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BulkAlloc --
 *
 *	Maps a zero-filled block of size bytes (whole pages), asking for huge
 *	pages for large blocks and faulting its pages in at once.
 *
 * Results:
 *	The block, or nullptr when the system has no memory for it.
 *
 * Side effects:
 *	Pdb_BulkFree releases the block.
 *
 *----------------------------------------------------------------------
 */

void *Pdb_BulkAlloc(std::size_t size) {
  void *block = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) {
    return nullptr;
  }
  PopulatePages(block, size);
  return block;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BulkGrow --
 *
 *	Grows a block of Pdb_BulkAlloc from oldSize to newSize bytes (whole
 *	pages), possibly moving it; the contents are kept and the new bytes
 *	are zero and faulted in.
 *
 * Results:
 *	The block, or nullptr when it cannot grow (the old block then stays
 *	valid).
 *
 * Side effects:
 *	The old address is invalid once the block has moved.
 *
 *----------------------------------------------------------------------
 */

void *Pdb_BulkGrow(void *block, std::size_t oldSize, std::size_t newSize) {
  void *moved = mremap(block, oldSize, newSize, MREMAP_MAYMOVE);
  if (moved == MAP_FAILED) {
    return nullptr;
  }
  PopulatePages(static_cast<char *>(moved) + oldSize, newSize - oldSize);
  return moved;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BulkFree --
 *
 *	Releases a block of size bytes that Pdb_BulkAlloc or Pdb_BulkGrow
 *	gave; nullptr is ignored.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Unmaps the block.
 *
 *----------------------------------------------------------------------
 */

void Pdb_BulkFree(void *block, std::size_t size) {
  if (block != nullptr) {
    munmap(block, size);
  }
}
