/*
 * name_index_bench.cpp --
 *
 *	Looking a name up in a sorted part list of n parts named like
 *	manufacturer part numbers (long shared prefixes): the list's own
 *	binary search beside the name index, which learns as it searches.
 *	Each iteration looks up 10,000 random names, the same ones every
 *	time, so the index is measured once it has learned their paths.
 */

#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "model/name_index.h"
#include "model/part_list.h"

namespace {

/* A sorted list of n parts and 10,000 of their names in random order. */
struct SortedParts {
  Pdb_PartList *list = Pdb_PartList::create(0);
  std::vector<Pdb_Part *> parts;
  std::vector<std::string> probes;

  explicit SortedParts(int n) {
    const char *stems[] = {"R0402F-10K-", "R0603J-4K7-", "SN74HC00-",
                           "C0805X7R-100N-", "LM358-"};
    char name[40];
    for (int i = 0; i < n; i++) {
      std::snprintf(name, sizeof name, "%s%06d", stems[i % 5], i);
      parts.push_back(Pdb_Part::create(name, "sym", "tmpl", "lib", "desc",
                                       "kelm", 0, nullptr));
      list->append(reinterpret_cast<Pdb_PartEntry *>(parts.back()));
    }
    list->sort();
    std::mt19937 random(7);
    for (int i = 0; i < 10000; i++) {
      probes.push_back(Pdb_GetEntryName(
          list->entry(static_cast<int>(random() % static_cast<unsigned>(n)))));
    }
  }
  SortedParts(const SortedParts &) = delete;
  SortedParts &operator=(const SortedParts &) = delete;
  ~SortedParts() {
    Pdb_PartList::destroy(list);
    for (Pdb_Part *p : parts) {
      Pdb_DestroyEntry(reinterpret_cast<Pdb_PartEntry *>(p));
    }
  }
};

void BM_ListBinarySearch(benchmark::State &state) {
  SortedParts sorted(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (const std::string &probe : sorted.probes) {
      benchmark::DoNotOptimize(sorted.list->find(probe.c_str()));
    }
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}

void BM_NameIndex(benchmark::State &state) {
  SortedParts sorted(static_cast<int>(state.range(0)));
  auto index = Pdb_NameIndex::create(
      sorted.list, Pdb_NameIndex::levelsFor(sorted.list->count));
  for (auto _ : state) {
    for (const std::string &probe : sorted.probes) {
      benchmark::DoNotOptimize(index->find(probe.c_str()));
    }
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}

} // namespace

BENCHMARK(BM_ListBinarySearch)->Arg(100000)->Arg(1000000);
BENCHMARK(BM_NameIndex)->Arg(100000)->Arg(1000000);
