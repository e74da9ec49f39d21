/*
 * window.cpp --
 *
 *	The process-wide address window: one reserved range of less than
 *	2 GiB, managed by the allocator of window_arena.cpp placed in the
 *	range itself. File views are placed on blocks of the same allocator
 *	(aligned to large pages), so heap structures and mapped images always
 *	lie within a signed 32-bit distance of each other. The range is
 *	reserved on first use and given back by Pdb_WindowRelease once nothing
 *	lives in it; a reservation or mapping that the system refuses is an
 *	ordinary failure of the call that needed it.
 *
 *	Large pages follow the heap: the advice to use them runs a little
 *	ahead of the highest heap block and never covers a file view or the
 *	free space a view is about to be placed in, where the allocator's
 *	block headers would otherwise fault in and clear a whole large page
 *	on every mapping.
 *
 *	Memory checkers see inside the window: for AddressSanitizer all of it
 *	is poisoned except live blocks and mapped views, and valgrind is told
 *	of every block as a member of a memory pool.
 */

#include "model/window.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

#include "model/window_arena.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOVPART_WINDOW_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define TOVPART_WINDOW_ASAN 1
#endif
#ifdef TOVPART_WINDOW_ASAN
#include <sanitizer/asan_interface.h>
#else
#define ASAN_POISON_MEMORY_REGION(address, size) ((void)(address), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(address, size)                             \
  ((void)(address), (void)(size))
#endif

#if defined(__has_include)
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#endif
#endif
#ifndef VALGRIND_CREATE_MEMPOOL
#define VALGRIND_CREATE_MEMPOOL(pool, redZone, zeroed)
#define VALGRIND_DESTROY_MEMPOOL(pool)
#define VALGRIND_MEMPOOL_ALLOC(pool, block, size)
#define VALGRIND_MEMPOOL_FREE(pool, block)
#define VALGRIND_MAKE_MEM_NOACCESS(address, size)
#endif

/*
 * Less than 2 GiB, so that the distance between any two addresses of the
 * window fits a signed 32-bit link.
 */
static constexpr std::size_t windowSize = (std::size_t(1) << 31) - (1 << 16);

/* The start and the end of the window stay with ordinary pages. */
static constexpr std::size_t smallPagesPart = std::size_t(16) << 20;

/* The size and alignment of the system's large pages. */
static constexpr std::size_t largePage = std::size_t(2) << 20;

/*
 * The large-page advice stays at least largePageLead ahead of the highest
 * heap block, and grows in steps of largePageStep, so that the allocator
 * writes its headers in advised space and madvise is called rarely.
 */
static constexpr std::size_t largePageLead = std::size_t(4) << 20;
static constexpr std::size_t largePageStep = std::size_t(32) << 20;

/* Free space is poisoned for the address checker in steps of this size. */
static constexpr std::size_t poisonStep = std::size_t(1) << 20;

/* At most this many file views are mapped at the same time. */
enum { MAX_VIEWS = 256 };

struct Window {
  char *base;                   /* nullptr while nothing is reserved */
  int reserveErrno;             /* why the last reservation failed */
  const void *views[MAX_VIEWS]; /* a slot is free while nullptr */
  std::size_t viewCount;        /* slots in use */
  std::size_t lostRanges;       /* view ranges that could not be restored */
  std::size_t liveBlocks;       /* allocated and not yet freed */
  std::size_t allocCalls;       /* calls of Pdb_WindowAlloc ever made */
  std::size_t failingCall;      /* test hook: the call that fails; 0 none */
  char *poisonedEnd;            /* [base, poisonedEnd) is poisoned but for
                                 * live blocks and views */
  char *heapTop;                /* the highest end of a heap block so far */
  char *adviceEnd;              /* large pages are advised for the heap's
                                 * part of [base + smallPagesPart,
                                 * adviceEnd), never for a view */
  char *viewTop;                /* the highest end of a view so far */
};

static Window window;

static bool ReserveWindow();
static void AdviseLargePagesFor(char *blockEnd);
static void WithdrawLargePagesAboveHeap();
static void KeepLargePagesOff(char *start, char *end);
static char *RoundUpTo(char *address, std::size_t alignment);
static void PoisonUpTo(const char *end);
static void ShowBlock(char *block, std::size_t size);
static void HideBlock(char *block);
static std::size_t GetPageSize();
static std::size_t RoundToPages(std::size_t size);
static const void **FindViewSlot(const void *view);

/*
 *----------------------------------------------------------------------
 *
 * ReserveWindow --
 *
 *	Reserves the window unless it is reserved already. The range is mapped
 *	private and anonymous without reserving swap, so untouched pages cost
 *	nothing.
 *
 * Results:
 *	True when the window is reserved; false when the system refused the
 *	range, with errno and window.reserveErrno set to its reason. A later
 *	call tries again.
 *
 *----------------------------------------------------------------------
 */

static bool ReserveWindow() {
  if (window.base != nullptr) {
    return true;
  }
  void *range = mmap(nullptr, windowSize, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (range == MAP_FAILED) {
    window.reserveErrno = errno;
    return false;
  }
  if (!Pdb_ArenaInit(range, windowSize)) {
    munmap(range, windowSize);
    window.reserveErrno = errno = ENOMEM;
    return false;
  }
  /*
   * Ordinary pages everywhere, whatever the system's default; the heap
   * asks for large pages as it grows (AdviseLargePagesFor).
   */
  madvise(range, windowSize, MADV_NOHUGEPAGE);
  window.base = static_cast<char *>(range);
  window.poisonedEnd = window.base;
  window.heapTop = window.base;
  window.adviceEnd = window.base + smallPagesPart;
  window.viewTop = window.base;
  PoisonUpTo(window.base + poisonStep);
  VALGRIND_MAKE_MEM_NOACCESS(window.base, windowSize);
  VALGRIND_CREATE_MEMPOOL(window.base, 0, 0);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * AdviseLargePagesFor --
 *
 *	Keeps the large-page advice ahead of the heap block that ends at
 *	blockEnd. Large pages save most page faults of big databases; the
 *	first part of the window stays with ordinary pages so that a small
 *	database does not pay for whole large pages, and so does the last,
 *	where the allocator keeps its end marker. New advice starts above the
 *	last advice and above every view, so no view is ever advised.
 *
 * Results:
 *	None; a system without large pages ignores the advice.
 *
 * Side effects:
 *	Raises the highest heap block's end and may extend the advice.
 *
 *----------------------------------------------------------------------
 */

static void AdviseLargePagesFor(char *blockEnd) {
  if (blockEnd > window.heapTop) {
    window.heapTop = blockEnd;
  }
  char *start =
      window.adviceEnd > window.viewTop ? window.adviceEnd : window.viewTop;
  char *limit = window.base + windowSize - smallPagesPart;
  if (blockEnd + largePageLead <= start || start >= limit) {
    return;
  }
  char *end = RoundUpTo(blockEnd + largePageLead, largePageStep);
  end = end < limit ? end : limit;
  madvise(start, static_cast<std::size_t>(end - start), MADV_HUGEPAGE);
  window.adviceEnd = end;
}

/*
 *----------------------------------------------------------------------
 *
 * WithdrawLargePagesAboveHeap --
 *
 *	Takes the large-page advice back from the free space above the large
 *	page that holds the highest heap block. A view is placed in free
 *	space, and the allocator writes block headers just before and just
 *	after it; in advised, untouched space each of those writes would
 *	fault in and clear a whole large page.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Advises ordinary pages there and lowers the end of the advice.
 *
 *----------------------------------------------------------------------
 */

static void WithdrawLargePagesAboveHeap() {
  char *keep = RoundUpTo(window.heapTop, largePage);
  char *low = window.base + smallPagesPart;
  keep = keep > low ? keep : low;
  if (window.adviceEnd > keep) {
    KeepLargePagesOff(keep, window.adviceEnd);
    window.adviceEnd = keep;
  }
}

/* Advises ordinary pages for [start, end), page-aligned addresses. */
static void KeepLargePagesOff(char *start, char *end) {
  madvise(start, static_cast<std::size_t>(end - start), MADV_NOHUGEPAGE);
}

/* address rounded up to a multiple of alignment, a power of two. */
static char *RoundUpTo(char *address, std::size_t alignment) {
  std::uintptr_t value = reinterpret_cast<std::uintptr_t>(address);
  std::uintptr_t rounded = (value + alignment - 1) & ~(alignment - 1);
  return address + (rounded - value);
}

/*
 * Extends the poisoned part of the window to cover everything below end,
 * in whole steps, so that no block or view is ever handed out from space
 * the address checker would take for ordinary memory.
 */
static void PoisonUpTo(const char *end) {
  if (end <= window.poisonedEnd) {
    return;
  }
  std::size_t wanted = static_cast<std::size_t>(end - window.base);
  wanted = (wanted + poisonStep - 1) / poisonStep * poisonStep;
  char *newEnd = window.base + (wanted < windowSize ? wanted : windowSize);
  ASAN_POISON_MEMORY_REGION(
      window.poisonedEnd,
      static_cast<std::size_t>(newEnd - window.poisonedEnd));
  window.poisonedEnd = newEnd;
}

/*
 * Tells the memory checkers that the size bytes at block are now a live
 * block, and nothing past them.
 */
static void ShowBlock(char *block, std::size_t size) {
#ifdef TOVPART_WINDOW_ASAN
  PoisonUpTo(block + Pdb_ArenaUsableSize(block));
  ASAN_UNPOISON_MEMORY_REGION(block, size);
#endif
  VALGRIND_MEMPOOL_ALLOC(window.base, block, size);
}

/* Tells the memory checkers that the live block at block is freed. */
static void HideBlock(char *block) {
#ifdef TOVPART_WINDOW_ASAN
  ASAN_POISON_MEMORY_REGION(block, Pdb_ArenaUsableSize(block));
#endif
  VALGRIND_MEMPOOL_FREE(window.base, block);
}

static std::size_t GetPageSize() {
  static const std::size_t size =
      static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  return size;
}

static std::size_t RoundToPages(std::size_t size) {
  return (size + GetPageSize() - 1) / GetPageSize() * GetPageSize();
}

/* The slot holding view, or a free slot when view is nullptr; else null. */
static const void **FindViewSlot(const void *view) {
  for (const void *&candidate : window.views) {
    if (candidate == view) {
      return &candidate;
    }
  }
  return nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowAlloc --
 *
 *	Allocates size bytes in the window, reserving the window first when
 *	nothing is reserved.
 *
 * Results:
 *	The block (8-byte aligned), or nullptr with errno set when the window
 *	is full (ENOMEM) or cannot be reserved (the system's reason).
 *
 * Side effects:
 *	The block becomes addressable for the memory checkers, exactly size
 *	bytes of it.
 *
 *----------------------------------------------------------------------
 */

void *Pdb_WindowAlloc(std::size_t size) {
  window.allocCalls++;
  if (window.failingCall != 0 && window.allocCalls == window.failingCall) {
    window.failingCall = 0;
    errno = ENOMEM;
    return nullptr;
  }
  if (!ReserveWindow()) {
    return nullptr;
  }
  std::size_t wanted = size == 0 ? 1 : size;
  char *block = static_cast<char *>(Pdb_ArenaAlloc(wanted));
  if (block == nullptr) {
    errno = ENOMEM;
    return nullptr;
  }
  window.liveBlocks++;
  AdviseLargePagesFor(block + wanted);
  ShowBlock(block, wanted);
  return block;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowFree --
 *
 *	Returns a block of Pdb_WindowAlloc to the window; nullptr is ignored.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The block becomes inaccessible for the memory checkers, so a later
 *	read or write through a stale pointer is reported.
 *
 *----------------------------------------------------------------------
 */

void Pdb_WindowFree(void *block) {
  if (block == nullptr) {
    return;
  }
  HideBlock(static_cast<char *>(block));
  Pdb_ArenaFree(block);
  window.liveBlocks--;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowLiveBlocks --
 *
 *	Counts the blocks of Pdb_WindowAlloc not yet freed (file views not
 *	counted), for tests and for the release at the exit point.
 *
 * Results:
 *	The count.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_WindowLiveBlocks() { return window.liveBlocks; }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowMappedViews --
 *
 *	Counts the file views mapped and not yet unmapped.
 *
 * Results:
 *	The count.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_WindowMappedViews() { return window.viewCount; }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowStrdup --
 *
 *	Copies a NUL-terminated string into the window.
 *
 * Results:
 *	The copy, or nullptr when the window is full or cannot be reserved.
 *
 * Side effects:
 *	Allocates; Pdb_WindowFree frees it.
 *
 *----------------------------------------------------------------------
 */

char *Pdb_WindowStrdup(const char *string) {
  std::size_t length = std::strlen(string) + 1;
  char *copy = static_cast<char *>(Pdb_WindowAlloc(length));
  if (copy != nullptr) {
    std::memcpy(copy, string, length);
  }
  return copy;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowContains --
 *
 *	Tells whether [address, address + size) lies inside the window.
 *
 * Results:
 *	True when it does; false while no window is reserved.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_WindowContains(const void *address, std::size_t size) {
  const char *start = static_cast<const char *>(address);
  return window.base != nullptr && start >= window.base && size <= windowSize &&
         static_cast<std::size_t>(start - window.base) <= windowSize - size;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowMapFile --
 *
 *	Maps size bytes of the file open on fd, from offset 0, read-only over
 *	a block of the window aligned to large pages, reserving the window
 *	first when nothing is reserved.
 *
 * Results:
 *	The view, or nullptr with errno set: EINVAL for size 0, EMFILE when
 *	256 views are mapped, ENOMEM when the window has no room, and the
 *	system's reason when the window cannot be reserved or the file cannot
 *	be mapped.
 *
 * Side effects:
 *	The view's size bytes become readable for the memory checkers.
 *
 *----------------------------------------------------------------------
 */

const void *Pdb_WindowMapFile(int fd, std::size_t size) {
  if (size == 0) {
    errno = EINVAL;
    return nullptr;
  }
  const void **slot = FindViewSlot(nullptr);
  if (slot == nullptr) {
    errno = EMFILE;
    return nullptr;
  }
  if (!ReserveWindow()) {
    return nullptr;
  }
  std::size_t span = RoundToPages(size);
  WithdrawLargePagesAboveHeap();
  /*
   * A view that began inside a large page of the heap would split it; one
   * aligned to large pages leaves the heap's pages whole.
   */
  char *block = static_cast<char *>(Pdb_ArenaAllocAligned(span, largePage));
  if (block == nullptr) {
    errno = ENOMEM;
    return nullptr;
  }
  void *view = mmap(block, span, PROT_READ, MAP_PRIVATE | MAP_FIXED, fd, 0);
  if (view == MAP_FAILED) {
    int saved = errno;
    Pdb_ArenaFree(block);
    errno = saved;
    return nullptr;
  }
  if (block + span > window.viewTop) {
    window.viewTop = block + span;
  }
  PoisonUpTo(block + span);
  ASAN_UNPOISON_MEMORY_REGION(block, size);
  *slot = view;
  window.viewCount++;
  return view;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowUnmapFile --
 *
 *	Releases a view of Pdb_WindowMapFile: ordinary anonymous memory is
 *	put back in its place and its range returns to the allocator. When
 *	the system cannot put the memory back, the range stays out of use
 *	(and keeps the window reserved) instead of being handed out again.
 *
 * Results:
 *	0, or -1 when view is not a mapped view.
 *
 * Side effects:
 *	The range becomes inaccessible for the memory checkers.
 *
 *----------------------------------------------------------------------
 */

int Pdb_WindowUnmapFile(const void *view, std::size_t size) {
  const void **slot = view != nullptr ? FindViewSlot(view) : nullptr;
  if (slot == nullptr) {
    return -1;
  }
  *slot = nullptr;
  window.viewCount--;
  std::size_t span = RoundToPages(size);
  void *block = const_cast<void *>(view);
  void *restored =
      mmap(block, span, PROT_READ | PROT_WRITE,
           MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED | MAP_NORESERVE, -1, 0);
  ASAN_POISON_MEMORY_REGION(block, span);
  VALGRIND_MAKE_MEM_NOACCESS(block, span);
  if (restored == MAP_FAILED) {
    window.lostRanges++;
    return 0;
  }
  KeepLargePagesOff(static_cast<char *>(block),
                    static_cast<char *>(block) + span);
  Pdb_ArenaFree(block);
  return 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowRelease --
 *
 *	Gives the reserved range back to the system when no block, no view
 *	and no lost view range remains in it, so that a module loaded and
 *	unloaded many times in one process holds at most one reservation.
 *	The next allocation or mapping reserves a fresh window.
 *
 * Results:
 *	True when nothing is reserved afterwards.
 *
 * Side effects:
 *	Unmaps the window and forgets its allocator.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_WindowRelease() {
  if (window.base == nullptr) {
    return true;
  }
  if (window.liveBlocks != 0 || window.viewCount != 0 ||
      window.lostRanges != 0) {
    return false;
  }
  ASAN_UNPOISON_MEMORY_REGION(
      window.base, static_cast<std::size_t>(window.poisonedEnd - window.base));
  VALGRIND_DESTROY_MEMPOOL(window.base);
  munmap(window.base, windowSize);
  window.base = nullptr;
  window.poisonedEnd = nullptr;
  window.heapTop = nullptr;
  window.adviceEnd = nullptr;
  window.viewTop = nullptr;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowFailBlock --
 *
 *	Test hook: makes the nth call of Pdb_WindowAlloc from now on (1 for
 *	the next) fail as if the window were full; 0 cancels.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Arms or disarms the injected failure.
 *
 *----------------------------------------------------------------------
 */

void Pdb_WindowFailBlock(std::size_t nth) {
  window.failingCall = nth == 0 ? 0 : window.allocCalls + nth;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WindowAllocCalls --
 *
 *	Test hook: counts every call of Pdb_WindowAlloc ever made.
 *
 * Results:
 *	The count.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

std::size_t Pdb_WindowAllocCalls() { return window.allocCalls; }
