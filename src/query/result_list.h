/*
 * result_list.h --
 *
 *	The answer of a search as it is gathered: strings found, each kept
 *	once, handed back sorted bytewise (strcmp order) as one proper Tcl
 *	list. Strings of part records are kept by address, without a copy;
 *	only strings built during the search (category paths) are copied.
 */

#ifndef TOVPART_QUERY_RESULT_LIST_H
#define TOVPART_QUERY_RESULT_LIST_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <tcl.h>
#include <vector>

class Pdb_ResultList {
public:
  Pdb_ResultList() = default;
  Pdb_ResultList(const Pdb_ResultList &) = delete;
  Pdb_ResultList &operator=(const Pdb_ResultList &) = delete;

  /*
   * Adds text, which must stay in place and unchanged until the list is
   * built (the strings of part records do during one command).
   */
  void add(const char *text) {
    if (items.size() >= compactAt) {
      compact();
    }
    items.push_back({PrefixKey(text), text});
  }

  /* Adds a copy of the length bytes at text. */
  void addCopy(const char *text, std::size_t length);

  /*
   * The distinct strings sorted bytewise, as one Tcl list: a new object
   * whose reference count is 0. Elements are quoted as Tcl quotes list
   * elements, so the text splits back into exactly these strings.
   * nullptr when the text would exceed what a Tcl value can hold or
   * cannot be allocated.
   */
  Tcl_Obj *sortedList();

  /* The distinct strings sorted bytewise, for tests and checks. */
  std::vector<const char *> sortedStrings();

private:
  /* A string with its first eight bytes as a big-endian number, so that
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

  void compact();

  std::vector<Item> items;
  std::size_t sortedEnd = 0;        /* items before it are sorted, unique */
  std::size_t compactAt = 1u << 16; /* size at which duplicates go */
  std::vector<std::unique_ptr<char[]>> blocks; /* the copies */
  char *free = nullptr; /* unused room in the last block */
  std::size_t freeBytes = 0;
};

#endif /* TOVPART_QUERY_RESULT_LIST_H */
