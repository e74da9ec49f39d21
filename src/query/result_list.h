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

  /* Adds a copy of text. */
  void add(const char *text) { addCopy(text, std::strlen(text)); }

  /* Adds a copy of the length bytes at text. */
  void addCopy(const char *text, std::size_t length) {
    if (items.size() >= compactAt) {
      compact(false);
    }
    if (length + 1 > roomLeft) {
      newBlock(length + 1);
    }
    char *copy = room;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    room += length + 1;
    roomLeft -= length + 1;
    items.push_back({PrefixKey(copy), copy});
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

  /* The first eight bytes of text (zeros after its end), big-endian. */
  static uint64_t PrefixKey(const char *text) {
    uint64_t key = 0;
    for (int i = 0; i < 8; i++) {
      unsigned char c = static_cast<unsigned char>(text[i]);
      key = (key << 8) | c;
      if (c == '\0') {
        return key << (8 * (7 - i));
      }
    }
    return key;
  }

  static void setKeys(Item *item, std::size_t begin, std::size_t end,
                      std::size_t depth);
  void newBlock(std::size_t atLeast);
  void compact(bool last);
  void sortDistinct();
  void repack();

  std::vector<Item> items;
  std::size_t sortedEnd = 0;        /* items before it: sorted, distinct */
  std::size_t compactAt = 1u << 16; /* size at which duplicates go */
  std::vector<std::unique_ptr<char[]>> blocks; /* the copies */
  char *room = nullptr; /* unused bytes at the end of the last block */
  std::size_t roomLeft = 0;
};

#endif /* TOVPART_QUERY_RESULT_LIST_H */
