/*
 * model_bench.cpp --
 *
 *	Growth of the heap model with size: building one category with n
 *	children through ensurePath, and filling one list with n entries
 *	through addEntry with the reader's duplicate check, each run including
 *	the teardown. Both should grow linearly: compare the time per item
 *	across 10k, 100k and 1M.
 */

#include <benchmark/benchmark.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "model/ascii_db.h"
#include "model/group.h"

namespace {

struct Fixture {
  Tcl_Interp *interp = Tcl_CreateInterp();
  Pdb_Group *group = new Pdb_Group("bench");
  Pdb_AsciiDb *db = new Pdb_AsciiDb(group, nullptr, PDB_KIND_USER, "bench");

  Fixture() { group->addDatabase("zq_pdb1", db); }
  Fixture(const Fixture &) = delete;
  Fixture &operator=(const Fixture &) = delete;
  ~Fixture() {
    delete group;
    Tcl_DeleteInterp(interp);
  }
};

std::vector<std::string> names(const char *prefix, int n, const char *suffix) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; i++) {
    out.push_back(prefix + std::to_string(i) + suffix);
  }
  return out;
}

void BM_ChildrenThroughEnsurePath(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> paths = names("/wide/c", n, "/");
  for (auto _ : state) {
    Fixture f;
    for (const std::string &path : paths) {
      benchmark::DoNotOptimize(f.db->treeEdit()->ensurePath(
          f.interp, f.group, path.c_str(), "help"));
    }
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_EntriesThroughAddEntry(benchmark::State &state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> partNames = names("P", n, "");
  for (auto _ : state) {
    Fixture f;
    Pdb_CategoryNode *node =
        f.db->treeEdit()->ensurePath(f.interp, f.group, "/one/", "");
    Pdb_PartList *list = node->body()->partList();
    for (const std::string &name : partNames) {
      if (list->find(name.c_str()) == nullptr) {
        Pdb_Part *part = Pdb_Part::create(name.c_str(), "sym", "", "lib", "",
                                          "none", 0, nullptr);
        f.db->addPart(part);
        f.db->treeEdit()->addEntry(node,
                                   reinterpret_cast<Pdb_PartEntry *>(part));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * n);
}

} // namespace

BENCHMARK(BM_ChildrenThroughEnsurePath)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(BM_EntriesThroughAddEntry)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
