/*
 * name_index_test.cpp --
 *
 *	The name index of sorted part lists finds exactly what the list's own
 *	binary search finds, for names that share long prefixes, end inside
 *	or right after eight bytes, or are prefixes of one another, searched
 *	once and again once the index has learned them.
 */

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "model/name_index.h"
#include "model/part_list.h"
#include "tests/model/model_fixture.h"

namespace {

/* A sorted list of parts with the given names, freed with it. */
struct SortedList {
  Pdb_PartList *list = Pdb_PartList::create(0);
  std::vector<Pdb_Part *> parts;

  explicit SortedList(const std::set<std::string> &names) {
    for (const std::string &name : names) {
      parts.push_back(makePart(name.c_str()));
      list->append(reinterpret_cast<Pdb_PartEntry *>(parts.back()));
    }
    list->sort();
  }
  ~SortedList() {
    Pdb_PartList::destroy(list);
    for (Pdb_Part *p : parts) {
      Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(p));
    }
  }
};

/* Names in the manner of manufacturer part numbers and counters, with
 * long shared prefixes, short names and names that extend others. */
std::set<std::string> MixedNames(int count, unsigned seed) {
  std::mt19937 random(seed);
  const char *stems[] = {"R0402F-10K-", "R0402F-1K-", "SN74HC00-",         "C",
                         "LM358",       "R0402F-10",  "\xc3\xa9t\xc3\xa9-"};
  std::set<std::string> names;
  names.insert("");
  while (static_cast<int>(names.size()) < count) {
    std::string name = stems[random() % 7];
    int digits = static_cast<int>(random() % 9);
    for (int i = 0; i < digits; i++) {
      name += static_cast<char>('0' + random() % 10);
    }
    names.insert(name);
  }
  return names;
}

} // namespace

TEST(NameIndex, FindsWhatTheBinarySearchFindsBeforeAndAfterLearning) {
  std::set<std::string> names = MixedNames(20000, 7);
  SortedList sorted(names);
  int levels = Pdb_NameIndex::levelsFor(sorted.list->count);
  ASSERT_GT(levels, 0);
  auto index = Pdb_NameIndex::create(sorted.list, levels);
  ASSERT_NE(index, nullptr);

  std::vector<std::string> probes(names.begin(), names.end());
  std::mt19937 random(11);
  std::set<std::string> absent = MixedNames(3000, 13);
  for (const std::string &name : absent) {
    probes.push_back(name);
    probes.push_back(name + "~");
    probes.push_back(name.substr(0, name.size() / 2));
  }
  std::shuffle(probes.begin(), probes.end(), random);
  for (int pass = 0; pass < 2; pass++) {
    for (const std::string &probe : probes) {
      ASSERT_EQ(index->find(probe.c_str()), sorted.list->find(probe.c_str()))
          << "pass " << pass << ", name \"" << probe << "\"";
    }
  }
}
