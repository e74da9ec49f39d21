/*
 * image_format.h --
 *
 *	The binary image file: its header words, alignment, the problem text
 *	that image checks report, and the constant-time header check that the
 *	loader runs on every image it maps.
 */

#ifndef TOVPART_FILES_IMAGE_FORMAT_H
#define TOVPART_FILES_IMAGE_FORMAT_H

#include <cstddef>
#include <cstdint>

/* Images are used in place, so the host must share their byte order. */
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "binary images are little-endian and mapped in place");

enum : uint32_t {
  PDB_IMAGE_FORMAT_BYTE = 'b', /* byte 0 */
  PDB_IMAGE_VERSION = 2,       /* word at offset 4 */
  PDB_IMAGE_VERSION_OFFSET = 4,
  PDB_IMAGE_LIST_OFFSET = 8,  /* word: offset of the database list header */
  PDB_IMAGE_TREE_OFFSET = 12, /* word: offset of the tree holder */
  PDB_IMAGE_HEADER_SIZE = 16,
  PDB_IMAGE_ALIGN = 4
};

/* Links are signed 32-bit, so no image may reach 2 GiB. */
constexpr std::size_t PDB_IMAGE_MAX_SIZE = 0x7fffffff;

/* What an image check found wrong; text is empty while nothing is. */
struct Pdb_ImageProblem {
  char text[200];
};

/* Formats the problem text (printf style); returns false for chaining. */
bool Pdb_SetImageProblem(Pdb_ImageProblem *problem, const char *format, ...)
    __attribute__((format(printf, 2, 3)));

/* The 32-bit word at offset of an image (offset + 4 <= size). */
uint32_t Pdb_ReadImageWord(const void *image, std::size_t offset);

/*
 * The checks that cost the same for every image size, run on every image
 * the loader maps; true when all hold, else false with the problem.
 */
bool Pdb_CheckImageHeader(const void *image, std::size_t size,
                          Pdb_ImageProblem *problem);

#endif /* TOVPART_FILES_IMAGE_FORMAT_H */
