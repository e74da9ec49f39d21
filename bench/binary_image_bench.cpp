/*
 * binary_image_bench.cpp --
 *
 *	Binary images at 10k, 100k and 1M parts: writing one (layout and
 *	file, reported in bytes per second), opening one (should not depend
 *	on the size), the first findPart after opening, a warm findPart, and
 *	the optional full verification for comparison. The sample spreads
 *	each category's parts over the whole heap and names them in random
 *	order, the worst case for the writer's memory accesses. Writing
 *	includes the sync of the file before it is renamed into place.
 */

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tcl.h>
#include <unistd.h>
#include <vector>

#include "files/image/binary_loader.h"
#include "files/image/image_buffer.h"
#include "files/image/image_file.h"
#include "files/image/image_verifier.h"
#include "files/image/image_writer.h"
#include "model/ascii_db.h"
#include "model/binary_db.h"
#include "model/group.h"
#include "model/tree_edit.h"

namespace {

/*
 * A database of n parts in n / 100 categories under ten top categories,
 * each part with two property pairs, every tenth also listed by reference
 * in a neighbouring category; its image written to a file.
 */
struct Sample {
  Pdb_Group *group = new Pdb_Group("bench_image");
  Pdb_AsciiDb *db = new Pdb_AsciiDb(group, nullptr, PDB_KIND_USER, "bench");
  std::vector<std::string> names;
  std::string file;
  std::size_t imageSize = 0;

  explicit Sample(int n) {
    group->addDatabase("zq_pdb1", db);
    Pdb_TreeEdit *tree = db->treeEdit();
    std::vector<Pdb_CategoryNode *> leaves;
    for (int top = 0; top < 10; top++) {
      Pdb_CategoryNode *parent = tree->createChild(
          tree->tree()->rootNode(), ("family" + std::to_string(top)).c_str(),
          "a family of parts");
      for (int i = top; i < n / 100 + 1; i += 10) {
        leaves.push_back(tree->createChild(
            parent, ("group" + std::to_string(i)).c_str(), ""));
      }
    }
    for (int i = 0; i < n; i++) {
      char name[32];
      std::snprintf(name, sizeof(name), "P%08d", (i * 7919) % n);
      const char *pairs[] = {"value", "10k", "footprint", "0603"};
      Pdb_Part *part =
          Pdb_Part::create(name, "resistor", "res_model", "basic_lib",
                           "a resistor", "none", 2, pairs);
      db->addPart(part);
      Pdb_CategoryNode *home = leaves[i % leaves.size()];
      tree->addEntry(home, reinterpret_cast<Pdb_PartEntry *>(part));
      if (i % 10 == 0) {
        tree->addEntry(leaves[(i + 1) % leaves.size()],
                       reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(
                           reinterpret_cast<Pdb_PartEntry *>(part))));
      }
      names.push_back(name);
    }
    file = "/tmp/tovpart_bench_" + std::to_string(getpid()) + "_" +
           std::to_string(n) + ".zq_pdb_bi";
    Pdb_ImageBuffer image;
    Pdb_ImageProblem problem;
    Tcl_Interp *interp = Tcl_CreateInterp();
    if (!Pdb_BuildImage(db, &image, &problem) ||
        Pdb_WriteImageFile(interp, image, file.c_str()) != TCL_OK) {
      std::fprintf(stderr, "cannot write %s\n", file.c_str());
      std::abort();
    }
    Tcl_DeleteInterp(interp);
    imageSize = image.size();
  }
  ~Sample() {
    std::remove(file.c_str());
    delete group;
  }
};

/* One sample per size, built on first use and kept for the whole run. */
Sample &SampleOf(int n) {
  static std::map<int, std::unique_ptr<Sample>> samples;
  std::unique_ptr<Sample> &sample = samples[n];
  if (!sample) {
    sample = std::make_unique<Sample>(n);
  }
  return *sample;
}

/* Opens and loads a sample's image; aborts the run when that fails. */
Pdb_BinaryDb *Open(Tcl_Interp *interp, const Sample &sample) {
  FILE *file = std::fopen(sample.file.c_str(), "rb");
  auto *db = new Pdb_BinaryDb(file, PDB_KIND_FILE, sample.file.c_str());
  if (file == nullptr || Pdb_LoadBinary(db, interp) != 0) {
    std::fprintf(stderr, "cannot load: %s\n", Tcl_GetStringResult(interp));
    std::abort();
  }
  return db;
}

void BM_WriteImage(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  Tcl_Interp *interp = Tcl_CreateInterp();
  std::string out = sample.file + ".out";
  for (auto _ : state) {
    Pdb_ImageBuffer image;
    Pdb_ImageProblem problem;
    if (!Pdb_BuildImage(sample.db, &image, &problem) ||
        Pdb_WriteImageFile(interp, image, out.c_str()) != TCL_OK) {
      state.SkipWithError("write failed");
    }
  }
  std::remove(out.c_str());
  Tcl_DeleteInterp(interp);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(sample.imageSize));
  state.counters["image_MB"] = static_cast<double>(sample.imageSize) / 1e6;
}

void BM_LayOutImage(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Pdb_ImageBuffer image;
    Pdb_ImageProblem problem;
    benchmark::DoNotOptimize(Pdb_BuildImage(sample.db, &image, &problem));
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(sample.imageSize));
}

void BM_OpenImage(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  Tcl_Interp *interp = Tcl_CreateInterp();
  for (auto _ : state) {
    delete Open(interp, sample);
  }
  Tcl_DeleteInterp(interp);
}

/* The first findPart on a freshly opened image: its pages are not mapped. */
void BM_FirstLookupAfterOpen(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  Tcl_Interp *interp = Tcl_CreateInterp();
  std::size_t next = 0;
  for (auto _ : state) {
    Pdb_BinaryDb *db = Open(interp, sample);
    const std::string &name =
        sample.names[next++ * 104729 % sample.names.size()];
    auto start = std::chrono::steady_clock::now();
    const Pdb_Part *found = db->findPart(name.c_str());
    auto stop = std::chrono::steady_clock::now();
    if (found == nullptr) {
      state.SkipWithError("part not found");
    }
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
    delete db;
  }
  Tcl_DeleteInterp(interp);
}

void BM_WarmLookup(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  Tcl_Interp *interp = Tcl_CreateInterp();
  Pdb_BinaryDb *db = Open(interp, sample);
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(db->findPart(
        sample.names[next++ * 104729 % sample.names.size()].c_str()));
  }
  delete db;
  Tcl_DeleteInterp(interp);
}

void BM_VerifyImage(benchmark::State &state) {
  Sample &sample = SampleOf(static_cast<int>(state.range(0)));
  Tcl_Interp *interp = Tcl_CreateInterp();
  Pdb_BinaryDb *db = Open(interp, sample);
  for (auto _ : state) {
    Pdb_ImageProblem problem;
    benchmark::DoNotOptimize(
        Pdb_VerifyImage(db->mapBase, db->mapSize, &problem));
  }
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(sample.imageSize));
  delete db;
  Tcl_DeleteInterp(interp);
}

} // namespace

BENCHMARK(BM_WriteImage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LayOutImage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenImage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstLookupAfterOpen)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WarmLookup)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_VerifyImage)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
