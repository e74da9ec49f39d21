/*
 * line_reader.cpp --
 *
 *	The growable line buffer and the line reading shared by the ASCII
 *	reader and the symbol file lookup.
 */

#include "host/line_reader.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LineBufferInit --
 *
 *	Gives buffer an empty, NUL-terminated array of capacity + 1 bytes.
 *
 * Results:
 *	True; false when out of memory, the buffer then holding no array and a
 *	capacity of 0.
 *
 * Side effects:
 *	Allocates with malloc; Pdb_LineBufferRelease frees it.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_LineBufferInit(Pdb_LineBuffer *buffer, size_t capacity) {
  buffer->bytes = static_cast<char *>(malloc(capacity + 1));
  if (buffer->bytes == nullptr) {
    buffer->capacity = 0;
    return false;
  }
  buffer->bytes[0] = '\0';
  buffer->capacity = capacity;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LineBufferRelease --
 *
 *	Frees the array of buffer. Safe to call twice.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	The buffer holds no array and has a capacity of 0 afterwards.
 *
 *----------------------------------------------------------------------
 */

void Pdb_LineBufferRelease(Pdb_LineBuffer *buffer) {
  free(buffer->bytes);
  buffer->bytes = nullptr;
  buffer->capacity = 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ReadLine --
 *
 *	Reads the next line with getline, which grows the buffer as the line
 *	needs and tells the line's length, NUL bytes inside it included.
 *
 * Results:
 *	The line's length, 0 at the end of the file, -1 on a stream error or
 *	when the buffer cannot grow (errno set).
 *
 * Side effects:
 *	Advances the stream; may reallocate buffer->bytes.
 *
 *----------------------------------------------------------------------
 */

long Pdb_ReadLine(Pdb_LineBuffer *buffer, FILE *stream) {
  size_t size = buffer->capacity + 1;
  errno = 0;
  ssize_t length = getline(&buffer->bytes, &size, stream);
  if (buffer->bytes != nullptr && size > 0) {
    buffer->capacity = size - 1;
  }
  if (length < 0) {
    if (ferror(stream) || !feof(stream)) {
      if (errno == 0) {
        errno = EIO;
      }
      return -1;
    }
    buffer->bytes[0] = '\0';
    return 0;
  }
  return static_cast<long>(length);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LineHoldsNul --
 *
 *	Tells whether a line of length bytes, as Pdb_ReadLine returned it,
 *	holds a NUL byte before its end, which no text line does.
 *
 * Results:
 *	True when it does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_LineHoldsNul(const char *line, long length) {
  return memchr(line, '\0', static_cast<size_t>(length)) != nullptr;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsBlankLine --
 *
 *	Tells whether line is empty or made only of white space.
 *
 * Results:
 *	True when it is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsBlankLine(const char *line) {
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(line);
       *p != '\0'; p++) {
    if (!isspace(*p)) {
      return false;
    }
  }
  return true;
}
