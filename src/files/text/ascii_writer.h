/*
 * ascii_writer.h --
 *
 *	Writes a category tree in the ASCII database form: a first pass with
 *	every real category and the parts homed in it, a second with every
 *	real category again and its part and category references, so that
 *	each reference follows what it designates and the file reads back.
 */

#ifndef TOVPART_FILES_ASCII_WRITER_H
#define TOVPART_FILES_ASCII_WRITER_H

#include <cstdio>

struct Pdb_CategoryTree;

/*
 * Writes both passes of tree (an empty file when the tree has no root)
 * to stream. Returns false when the stream reported a write error.
 */
bool Pdb_WriteAsciiTree(const Pdb_CategoryTree *tree, FILE *stream);

#endif /* TOVPART_FILES_ASCII_WRITER_H */
