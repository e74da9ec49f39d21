/*
 * image_fixture.h --
 *
 *	Helpers of the binary image tests: images laid out from databases
 *	the model fixture builds, their structures, image files loaded back,
 *	and the small image most tests use.
 */

#ifndef TOVPART_TESTS_FILES_IMAGE_FIXTURE_H
#define TOVPART_TESTS_FILES_IMAGE_FIXTURE_H

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <tcl.h>

#include "files/image/binary_loader.h"
#include "files/image/image_buffer.h"
#include "files/image/image_format.h"
#include "files/image/image_verifier.h"
#include "files/image/image_writer.h"
#include "model/binary_db.h"
#include "support/temp_dir.h"
#include "tests/model/model_fixture.h"

/* Lays out db's image, expecting success. */
inline void BuildImage(Pdb_Database *db, Pdb_ImageBuffer *image) {
  Pdb_ImageProblem problem;
  ASSERT_TRUE(Pdb_BuildImage(db, image, &problem)) << problem.text;
}

/* The image bytes as a string. */
inline std::string ImageBytes(const Pdb_ImageBuffer &image) {
  return std::string(reinterpret_cast<const char *>(image.bytes()),
                     image.size());
}

/* The database list and the tree holder of a laid-out image. */
inline const Pdb_PartList *ImageList(const Pdb_ImageBuffer &image) {
  return reinterpret_cast<const Pdb_PartList *>(
      image.bytes() + Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_LIST_OFFSET));
}
inline const Pdb_CategoryTree *ImageTree(const Pdb_ImageBuffer &image) {
  return reinterpret_cast<const Pdb_CategoryTree *>(
      image.bytes() + Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_TREE_OFFSET));
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

/* The small database of the image tests, its image and a scratch
 * directory:
 *   /a/ (help A): R1
 *   /a/b/: C1, a reference to R1
 *   a category reference to /a/b/ under the root */
class SmallImage : public ::testing::Test {
protected:
  void SetUp() override {
    db->treeEdit()->ensurePath(interp, g.group, "/a/", "A");
    r1 = g.part(db, "/a/", "R1");
    c1 = g.part(db, "/a/b/", "C1");
    g.partRef(db, "/a/b/", r1);
    g.catRef(db, "/", db, "/a/b/");
    BuildImage(db, &image);
  }

  std::string result() const { return g.result(); }

  ModelGroup g;
  Pdb_AsciiDb *db = g.addDb("zq_pdb1");
  Tcl_Interp *interp = g.interp;
  Pdb_Part *r1 = nullptr;
  Pdb_Part *c1 = nullptr;
  Pdb_ImageBuffer image;
  TempDir dir;
};

#endif /* TOVPART_TESTS_FILES_IMAGE_FIXTURE_H */
