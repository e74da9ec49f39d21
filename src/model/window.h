/*
 * window.h --
 *
 *	The process-wide address window. Every structure joined by
 *	self-relative links (part records, references, part lists and their
 *	slot arrays, categories, nodes, their strings, tree holders) and every
 *	mapped binary image lives inside one reserved range of less than
 *	2 GiB, so any two of them are within a signed 32-bit distance of each
 *	other. Running out of the window, or a system that refuses to reserve
 *	it, is an ordinary allocation failure: nothing here ends the process.
 */

#ifndef TOVPART_MODEL_WINDOW_H
#define TOVPART_MODEL_WINDOW_H

#include <cstddef>

/*
 * Allocates size bytes (8-byte aligned) in the window, reserving it on
 * first use. nullptr with errno set when the window is full or cannot be
 * reserved.
 */
void *Pdb_WindowAlloc(std::size_t size);

/* Releases a block of Pdb_WindowAlloc; nullptr is ignored. */
void Pdb_WindowFree(void *block);

/* Blocks allocated and not yet freed (file views not counted). */
std::size_t Pdb_WindowLiveBlocks();

/* File views mapped and not yet unmapped. */
std::size_t Pdb_WindowMappedViews();

/* Copies a NUL-terminated string into the window; nullptr when full. */
char *Pdb_WindowStrdup(const char *string);

/* True when [address, address + size) lies inside the window. */
bool Pdb_WindowContains(const void *address, std::size_t size);

/*
 * Maps size bytes of the file open on descriptor fd, from offset 0,
 * read-only into the window. At most 256 views are mapped at a time.
 * Returns the view, or nullptr with errno set (EMFILE when 256 views are
 * mapped, ENOMEM when the window has no room, EINVAL for size 0, the
 * system's reason when the window cannot be reserved or the file mapped).
 */
const void *Pdb_WindowMapFile(int fd, std::size_t size);

/*
 * Releases a view of Pdb_WindowMapFile and returns its range to the
 * window. Returns 0, or -1 when view is not a mapped view.
 */
int Pdb_WindowUnmapFile(const void *view, std::size_t size);

/*
 * Gives the reservation back when no block and no view remains (the exit
 * point calls it); the next allocation reserves a new window. Returns
 * true when nothing is reserved afterwards.
 */
bool Pdb_WindowRelease();

/*
 * Test hooks for allocation failure: Pdb_WindowFailBlock(n) makes the nth
 * call of Pdb_WindowAlloc from now on (1 for the next) fail as if the
 * window were full, 0 cancels; Pdb_WindowAllocCalls counts every call of
 * Pdb_WindowAlloc ever made.
 */
void Pdb_WindowFailBlock(std::size_t nth);
std::size_t Pdb_WindowAllocCalls();

#endif /* TOVPART_MODEL_WINDOW_H */
