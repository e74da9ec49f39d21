/*
 * window.cpp --
 *
 *	The process-wide address window: one reserved range of less than
 *	2 GiB, managed by Boost.Interprocess's red-black-tree best-fit
 *	allocator placed in the range itself. File views are placed on
 *	page-aligned blocks of the same allocator, so heap structures and
 *	mapped images always lie within a signed 32-bit distance of each other.
 */

#include "model/window.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <unistd.h>

#include <boost/interprocess/mem_algo/rbtree_best_fit.hpp>
#include <boost/interprocess/sync/mutex_family.hpp>

namespace {

namespace bip = boost::interprocess;

/*
 * The best-fit memory algorithm alone, placed at the start of the window:
 * raw pointers (the window never moves) and no locking (one thread).
 */
using Arena = bip::rbtree_best_fit<bip::null_mutex_family, void *>;

/*
 * Less than 2 GiB, so that the distance between any two addresses of the
 * window fits a signed 32-bit link.
 */
constexpr std::size_t windowSize = (std::size_t(1) << 31) - (1 << 16);

/* The start and the end of the window stay with ordinary pages. */
constexpr std::size_t smallPagesPart = std::size_t(16) << 20;

/* At most this many file views are mapped at the same time. */
constexpr int maxViews = 256;

struct Window {
  char *base = nullptr;
  Arena *arena = nullptr;
  const void *views[maxViews] = {}; /* a slot is free while nullptr */
  std::size_t liveBlocks = 0;       /* allocated and not yet freed */
};

/*
 * Reserves the window on first use. The range is mapped private and
 * anonymous without reserving swap, so untouched pages cost nothing.
 * A failed reservation aborts: nothing can be stored without the window.
 */
Window &window() {
  static Window w = [] {
    Window made;
    void *range = mmap(nullptr, windowSize, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (range == MAP_FAILED) {
      std::perror("tovpart: cannot reserve the address window");
      std::abort();
    }
    /*
     * Large pages, where the system offers them, save most page faults of
     * big databases. The allocator fills the window from its start, so
     * leaving the first part to ordinary pages keeps a small database
     * from paying for whole 2 MiB pages; so does leaving the last part,
     * where the allocator keeps its end marker.
     */
    madvise(static_cast<char *>(range) + smallPagesPart,
            windowSize - 2 * smallPagesPart, MADV_HUGEPAGE);
    made.base = static_cast<char *>(range);
    made.arena = new (range) Arena(windowSize, 0);
    return made;
  }();
  return w;
}

std::size_t pageSize() {
  static const std::size_t size =
      static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

std::size_t roundToPages(std::size_t size) {
  return (size + pageSize() - 1) / pageSize() * pageSize();
}

} // namespace

void *Pdb_WindowAlloc(std::size_t size) {
  void *block = window().arena->allocate(size == 0 ? 1 : size);
  if (block != nullptr) {
    window().liveBlocks++;
  }
  return block;
}

void Pdb_WindowFree(void *block) {
  if (block != nullptr) {
    window().arena->deallocate(block);
    window().liveBlocks--;
  }
}

std::size_t Pdb_WindowLiveBlocks() { return window().liveBlocks; }

char *Pdb_WindowStrdup(const char *string) {
  std::size_t length = std::strlen(string) + 1;
  char *copy = static_cast<char *>(Pdb_WindowAlloc(length));
  if (copy != nullptr) {
    std::memcpy(copy, string, length);
  }
  return copy;
}

bool Pdb_WindowContains(const void *address, std::size_t size) {
  const char *start = static_cast<const char *>(address);
  const Window &w = window();
  return start >= w.base && size <= windowSize &&
         static_cast<std::size_t>(start - w.base) <= windowSize - size;
}

const void *Pdb_WindowMapFile(int fd, std::size_t size) {
  if (size == 0) {
    errno = EINVAL;
    return nullptr;
  }
  const void **slot = nullptr;
  for (const void *&candidate : window().views) {
    if (candidate == nullptr) {
      slot = &candidate;
      break;
    }
  }
  if (slot == nullptr) {
    errno = EMFILE;
    return nullptr;
  }
  std::size_t span = roundToPages(size);
  void *block = window().arena->allocate_aligned(span, pageSize());
  if (block == nullptr) {
    errno = ENOMEM;
    return nullptr;
  }
  void *view = mmap(block, span, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0);
  if (view == MAP_FAILED) {
    int saved = errno;
    window().arena->deallocate(block);
    errno = saved;
    return nullptr;
  }
  *slot = view;
  return view;
}

int Pdb_WindowUnmapFile(const void *view, std::size_t size) {
  const void **slot = nullptr;
  for (const void *&candidate : window().views) {
    if (view != nullptr && candidate == view) {
      slot = &candidate;
      break;
    }
  }
  if (slot == nullptr) {
    return -1;
  }
  *slot = nullptr;
  std::size_t span = roundToPages(size);
  void *block = const_cast<void *>(view);
  /* Put ordinary anonymous memory back before the allocator reuses it. */
  void *restored =
      mmap(block, span, PROT_READ | PROT_WRITE,
           MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED | MAP_NORESERVE, -1, 0);
  if (restored == MAP_FAILED) {
    std::perror("tovpart: cannot return a view to the address window");
    std::abort();
  }
  window().arena->deallocate(block);
  return 0;
}
