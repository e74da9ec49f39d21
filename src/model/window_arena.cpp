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

bool Pdb_ArenaInit(void *base, std::size_t size) {
  QuietChecker quiet;
  if (size < Arena::get_min_size(0)) {
    return false;
  }
  arena = new (base) Arena(size, 0);
  return true;
}

void *Pdb_ArenaAlloc(std::size_t size) {
  QuietChecker quiet;
  return arena->allocate(size);
}

void *Pdb_ArenaAllocAligned(std::size_t size, std::size_t alignment) {
  QuietChecker quiet;
  return arena->allocate_aligned(size, alignment);
}

void Pdb_ArenaFree(void *block) {
  QuietChecker quiet;
  arena->deallocate(block);
}

std::size_t Pdb_ArenaUsableSize(const void *block) {
  QuietChecker quiet;
  return arena->size(block);
}
