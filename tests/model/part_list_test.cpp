/*
 * part_list_test.cpp --
 *
 *	Part references, which designate a part and never another reference;
 *	sorting, searching and removal of part lists; and the name index of
 *	sorted lists, which finds exactly what the list's own binary search
 *	finds for names that share long prefixes, end inside or right after
 *	eight bytes, or are prefixes of one another, searched once and again
 *	once the index has learned them.
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

/* A list and the records it holds, freed together. */
struct ListWithParts {
  Pdb_PartList *list = Pdb_PartList::create(0);
  std::vector<Pdb_Part *> parts;

  ~ListWithParts() {
    Pdb_PartList::destroy(list);
    for (Pdb_Part *p : parts) {
      Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(p));
    }
  }
  Pdb_Part *add(const std::string &name) {
    parts.push_back(makePart(name.c_str()));
    EXPECT_TRUE(list->append(reinterpret_cast<Pdb_PartEntry *>(parts.back())));
    return parts.back();
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (int i = 0; i < list->count; i++) {
      out.push_back(Pdb_GetEntryName(list->entry(i)));
    }
    return out;
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

TEST(PartReference, DesignatesThePartNeverAnotherReference) {
  Pdb_Part *part = makePart("C1");
  auto *entry = reinterpret_cast<Pdb_PartEntry *>(part);
  auto *first = reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(entry));
  auto *second = reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(first));
  EXPECT_EQ(second->kind, PDB_ENTRY_REFERENCE);
  EXPECT_EQ(Pdb_ResolveEntry(second), part);
  EXPECT_STREQ(Pdb_GetEntryName(second), "C1");
  for (Pdb_PartEntry *e : {first, second, entry}) {
    Pdb_DestroyEntry(e);
  }
}

TEST(PartList, BinarySearchFindsExactlyWhatTheScanFinds) {
  ListWithParts l;
  EXPECT_EQ(l.list->find("x"), nullptr);
  l.list->sort();
  EXPECT_EQ(l.list->find("x"), nullptr) << "empty and sorted";
  std::mt19937 random(7);
  for (int i = 0; i < 300; i++) {
    std::string name = "n" + std::to_string(random() % 1000);
    if (l.list->find(name.c_str()) == nullptr) {
      l.add(name);
    }
  }
  l.add("R1");
  l.add("r1");
  std::vector<std::string> probes = {"R1", "r1", "R", "", "n", "zzz"};
  for (int i = 0; i < 1000; i++) {
    probes.push_back("n" + std::to_string(i));
  }
  std::vector<Pdb_PartEntry *> scanned;
  for (const auto &probe : probes) {
    scanned.push_back(l.list->find(probe.c_str()));
  }
  l.list->sort();
  ASSERT_EQ(l.list->sorted, 1);
  std::vector<std::string> names = l.names();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  for (std::size_t i = 0; i < probes.size(); i++) {
    EXPECT_EQ(l.list->find(probes[i].c_str()), scanned[i]) << probes[i];
  }
  l.add("extra");
  EXPECT_EQ(l.list->sorted, 0);
  EXPECT_NE(l.list->find("extra"), nullptr);
}

TEST(PartList, RemovalKeepsTheOrderOfTheOthersAndFreesReferences) {
  ListWithParts l;
  for (const char *name : {"a", "b", "c", "d", "e"}) {
    l.add(name);
  }
  Pdb_Part *outside = makePart("ref");
  l.list->append(reinterpret_cast<Pdb_PartEntry *>(
      Pdb_PartRef::create(reinterpret_cast<Pdb_PartEntry *>(outside))));
  EXPECT_TRUE(l.list->remove(outside)); /* the reference to it goes */
  EXPECT_TRUE(l.list->remove(l.parts[1]));
  EXPECT_FALSE(l.list->remove(l.parts[1]));
  EXPECT_EQ(l.names(), (std::vector<std::string>{"a", "c", "d", "e"}));

  Pdb_AddressSet set;
  set.insert(l.parts[2]);
  set.insert(l.parts[3]); /* consecutive entries both go */
  EXPECT_EQ(l.list->removeAllIn(set), 2);
  EXPECT_EQ(l.names(), (std::vector<std::string>{"a", "e"}));
  EXPECT_EQ(l.list->entry(2), nullptr);
  Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(outside));
}

TEST(PartList, LongListsFindThroughTheSideIndexAndStayCurrent) {
  ListWithParts l;
  for (int i = 0; i < 100; i++) {
    l.add("p" + std::to_string(i));
  }
  auto entry = [](Pdb_Part *p) { return reinterpret_cast<Pdb_PartEntry *>(p); };
  EXPECT_EQ(l.list->find("p50"), entry(l.parts[50])); /* builds the index */
  Pdb_Part *late = l.add("late");
  l.list->remove(l.parts[50]);
  EXPECT_EQ(l.list->find("late"), entry(late));
  EXPECT_EQ(l.list->find("p50"), nullptr);
  EXPECT_EQ(l.list->find("p51"), entry(l.parts[51]));
}

TEST(NameIndex, FindsWhatTheBinarySearchFindsBeforeAndAfterLearning) {
  std::set<std::string> names = MixedNames(20000, 7);
  ListWithParts sorted;
  for (const std::string &name : names) {
    sorted.add(name);
  }
  sorted.list->sort();
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
