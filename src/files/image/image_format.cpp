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

/* Offsets of links inside their structures, as the model pins them. */
enum {
  HOLDER_ROOT_LINK = 0,  /* Pdb_CategoryTree: the root node */
  NODE_PARENT_LINK = 4,  /* Pdb_CategoryNode: the parent */
  NODE_SIBLING_LINK = 12 /* Pdb_CategoryNode: the next sibling */
};

static bool CheckStructure(const char *what, uint32_t offset,
                           std::size_t length, std::size_t size,
                           Pdb_ImageProblem *problem);
static bool CheckRoot(const void *image, uint32_t treeOffset,
                      Pdb_ImageProblem *problem);
static bool CheckPartList(const void *image, uint32_t listOffset,
                          Pdb_ImageProblem *problem);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SetImageProblem --
 *
 *	Formats the description of an image problem, printf style, into
 *	problem's text (cut to its size).
 *
 * Results:
 *	False, so that a check can return the call.
 *
 * Side effects:
 *	Overwrites the problem text.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_SetImageProblem(Pdb_ImageProblem *problem, const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(problem->text, sizeof(problem->text), format, args);
  va_end(args);
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReadImageWord --
 *
 *	Reads the 32-bit word at offset of an image (offset + 4 <= size),
 *	whatever the alignment of the image in memory.
 *
 * Results:
 *	The word.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

uint32_t Pdb_ReadImageWord(const void *image, std::size_t offset) {
  uint32_t word;
  std::memcpy(&word, static_cast<const char *>(image) + offset, sizeof(word));
  return word;
}

/*
 *----------------------------------------------------------------------
 *
 * CheckStructure --
 *
 *	Checks that a structure of length bytes said to lie at offset is
 *	non-zero, aligned, past the header and inside a file of size bytes.
 *	Returns true when it is, else false with the problem described.
 *
 *----------------------------------------------------------------------
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

/*
 *----------------------------------------------------------------------
 *
 * Pdb_CheckImageHeader --
 *
 *	The checks that cost the same for every image size, run on every
 *	image the loader maps: the header is whole; the list and tree offsets
 *	are non-zero, aligned and inside the file; the tree holder ends the
 *	file, with the root node (if any) directly before it and without a
 *	parent or sibling; the database list's header is a sorted list
 *	without capacity whose slots lie directly before it, its first entry
 *	the record right after the header and its last one inside the record
 *	region before the slots. Every image the writer produces passes
 *	them; a file cut short, left unfinished or with a damaged header
 *	fails them. The version word is not looked at.
 *
 * Results:
 *	True when all hold, else false with the problem described.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

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
  uint32_t listOffset = Pdb_ReadImageWord(image, PDB_IMAGE_LIST_OFFSET);
  uint32_t treeOffset = Pdb_ReadImageWord(image, PDB_IMAGE_TREE_OFFSET);
  if (!CheckStructure("part list", listOffset, sizeof(Pdb_PartList), size,
                      problem) ||
      !CheckStructure("tree holder", treeOffset, sizeof(Pdb_CategoryTree), size,
                      problem)) {
    return false;
  }

  if (treeOffset != size - sizeof(Pdb_CategoryTree)) {
    return Pdb_SetImageProblem(problem,
                               "tree holder at offset %u does not end the "
                               "file of %zu bytes",
                               treeOffset, size);
  }
  return CheckRoot(image, treeOffset, problem) &&
         CheckPartList(image, listOffset, problem);
}

/*
 *----------------------------------------------------------------------
 *
 * CheckRoot --
 *
 *	Checks that the root node, when the tree has one, is the node image
 *	directly before the tree holder (the writer places it last) and has
 *	neither a parent nor a sibling.
 *
 *----------------------------------------------------------------------
 */

static bool CheckRoot(const void *image, uint32_t treeOffset,
                      Pdb_ImageProblem *problem) {
  int32_t rootLink = static_cast<int32_t>(
      Pdb_ReadImageWord(image, treeOffset + HOLDER_ROOT_LINK));
  if (rootLink == 0) {
    return true;
  }
  if (rootLink != -static_cast<int32_t>(sizeof(Pdb_CategoryNode)) ||
      treeOffset < PDB_IMAGE_HEADER_SIZE + sizeof(Pdb_CategoryNode)) {
    return Pdb_SetImageProblem(problem,
                               "the root node does not lie directly before "
                               "the tree holder at offset %u",
                               treeOffset);
  }
  uint32_t root = treeOffset - static_cast<uint32_t>(sizeof(Pdb_CategoryNode));
  if (Pdb_ReadImageWord(image, root + NODE_PARENT_LINK) != 0 ||
      Pdb_ReadImageWord(image, root + NODE_SIBLING_LINK) != 0) {
    return Pdb_SetImageProblem(problem,
                               "the root node at offset %u has a parent or a "
                               "sibling",
                               root);
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * CheckPartList --
 *
 *	Checks the database list's header against the record region that
 *	the writer puts before it: the sorted flag set and no capacity, the
 *	slots directly before the header, the first entry the record right
 *	after the file header and the last one inside the region (the
 *	entries lie in name order, so in increasing offsets). An empty list
 *	follows the file header directly.
 *
 *----------------------------------------------------------------------
 */

static bool CheckPartList(const void *image, uint32_t listOffset,
                          Pdb_ImageProblem *problem) {
  Pdb_PartList list;
  std::memcpy(&list, static_cast<const char *>(image) + listOffset,
              sizeof(list));
  if (list.count < 0) {
    return Pdb_SetImageProblem(problem, "part list count %d is negative",
                               static_cast<int>(list.count));
  }
  if (list.capacity != 0 || list.sorted != 1) {
    return Pdb_SetImageProblem(problem,
                               "the part list at offset %u is not a sorted "
                               "list of an image",
                               listOffset);
  }
  int64_t slots =
      static_cast<int64_t>(listOffset) - 4 * static_cast<int64_t>(list.count);
  if (list.count == 0) {
    if (list.storage.offset != 0 || listOffset != PDB_IMAGE_HEADER_SIZE) {
      return Pdb_SetImageProblem(problem,
                                 "the empty part list at offset %u does not "
                                 "follow the file header",
                                 listOffset);
    }
    return true;
  }
  if (list.storage.offset != slots - listOffset ||
      slots - PDB_IMAGE_HEADER_SIZE <
          static_cast<int64_t>(Pdb_Part::headerSize) * list.count) {
    return Pdb_SetImageProblem(problem,
                               "the %d slots of the part list at offset %u do "
                               "not lie directly after its records",
                               static_cast<int>(list.count), listOffset);
  }
  int64_t first = listOffset + static_cast<int32_t>(Pdb_ReadImageWord(
                                   image, static_cast<std::size_t>(slots)));
  int64_t last =
      listOffset + static_cast<int32_t>(Pdb_ReadImageWord(
                       image, static_cast<std::size_t>(listOffset) - 4));
  if (first != PDB_IMAGE_HEADER_SIZE || last < first ||
      last % PDB_IMAGE_ALIGN != 0 ||
      last + static_cast<int64_t>(Pdb_Part::headerSize) > slots) {
    return Pdb_SetImageProblem(problem,
                               "the entries of the part list at offset %u lie "
                               "outside its record region",
                               listOffset);
  }
  return true;
}
