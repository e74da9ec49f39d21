/*
 * window_arena.h --
 *
 *	The general-purpose allocator that manages the address window from
 *	inside it. Only window.cpp calls it. Its bookkeeping lives in the
 *	window among the blocks it hands out, so this file is built without
 *	the address checker (it must read and write the bookkeeping that the
 *	window keeps poisoned), and memory checkers report nothing while it
 *	runs.
 */

#ifndef TOVPART_MODEL_WINDOW_ARENA_H
#define TOVPART_MODEL_WINDOW_ARENA_H

#include <cstddef>

/* Places an empty allocator over the size bytes at base; false on failure. */
bool Pdb_ArenaInit(void *base, std::size_t size);

/* A block of at least size bytes (8-byte aligned), or nullptr when full. */
void *Pdb_ArenaAlloc(std::size_t size);

/* A block of at least size bytes aligned to alignment, or nullptr. */
void *Pdb_ArenaAllocAligned(std::size_t size, std::size_t alignment);

/* Returns a block of Pdb_ArenaAlloc or Pdb_ArenaAllocAligned. */
void Pdb_ArenaFree(void *block);

/* The bytes of a live block that its owner may use (at least its size). */
std::size_t Pdb_ArenaUsableSize(const void *block);

#endif /* TOVPART_MODEL_WINDOW_ARENA_H */
