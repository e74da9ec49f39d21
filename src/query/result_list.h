/*
 * result_list.h --
 *
 *	The answer of a search as it is gathered: strings found, each kept
 *	once, handed back sorted bytewise (strcmp order) as one proper Tcl
 *	list. Every string is copied as it is added, into large blocks, so
 *	that sorting and listing read one compact area instead of records
 *	spread over the whole database.
 */

#ifndef TOVPART_QUERY_RESULT_LIST_H
#define TOVPART_QUERY_RESULT_LIST_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <tcl.h>
#include <vector>

class Pdb_ResultList {
public:
  Pdb_ResultList() = default;
  Pdb_ResultList(const Pdb_ResultList &) = delete;
  Pdb_ResultList &operator=(const Pdb_ResultList &) = delete;

  /*
   * Room for up to count strings, when at most about that many will be
   * added; only a hint, ignored when the room cannot be had.
   */
  void reserve(std::size_t count);

  /* Adds a copy of text. */
  void add(const char *text) { addCopy(text, std::strlen(text)); }

  /*
   *----------------------------------------------------------------------
   *
   * Pdb_ResultList::addCopy --
   *
   *	Adds a copy of the length bytes at text. A string equal to the one
   *	added just before is dropped at once; while every string follows the
   *	one before in order, the list knows that it needs no sort. A list that
   *	has grown past its compaction mark is compacted first.
   *
   * Results:
   *	None.
   *
   * Side effects:
   *	May start a new block; may throw std::bad_alloc.
   *
   *----------------------------------------------------------------------
   */

  void addCopy(const char *text, std::size_t length) {
    if (items.size() >= compactAt) {
      compact(false);
    }
    if (length + 1 + KEY_BYTES > roomLeft) {
      newBlock(length + 1 + KEY_BYTES);
    }
    char *copy = room;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    Item item{KeyAt(copy), copy};
    if (!items.empty()) {
      const Item &last = items.back();
      int order = item.key < last.key ? -1 : item.key > last.key ? 1 : 0;
      if (order == 0 && (item.key & 0xff) != 0) {
        order = std::strcmp(copy + KEY_BYTES, last.text + KEY_BYTES);
      }
      if (order == 0) {
        return;
      }
      inOrder = inOrder && order > 0;
    }
    room += length + 1;
    roomLeft -= length + 1;
    items.push_back(item);
  }

  /*
   * The distinct strings sorted bytewise, as one Tcl list: a new object
   * whose reference count is 0. Elements are quoted as Tcl quotes list
   * elements, so the text splits back into exactly these strings.
   * nullptr when the text would exceed what a Tcl value can hold or
   * cannot be allocated.
   */
  Tcl_Obj *sortedList();

  /* The distinct strings sorted bytewise, valid while the list lives. */
  std::vector<const char *> sortedStrings();

private:
  /* A string with eight of its bytes as a big-endian number, so that
   * most comparisons need not reach the string. */
  struct Item {
    uint64_t key;
    const char *text;
  };

  /* Bytes of a string that one key holds. */
  static const std::size_t KEY_BYTES = 8;

  /*
   * The eight bytes at text as a big-endian number, the bytes after the
   * string's end as zeros. Eight bytes must be readable at text: every
   * block keeps KEY_BYTES spare bytes after its last string.
   */
  static uint64_t KeyAt(const char *text) {
    uint64_t raw;
    std::memcpy(&raw, text, sizeof(raw));
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    /* The lowest byte flagged here is the string's first NUL. */
    uint64_t zero =
        (raw - 0x0101010101010101ull) & ~raw & 0x8080808080808080ull;
    if (zero != 0) {
      int kept = __builtin_ctzll(zero) / 8;
      raw = kept == 0 ? 0 : raw & (~0ull >> (64 - 8 * kept));
    }
    return __builtin_bswap64(raw);
#else
    uint64_t key = 0;
    bool ended = false;
    for (std::size_t i = 0; i < KEY_BYTES; i++) {
      ended = ended || text[i] == '\0';
      key = (key << 8) | (ended ? 0 : static_cast<unsigned char>(text[i]));
    }
    return key;
#endif
  }

  static void setKeys(Item *item, std::size_t begin, std::size_t end,
                      std::size_t depth);
  static void sortByKey(Item *item, std::size_t count,
                        std::vector<Item> &scratch);
  void newBlock(std::size_t atLeast);
  void compact(bool last);
  void sortDistinct();
  void repack();

  std::vector<Item> items;
  std::size_t sortedEnd = 0;        /* items before it: sorted, distinct */
  std::size_t compactAt = 1u << 16; /* size at which duplicates go */
  bool inOrder = true;              /* every item follows the one before */
  std::vector<std::unique_ptr<char[]>> blocks; /* the copies */
  char *room = nullptr; /* unused bytes at the end of the last block */
  std::size_t roomLeft = 0;
};

#endif /* TOVPART_QUERY_RESULT_LIST_H */
