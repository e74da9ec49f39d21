/*
 * line_reader_test.cpp --
 *
 *	The shared line reading: lines of any length, the newline kept, a
 *	last line without one, NUL bytes inside a line counted and found.
 *	(Blank lines are tested through pdb:read.)
 */

#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "host/line_reader.h"

namespace {

using Lines = std::vector<std::string>;

/* Reads every line of text through a buffer of the given capacity; a
 * failed read ends the lines with "<error>". */
Lines ReadAll(const std::string &text, size_t capacity) {
  FILE *stream = tmpfile();
  fwrite(text.data(), 1, text.size(), stream);
  rewind(stream);
  Pdb_LineBuffer buffer;
  EXPECT_TRUE(Pdb_LineBufferInit(&buffer, capacity));
  Lines lines;
  long length;
  while ((length = Pdb_ReadLine(&buffer, stream)) > 0) {
    EXPECT_EQ(buffer.bytes[length], '\0');
    EXPECT_EQ(Pdb_LineHoldsNul(buffer.bytes, length),
              strlen(buffer.bytes) != static_cast<size_t>(length));
    lines.emplace_back(buffer.bytes, length);
  }
  if (length < 0) {
    lines.push_back("<error>");
  }
  Pdb_LineBufferRelease(&buffer);
  EXPECT_EQ(buffer.bytes, nullptr);
  fclose(stream);
  return lines;
}

TEST(LineReader, ReadsWholeLinesOfAnyLengthWithTheirNulBytes) {
  EXPECT_EQ(ReadAll("a\n\nbc\r\nlast", 1024),
            (Lines{"a\n", "\n", "bc\r\n", "last"}));
  EXPECT_EQ(ReadAll("", 1024), Lines{});
  /* Lengths around the capacity: the newline may or may not fit. */
  for (size_t n : {3u, 4u, 5u, 7u, 8u, 9u, 5000u}) {
    std::string line(n, 'y');
    EXPECT_EQ(ReadAll(line + "\n" + line, 4), (Lines{line + "\n", line})) << n;
  }
  /* A NUL byte neither ends a line nor joins it to the next. */
  const std::string nul("a\n\0x\nb\0\nc", 9);
  EXPECT_EQ(ReadAll(nul, 16), (Lines{"a\n", std::string("\0x\n", 3),
                                     std::string("b\0\n", 3), "c"}));
}

} // namespace
