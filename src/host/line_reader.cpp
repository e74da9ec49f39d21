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

void Pdb_LineBufferRelease(Pdb_LineBuffer *buffer) {
  free(buffer->bytes);
  buffer->bytes = nullptr;
  buffer->capacity = 0;
}

/*
 * Pdb_ReadLine --
 *
 *	Reads with fgets into the buffer; while the line read so far has no
 *	newline and the stream is not at its end, doubles the buffer and
 *	reads on behind what is there.
 *
 * Results:
 *	The line's length, 0 at the end of the file, -1 on a stream error,
 *	when the buffer cannot grow or when the line begins with a NUL byte
 *	(errno EILSEQ).
 *
 * Side effects:
 *	Advances the stream; may reallocate buffer->bytes.
 */
long Pdb_ReadLine(Pdb_LineBuffer *buffer, FILE *stream) {
  buffer->bytes[0] = '\0';
  if (fgets(buffer->bytes, static_cast<int>(buffer->capacity + 1), stream) ==
      nullptr) {
    return ferror(stream) ? -1 : 0;
  }
  size_t n = strlen(buffer->bytes);
  if (n == 0) {
    /* The line begins with a NUL byte: no text file holds one. */
    errno = EILSEQ;
    return -1;
  }
  while (buffer->bytes[n - 1] != '\n') {
    if (feof(stream)) {
      return static_cast<long>(n);
    }
    size_t capacity = buffer->capacity * 2;
    char *grown = static_cast<char *>(realloc(buffer->bytes, capacity + 1));
    if (grown == nullptr) {
      return -1;
    }
    buffer->bytes = grown;
    buffer->capacity = capacity;
    if (fgets(buffer->bytes + n, static_cast<int>(capacity - n + 1), stream) ==
        nullptr) {
      return ferror(stream) ? -1 : static_cast<long>(n);
    }
    n += strlen(buffer->bytes + n);
  }
  return static_cast<long>(n);
}

bool Pdb_IsBlankLine(const char *line) {
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(line);
       *p != '\0'; p++) {
    if (!isspace(*p)) {
      return false;
    }
  }
  return true;
}
