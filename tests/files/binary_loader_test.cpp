/*
 * binary_loader_test.cpp --
 *
 *	Tests of loading binary images: the round trip from an ASCII database
 *	through a written image file, the refusal of other versions and of
 *	files cut short or left incomplete, and the limit on mapped images.
 */

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "files/image_file.h"
#include "files/image_fixture.h"
#include "model/tree_walk.h"

namespace {

/* A database with nested categories, parts, part and category references. */
void FillSample(MemoryDb &mem) {
  Pdb_CategoryNode *analog = mem.category("analog", "Analog parts");
  Pdb_CategoryNode *opamps = mem.category("opamps", "Op amps", analog);
  Pdb_CategoryNode *passive = mem.category("passive", "");
  Pdb_CategoryNode *mine = mem.category("mine", "My {odd} help");
  Pdb_Part *lm741 = mem.part(opamps, "LM741", {"gain", "1e5", "pins", "8"});
  mem.part(opamps, "TL072");
  Pdb_Part *r1 = mem.part(passive, "R1", {"value", ""});
  mem.part(passive, "r1");
  mem.part(analog, "Zener 5V1");
  mem.reference(mine, lm741);
  mem.reference(mine, r1);
  mem.categoryReference(mine, opamps);
  mem.category("empty", "", opamps);
}

class LoadedImage : public ::testing::Test {
protected:
  void TearDown() override { delete loaded; }

  /* Writes mem's image to a file of dir and loads it. */
  void writeAndLoad(MemoryDb &mem) {
    Pdb_ImageBuffer image;
    BuildImage(mem.db(), &image);
    Tcl_Interp *interp = Tcl_CreateInterp();
    ASSERT_EQ(Pdb_WriteImageFile(interp, image, file.c_str()), TCL_OK)
        << Tcl_GetStringResult(interp);
    Tcl_DeleteInterp(interp);
    int status = 0;
    std::string message;
    loaded = LoadImage(file, &status, &message);
    ASSERT_EQ(status, 0) << message;
    ASSERT_EQ(loaded->file, nullptr) << "the loader closes the file";
    Pdb_ImageProblem problem;
    ASSERT_TRUE(Pdb_VerifyImage(loaded->mapBase, loaded->mapSize, &problem))
        << problem.text;
  }

  TempDir dir;
  std::string file = dir.file("image.zq_pdb_bi");
  Pdb_BinaryDb *loaded = nullptr;
};

/* Every category path of tree with its node, in pre-order. */
std::vector<std::pair<std::string, const Pdb_CategoryNode *>>
PathsOf(Pdb_CategoryTree *tree) {
  std::vector<std::pair<std::string, const Pdb_CategoryNode *>> paths;
  std::vector<std::string> parents;
  Pdb_WalkPreOrder(tree->rootNode(), Pdb_WalkScope::SUBTREE,
                   [&](Pdb_CategoryNode *node, int depth) {
                     parents.resize(depth);
                     Tcl_DString component;
                     node->nodeComponent(&component);
                     std::string path =
                         depth == 0 ? "/"
                                    : parents.back() +
                                          (Tcl_DStringValue(&component) + 1);
                     Tcl_DStringFree(&component);
                     parents.push_back(path);
                     paths.emplace_back(path, node);
                     return true;
                   });
  return paths;
}

/* The text forms of a category's entries, marked by kind. */
std::vector<std::string> EntriesOf(const Pdb_CategoryNode *node) {
  std::vector<std::string> texts;
  if (node->isReference()) {
    texts.push_back(std::string("-> ") + node->refPath());
    return texts;
  }
  const Pdb_PartList *list = node->body()->partList();
  for (int i = 0; i < list->count; i++) {
    const Pdb_PartEntry *entry = list->entry(i);
    texts.push_back((entry->kind == PDB_ENTRY_REFERENCE ? "ref " : "") +
                    PartText(Pdb_ResolveEntry(entry)));
  }
  texts.push_back(std::string("help ") + node->body()->helpText());
  return texts;
}

TEST_F(LoadedImage, RoundTripFindsEveryPartAndCategoryAlike) {
  MemoryDb mem;
  FillSample(mem);
  writeAndLoad(mem);

  EXPECT_EQ(loaded->partCount(), mem.db()->partCount());
  Tcl_HashSearch search;
  for (Tcl_HashEntry *entry = Tcl_FirstHashEntry(&mem.db()->parts, &search);
       entry != nullptr; entry = Tcl_NextHashEntry(&search)) {
    const Pdb_Part *part = static_cast<Pdb_Part *>(Tcl_GetHashValue(entry));
    const Pdb_Part *found = loaded->findPart(part->name());
    ASSERT_NE(found, nullptr) << part->name();
    EXPECT_EQ(PartText(found), PartText(part));
    const char *at = reinterpret_cast<const char *>(found);
    const char *base = static_cast<const char *>(loaded->mapBase);
    EXPECT_TRUE(at > base && at + found->size <= base + loaded->mapSize)
        << "used in place";
  }
  EXPECT_EQ(loaded->findPart("R2"), nullptr);
  EXPECT_EQ(loaded->findPart("lm741"), nullptr);

  auto sourcePaths = PathsOf(mem.db()->tree);
  EXPECT_EQ(sourcePaths.size(), 7u);
  for (const auto &[path, node] : sourcePaths) {
    const Pdb_CategoryNode *found =
        loaded->tree->lookupPath(mem.group(), PDB_REFS_IGNORE, path.c_str());
    ASSERT_NE(found, nullptr) << path;
    EXPECT_EQ(EntriesOf(found), EntriesOf(node)) << path;
  }
  EXPECT_EQ(loaded->tree->categoryCount, mem.db()->tree->categoryCount);
  EXPECT_EQ(loaded->tree->entryCount, mem.db()->tree->entryCount);
  EXPECT_EQ(loaded->tree->referenceCount, mem.db()->tree->referenceCount);
}

TEST_F(LoadedImage, ReferenceIntoAnotherDatabaseResolvesInsideTheFile) {
  MemoryDb library("zq_pdb_lib");
  Pdb_Part *foreign = library.part(library.category("lib"), "X9");
  {
    MemoryDb mem;
    mem.reference(mem.category("mine"), foreign);
    writeAndLoad(mem);
  }
  const Pdb_CategoryNode *mine =
      loaded->tree->lookupPath(nullptr, PDB_REFS_IGNORE, "/mine/");
  ASSERT_NE(mine, nullptr);
  const Pdb_Part *part = Pdb_ResolveEntry(mine->body()->partList()->entry(0));
  const char *base = static_cast<const char *>(loaded->mapBase);
  const char *at = reinterpret_cast<const char *>(part);
  EXPECT_TRUE(at >= base && at + part->size <= base + loaded->mapSize);
  EXPECT_EQ(PartText(part), PartText(foreign));
  EXPECT_EQ(loaded->findPart("X9"), nullptr) << "the copy is not a part";
}

/* Loads bytes written to a file; returns the loader's message. */
std::string LoadMessage(const TempDir &dir,
                        const std::vector<unsigned char> &bytes, int *status) {
  std::string name = dir.file("damaged");
  WriteBytes(name, bytes.data(), bytes.size());
  std::string message;
  delete LoadImage(name, status, &message);
  return message;
}

TEST(BinaryLoader, RefusesOtherVersionsAndIncompleteFiles) {
  MemoryDb mem;
  FillSample(mem);
  Pdb_ImageBuffer image;
  BuildImage(mem.db(), &image);
  std::vector<unsigned char> good(image.bytes(), image.bytes() + image.size());
  uint32_t listOffset = Pdb_ImageWord(good.data(), PDB_IMAGE_LIST_OFFSET);
  uint32_t treeOffset = Pdb_ImageWord(good.data(), PDB_IMAGE_TREE_OFFSET);

  auto withWord = [&](uint32_t offset, uint32_t value) {
    std::vector<unsigned char> bytes = good;
    std::memcpy(bytes.data() + offset, &value, 4);
    return bytes;
  };
  auto cutTo = [&](std::size_t size) {
    return std::vector<unsigned char>(good.begin(), good.begin() + size);
  };
  TempDir dir;
  std::string corrupt = "Corrupt binary file \"" + dir.file("damaged") + "\": ";
  struct Case {
    const char *what;
    std::vector<unsigned char> bytes;
    std::string message;
  };
  const Case cases[] = {
      {"version 1", withWord(PDB_IMAGE_VERSION_OFFSET, 1),
       "File format version 1 in file \"" + dir.file("damaged") +
           "\" does not match supported version of 2"},
      {"three bytes", cutTo(3),
       corrupt + "file of 3 bytes is shorter than its 16-byte header"},
      {"header cut", cutTo(12),
       corrupt + "file of 12 bytes is shorter than its 16-byte header"},
      {"never finished", withWord(PDB_IMAGE_TREE_OFFSET, 0),
       corrupt + "tree holder offset is 0"},
      {"list misaligned", withWord(PDB_IMAGE_LIST_OFFSET, listOffset + 2),
       corrupt + "part list offset " + std::to_string(listOffset + 2) +
           " is not aligned"},
      {"cut after the list", cutTo(treeOffset + 8),
       corrupt + "tree holder at offset " + std::to_string(treeOffset) +
           " lies outside the file of " + std::to_string(treeOffset + 8) +
           " bytes"},
      {"list beyond the end", withWord(PDB_IMAGE_LIST_OFFSET, 1u << 30),
       corrupt + "part list at offset 1073741824 lies outside the file of " +
           std::to_string(good.size()) + " bytes"},
      {"slots beyond the end", withWord(listOffset + 4, 1u << 20),
       corrupt +
           "the 1048576 slots of the part list lie outside the file "
           "of " +
           std::to_string(good.size()) + " bytes"},
  };
  for (const Case &c : cases) {
    int status = 0;
    EXPECT_EQ(LoadMessage(dir, c.bytes, &status), c.message) << c.what;
    EXPECT_EQ(status, 1) << c.what;
  }
  int status = 1;
  EXPECT_EQ(LoadMessage(dir, good, &status), "");
  EXPECT_EQ(status, 0);
}

TEST(BinaryLoader, MapsAtMost256ImagesAtOnce) {
  MemoryDb mem;
  Pdb_ImageBuffer image;
  BuildImage(mem.db(), &image);
  TempDir dir;
  std::string name = dir.file("small");
  WriteBytes(name, image.bytes(), image.size());

  std::vector<std::unique_ptr<Pdb_BinaryDb>> open;
  std::string message;
  int status = 0;
  for (int i = 0; i < 256 && status == 0; i++) {
    open.emplace_back(LoadImage(name, &status, &message));
  }
  ASSERT_EQ(status, 0) << message;
  std::unique_ptr<Pdb_BinaryDb> last(LoadImage(name, &status, &message));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(message.rfind("Unable to map binary file \"" + name + "\": ", 0),
            0u)
      << message;
  open.pop_back();
  last.reset(LoadImage(name, &status, &message));
  EXPECT_EQ(status, 0) << "a slot is free again after an unload";
}

} // namespace
