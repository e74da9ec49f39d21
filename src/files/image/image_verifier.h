/*
 * image_verifier.h --
 *
 *	The structural verifier of binary images. It checks an image as a
 *	whole before anything walks it: every link and slot lands inside the
 *	file on an aligned structure of the expected kind, every string ends
 *	inside the file, part records are internally consistent, and node
 *	links form a tree. Code that walks a verified image needs no checks.
 */

#ifndef TOVPART_FILES_IMAGE_VERIFIER_H
#define TOVPART_FILES_IMAGE_VERIFIER_H

#include <cstddef>

#include "files/image/image_format.h"

/* Limits beyond which an image is refused. */
enum {
  PDB_VERIFY_MAX_DEPTH = 1000000,      /* levels of the category tree */
  PDB_VERIFY_MAX_STRING = 1024 * 1024, /* bytes of one category string */
};

/*
 * Verifies the image of size bytes at image (4-byte aligned), version
 * word included. Returns true when every check holds, else false with the
 * first problem found described. Reads the image only; takes memory in
 * proportion to size / 16.
 */
bool Pdb_VerifyImage(const void *image, std::size_t size,
                     Pdb_ImageProblem *problem);

/* True when env ZQ_PDB_VERIFY asks the loader to verify every image. */
bool Pdb_IsVerifyRequested();

/* The start of the message for an image that fails the checks. */
inline constexpr char PDB_MSG_CORRUPT_IMAGE[] = "Corrupt binary file \"";

#endif /* TOVPART_FILES_IMAGE_VERIFIER_H */
