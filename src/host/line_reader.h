/*
 * line_reader.h --
 *
 *	Reading a text file line by line into a growable buffer. Lines may be
 *	of any length; the newline stays in the line. The ASCII reader and
 *	the symbol file lookup share it.
 */

#ifndef TOVPART_HOST_LINE_READER_H
#define TOVPART_HOST_LINE_READER_H

#include <cstddef>
#include <cstdio>

struct Pdb_LineBuffer {
  char *bytes;     /* capacity + 1 bytes from malloc, NUL-terminated */
  size_t capacity; /* bytes a line may take without growing */
};

enum { PDB_LINE_INITIAL_CAPACITY = 1024 };

/* Gives buffer an empty array of capacity + 1 bytes; false when out of
 * memory (the buffer is then released). */
bool Pdb_LineBufferInit(Pdb_LineBuffer *buffer, size_t capacity);

/* Frees the array and sets the capacity to 0; safe to call twice. */
void Pdb_LineBufferRelease(Pdb_LineBuffer *buffer);

/*
 * Reads the next line of stream into buffer, growing it as needed, and
 * terminates it with a NUL. Returns the line's length (its newline
 * included when it has one, NUL bytes inside it counted), 0 at the end of
 * the file and -1 with errno set on a stream error or when the buffer
 * cannot grow. A last line without a newline is still a line.
 */
long Pdb_ReadLine(Pdb_LineBuffer *buffer, FILE *stream);

/*
 * True when the line of length bytes (as Pdb_ReadLine returned it) holds
 * a NUL byte before its end, which no text line does.
 */
bool Pdb_LineHoldsNul(const char *line, long length);

/* True when the line is empty or made only of white space. */
bool Pdb_IsBlankLine(const char *line);

#endif /* TOVPART_HOST_LINE_READER_H */
