/*
 * image_fixture.h --
 *
 *	Helpers of the binary image tests: ASCII databases built in memory
 *	through the model's own operations, images laid out from them, image
 *	files written and loaded back.
 */

#ifndef TOVPART_TESTS_FILES_IMAGE_FIXTURE_H
#define TOVPART_TESTS_FILES_IMAGE_FIXTURE_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>
#include <vector>

#include "files/binary_loader.h"
#include "files/image_buffer.h"
#include "files/image_format.h"
#include "files/image_verifier.h"
#include "files/image_writer.h"
#include "model/ascii_db.h"
#include "model/binary_db.h"
#include "model/category_tree.h"
#include "model/part.h"
#include "shell/group.h"

/* An ASCII database in a group of its own, built category by category. */
class MemoryDb {
public:
  explicit MemoryDb(const char *handle = "zq_pdb_test")
      : owner(new Pdb_Group(nullptr)),
        ascii(new Pdb_AsciiDb(owner, nullptr, PDB_KIND_FILE, "memory.db")) {
    owner->addDatabase(handle, ascii);
  }
  ~MemoryDb() { delete owner; }
  MemoryDb(const MemoryDb &) = delete;
  MemoryDb &operator=(const MemoryDb &) = delete;

  Pdb_AsciiDb *db() const { return ascii; }
  Pdb_Group *group() const { return owner; }
  Pdb_CategoryNode *root() const { return ascii->tree->rootNode(); }

  /* A new category named name under parent (the root when nullptr). */
  Pdb_CategoryNode *category(const char *name, const char *help = "",
                             Pdb_CategoryNode *parent = nullptr) {
    return ascii->tree->createChild(parent != nullptr ? parent : root(), name,
                                    help);
  }

  /* A new part homed in node, with property pairs name, value, ... */
  Pdb_Part *part(Pdb_CategoryNode *node, const char *name,
                 std::vector<const char *> pairs = {}) {
    Pdb_Part *record =
        Pdb_Part::create(name, "sym", "tmpl", "lib", "a template", "none",
                         static_cast<int>(pairs.size() / 2), pairs.data());
    EXPECT_TRUE(ascii->addPart(record));
    EXPECT_TRUE(ascii->tree->addEntry(node, entryOf(record)));
    return record;
  }

  /* Lists a part reference to part in node. */
  void reference(Pdb_CategoryNode *node, const Pdb_Part *part) {
    EXPECT_TRUE(ascii->tree->addEntry(
        node, reinterpret_cast<Pdb_PartEntry *>(
                  Pdb_PartRef::create(entryOf(const_cast<Pdb_Part *>(part))))));
  }

  /* Places a category reference to target under parent. */
  void categoryReference(Pdb_CategoryNode *parent,
                         const Pdb_CategoryNode *target) {
    EXPECT_TRUE(ascii->tree->createReference(parent, target));
  }

  static Pdb_PartEntry *entryOf(Pdb_Part *part) {
    return reinterpret_cast<Pdb_PartEntry *>(part);
  }

private:
  Pdb_Group *owner;
  Pdb_AsciiDb *ascii;
};

/* Lays out db's image, expecting success. */
inline void BuildImage(Pdb_Database *db, Pdb_ImageBuffer *image) {
  Pdb_ImageProblem problem;
  ASSERT_TRUE(Pdb_BuildImage(db, image, &problem)) << problem.text;
}

/* A structure of an image by its offset. */
template <typename T>
const T *ImageAt(const Pdb_ImageBuffer &image, uint32_t offset) {
  return reinterpret_cast<const T *>(image.bytes() + offset);
}

/* The 32-bit word at offset of a laid-out image. */
inline int32_t WordAt(const Pdb_ImageBuffer &image, uint32_t offset) {
  return static_cast<int32_t>(Pdb_ImageWord(image.bytes(), offset));
}

/* A temporary directory, removed with everything in it. */
class TempDir {
public:
  TempDir() {
    char pattern[] = "/tmp/tovpart_imageXXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  std::string file(const char *name) const { return path + "/" + name; }
  const std::string &name() const { return path; }

private:
  std::string path;
};

/* Writes size bytes to the file name. */
inline void WriteBytes(const std::string &name, const void *bytes,
                       std::size_t size) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char *>(bytes),
            static_cast<std::streamsize>(size));
}

/* The bytes of the file name. */
inline std::vector<unsigned char> ReadBytes(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

/*
 * Opens name, constructs a binary database on it and loads it with a
 * fresh interpreter. Returns the database (loaded or not; the caller
 * deletes it), with the loader's status in *status and its message in
 * *message.
 */
inline Pdb_BinaryDb *LoadImage(const std::string &name, int *status,
                               std::string *message) {
  FILE *file = std::fopen(name.c_str(), "rb");
  EXPECT_NE(file, nullptr) << name;
  Pdb_BinaryDb *db = new Pdb_BinaryDb(file, PDB_KIND_FILE, name.c_str());
  Tcl_Interp *interp = Tcl_CreateInterp();
  *status = Pdb_LoadBinary(db, interp);
  *message = Tcl_GetStringResult(interp);
  Tcl_DeleteInterp(interp);
  return db;
}

/* The text form (selector 0) of a part. */
inline std::string PartText(const Pdb_Part *part) {
  Tcl_DString text;
  Pdb_PartText(part, PDB_FIELD_WHOLE, &text);
  std::string result = Tcl_DStringValue(&text);
  Tcl_DStringFree(&text);
  return result;
}

#endif /* TOVPART_TESTS_FILES_IMAGE_FIXTURE_H */
