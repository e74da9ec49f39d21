/*
 * image_buffer.h --
 *
 *	The growable byte buffer in which the image writer lays out a binary
 *	image before it goes to the file: appends at the end, zero padding to
 *	the image alignment and 32-bit patches of bytes already laid out.
 */

#ifndef TOVPART_FILES_IMAGE_BUFFER_H
#define TOVPART_FILES_IMAGE_BUFFER_H

#include <cstddef>
#include <cstdint>

class Pdb_ImageBuffer {
public:
  Pdb_ImageBuffer() = default;
  ~Pdb_ImageBuffer();
  Pdb_ImageBuffer(const Pdb_ImageBuffer &) = delete;
  Pdb_ImageBuffer &operator=(const Pdb_ImageBuffer &) = delete;

  /* The offset at which the next append lands: the bytes laid out. */
  uint32_t position() const { return static_cast<uint32_t>(length); }
  const unsigned char *bytes() const { return data; }
  std::size_t size() const { return length; }

  /*
   * Appends count bytes. Returns false (and the buffer stays failed) when
   * memory runs out or the image would outgrow the 32-bit links; errno
   * is then ENOMEM or EFBIG.
   */
  bool append(const void *source, std::size_t count);

  /* Appends count zero bytes; false as for append. */
  bool appendZeros(std::size_t count);

  /* Appends a string with its NUL, then pads. */
  bool appendString(const char *string);

  /* Makes room for total bytes in all at once; false as for append. */
  bool expect(std::size_t total);

  /* Appends zero bytes up to the next multiple of the image alignment. */
  bool pad();

  /* Overwrites the 32-bit word at offset (offset + 4 <= size()). */
  void patch(uint32_t offset, int32_t value);

  /* The errno of the first failure, or 0. */
  int failure() const { return failedErrno; }

private:
  bool reserve(std::size_t extra);

  unsigned char *data = nullptr;
  std::size_t length = 0;
  std::size_t capacity = 0;
  int failedErrno = 0;
};

#endif /* TOVPART_FILES_IMAGE_BUFFER_H */
