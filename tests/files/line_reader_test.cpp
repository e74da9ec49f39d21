/*
 * line_reader_test.cpp --
 *
 *	The shared line reading: lines of any length, the newline kept, a
 *	last line without one, and the blank-line test.
 */

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "files/line_reader.h"

namespace {

/* Reads every line of text through a buffer of the given capacity. */
std::vector<std::string> ReadAll(const std::string &text, size_t capacity,
                                 size_t *finalCapacity = nullptr) {
  FILE *stream = tmpfile();
  fwrite(text.data(), 1, text.size(), stream);
  rewind(stream);
  Pdb_LineBuffer buffer;
  EXPECT_TRUE(Pdb_LineBufferInit(&buffer, capacity));
  std::vector<std::string> lines;
  long length;
  while ((length = Pdb_ReadLine(&buffer, stream)) > 0) {
    EXPECT_EQ(static_cast<size_t>(length), strlen(buffer.bytes));
    lines.emplace_back(buffer.bytes, length);
  }
  EXPECT_EQ(length, 0);
  if (finalCapacity != nullptr) {
    *finalCapacity = buffer.capacity;
  }
  Pdb_LineBufferRelease(&buffer);
  EXPECT_EQ(buffer.bytes, nullptr);
  fclose(stream);
  return lines;
}

TEST(LineReader, KeepsNewlinesAndReadsALastLineWithoutOne) {
  EXPECT_EQ(ReadAll("a\n\nbc\r\nlast", 1024),
            (std::vector<std::string>{"a\n", "\n", "bc\r\n", "last"}));
  EXPECT_TRUE(ReadAll("", 1024).empty());
}

TEST(LineReader, GrowsByDoublingForLongLines) {
  std::string longLine(5000, 'x');
  size_t capacity = 0;
  auto lines = ReadAll("short\n" + longLine + "\nend\n", 1024, &capacity);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine + "\n");
  EXPECT_EQ(lines[2], "end\n");
  EXPECT_EQ(capacity, 8192u);
}

TEST(LineReader, LineExactlyFillingTheBufferIsWhole) {
  /* Lengths around the capacity: the newline may or may not fit. */
  for (size_t n : {3u, 4u, 5u, 7u, 8u, 9u}) {
    std::string line(n, 'y');
    auto lines = ReadAll(line + "\n" + line, 4);
    ASSERT_EQ(lines.size(), 2u) << n;
    EXPECT_EQ(lines[0], line + "\n") << n;
    EXPECT_EQ(lines[1], line) << n;
  }
}

TEST(LineReader, LineBeginningWithNulIsAnError) {
  FILE *stream = tmpfile();
  fwrite("\0x\n", 1, 3, stream);
  rewind(stream);
  Pdb_LineBuffer buffer;
  ASSERT_TRUE(Pdb_LineBufferInit(&buffer, 16));
  EXPECT_EQ(Pdb_ReadLine(&buffer, stream), -1);
  Pdb_LineBufferRelease(&buffer);
  fclose(stream);
}

TEST(LineReader, BlankLinesAreEmptyOrWhiteSpaceOnly) {
  for (const char *blank : {"", "\n", " \t\r\n", "\v\f"}) {
    EXPECT_TRUE(Pdb_IsBlankLine(blank)) << blank;
  }
  for (const char *text : {"x", " ]\n", "\t{}\n"}) {
    EXPECT_FALSE(Pdb_IsBlankLine(text)) << text;
  }
}

} // namespace
