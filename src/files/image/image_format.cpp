/*
 * image_format.cpp --
 *
 *	Problem texts of image checks and the constant-time header check of
 *	binary images.
 */

#include "files/image/image_format.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "model/category_tree.h"
#include "model/part_list.h"

static bool CheckStructure(const char *what, uint32_t offset,
                           std::size_t length, std::size_t size,
                           Pdb_ImageProblem *problem);

bool Pdb_SetImageProblem(Pdb_ImageProblem *problem, const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(problem->text, sizeof(problem->text), format, args);
  va_end(args);
  return false;
}

uint32_t Pdb_ImageWord(const void *image, std::size_t offset) {
  uint32_t word;
  std::memcpy(&word, static_cast<const char *>(image) + offset, sizeof(word));
  return word;
}

/*
 * CheckStructure --
 *
 *	Checks that a structure of length bytes said to lie at offset is
 *	non-zero, aligned, past the header and inside a file of size bytes.
 *	Returns true when it is, else false with the problem described.
 */
static bool CheckStructure(const char *what, uint32_t offset,
                           std::size_t length, std::size_t size,
                           Pdb_ImageProblem *problem) {
  if (offset == 0) {
    return Pdb_SetImageProblem(problem, "%s offset is 0", what);
  }
  if (offset % PDB_IMAGE_ALIGN != 0) {
    return Pdb_SetImageProblem(problem, "%s offset %u is not aligned", what,
                               offset);
  }
  if (offset < PDB_IMAGE_HEADER_SIZE || offset > size ||
      length > size - offset) {
    return Pdb_SetImageProblem(problem,
                               "%s at offset %u lies outside the file of %zu "
                               "bytes",
                               what, offset, size);
  }
  return true;
}

bool Pdb_CheckImageHeader(const void *image, std::size_t size,
                          Pdb_ImageProblem *problem) {
  problem->text[0] = '\0';
  if (size < PDB_IMAGE_HEADER_SIZE) {
    return Pdb_SetImageProblem(
        problem, "file of %zu bytes is shorter than its %u-byte header", size,
        static_cast<unsigned>(PDB_IMAGE_HEADER_SIZE));
  }
  if (size > PDB_IMAGE_MAX_SIZE) {
    return Pdb_SetImageProblem(problem, "file of %zu bytes is too large", size);
  }
  uint32_t listOffset = Pdb_ImageWord(image, PDB_IMAGE_LIST_OFFSET);
  uint32_t treeOffset = Pdb_ImageWord(image, PDB_IMAGE_TREE_OFFSET);
  if (!CheckStructure("part list", listOffset, sizeof(Pdb_PartList), size,
                      problem) ||
      !CheckStructure("tree holder", treeOffset, sizeof(Pdb_CategoryTree), size,
                      problem)) {
    return false;
  }

  Pdb_PartList list;
  std::memcpy(&list, static_cast<const char *>(image) + listOffset,
              sizeof(list));
  if (list.count < 0) {
    return Pdb_SetImageProblem(problem, "part list count %d is negative",
                               static_cast<int>(list.count));
  }
  if (list.count == 0) {
    return true;
  }
  int64_t slots = static_cast<int64_t>(listOffset) + list.storage.offset;
  int64_t end = slots + 4 * static_cast<int64_t>(list.count);
  if (list.storage.offset == 0 || slots % PDB_IMAGE_ALIGN != 0 ||
      slots < PDB_IMAGE_HEADER_SIZE || end > static_cast<int64_t>(size)) {
    return Pdb_SetImageProblem(problem,
                               "the %d slots of the part list lie outside the "
                               "file of %zu bytes",
                               static_cast<int>(list.count), size);
  }
  return true;
}
