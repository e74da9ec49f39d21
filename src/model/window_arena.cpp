/*
 * window_arena.cpp --
 *
 *	The window's allocator: Boost.Interprocess's red-black-tree best-fit
 *	memory algorithm placed at the start of the window, with raw pointers
 *	(the window never moves) and no locking (one thread). Its free-block
 *	tree lives inside the free space of the window, which the window keeps
 *	poisoned for the address checker and inaccessible for valgrind: the
 *	build leaves this file uninstrumented, and every call here runs with
 *	valgrind's error reporting turned off.
 */

#include "model/window_arena.h"

#include <cstddef>
#include <cstring>
#include <new>

/*
 * The allocator clears the head of every block it hands out with
 * std::memset. The address checker's memset checks its range even when
 * called from unchecked code, and the block is still poisoned then; a
 * plain loop clears it unseen. The volatile stores keep the compiler from
 * turning the loop back into a call of memset.
 */
namespace std {
inline void *Pdb_ArenaMemset(void *block, int value, size_t size) {
  volatile unsigned char *byte = static_cast<unsigned char *>(block);
  for (size_t i = 0; i < size; i++) {
    byte[i] = static_cast<unsigned char>(value);
  }
  return block;
}
} // namespace std
#define memset Pdb_ArenaMemset
#include <boost/interprocess/mem_algo/rbtree_best_fit.hpp>
#include <boost/interprocess/sync/mutex_family.hpp>
#undef memset

#if defined(__has_include)
#if __has_include(<valgrind/valgrind.h>)
#include <valgrind/valgrind.h>
#endif
#endif
#ifndef VALGRIND_DISABLE_ERROR_REPORTING
#define VALGRIND_DISABLE_ERROR_REPORTING
#define VALGRIND_ENABLE_ERROR_REPORTING
#endif

namespace bip = boost::interprocess;

using Arena = bip::rbtree_best_fit<bip::null_mutex_family, void *>;

/* Keeps valgrind quiet about the allocator's own bookkeeping for a scope. */
struct QuietChecker {
  QuietChecker() { VALGRIND_DISABLE_ERROR_REPORTING; }
  ~QuietChecker() { VALGRIND_ENABLE_ERROR_REPORTING; }
  QuietChecker(const QuietChecker &) = delete;
  QuietChecker &operator=(const QuietChecker &) = delete;
};

static Arena *arena = nullptr;

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ArenaInit --
 *
 *	Places an empty allocator over the size bytes at base.
 *
 * Results:
 *	True; false when size is too small for the allocator's own data.
 *
 * Side effects:
 *	Replaces the arena every other function of this file works on.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ArenaInit(void *base, std::size_t size) {
  QuietChecker quiet;
  if (size < Arena::get_min_size(0)) {
    return false;
  }
  arena = new (base) Arena(size, 0);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ArenaAlloc --
 *
 *	Allocates a block of at least size bytes, 8-byte aligned.
 *
 * Results:
 *	The block, or nullptr when the arena is full.
 *
 * Side effects:
 *	None beyond the arena.
 *
 *----------------------------------------------------------------------
 */

void *Pdb_ArenaAlloc(std::size_t size) {
  QuietChecker quiet;
  return arena->allocate(size);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ArenaAllocAligned --
 *
 *	Allocates a block of at least size bytes aligned to alignment.
 *
 * Results:
 *	The block, or nullptr when the arena is full.
 *
 * Side effects:
 *	None beyond the arena.
 *
 *----------------------------------------------------------------------
 */

void *Pdb_ArenaAllocAligned(std::size_t size, std::size_t alignment) {
  QuietChecker quiet;
  return arena->allocate_aligned(size, alignment);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ArenaFree --
 *
 *	Returns a block of Pdb_ArenaAlloc or Pdb_ArenaAllocAligned to the
 *	arena.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The block may merge with free neighbours.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ArenaFree(void *block) {
  QuietChecker quiet;
  arena->deallocate(block);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ArenaUsableSize --
 *
 *	Tells how many bytes of a live block its owner may use.
 *
 * Results:
 *	At least the size it was asked for.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_ArenaUsableSize(const void *block) {
  QuietChecker quiet;
  return arena->size(block);
}
