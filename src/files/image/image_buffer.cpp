/*
 * image_buffer.cpp --
 *
 *	The growable byte buffer of the image writer.
 */

#include "files/image/image_buffer.h"

#include <cerrno>
#include <cstring>

#include "files/image/bulk_memory.h"
#include "files/image/image_format.h"

Pdb_ImageBuffer::~Pdb_ImageBuffer() { Pdb_BulkFree(data, capacity); }

/*
 *----------------------------------------------------------------------
 *
 * reserve --
 *
 *	Makes room for extra more bytes, at least doubling the capacity.
 *	Returns false and records the errno when memory runs out or the image
 *	would reach the size that 32-bit links cannot span.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::reserve(std::size_t extra) {
  if (failedErrno != 0) {
    return false;
  }
  if (extra > PDB_IMAGE_MAX_SIZE - length) {
    failedErrno = EFBIG;
    return false;
  }
  std::size_t needed = length + extra;
  if (needed <= capacity) {
    return true;
  }
  std::size_t grown = capacity < 65536 ? 65536 : capacity * 2;
  grown = Pdb_BulkRound(grown < needed ? needed : grown);
  void *moved = data == nullptr ? Pdb_BulkAlloc(grown)
                                : Pdb_BulkGrow(data, capacity, grown);
  if (moved == nullptr) {
    failedErrno = ENOMEM;
    return false;
  }
  data = static_cast<unsigned char *>(moved);
  capacity = grown;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::expect --
 *
 *	Makes room for total bytes in all at once, so that the appends that
 *	follow do not grow the buffer again.
 *
 * Results:
 *	True; false as for append.
 *
 * Side effects:
 *	May move the buffer's bytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::expect(std::size_t total) {
  return total <= length || reserve(total - length);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::append --
 *
 *	Appends count bytes from source.
 *
 * Results:
 *	True; false when memory runs out or the image would outgrow its
 *	32-bit links, errno and failure() then being ENOMEM or EFBIG. A failed
 *	buffer stays failed.
 *
 * Side effects:
 *	May move the buffer's bytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::append(const void *source, std::size_t count) {
  if (!reserve(count)) {
    return false;
  }
  std::memcpy(data + length, source, count);
  length += count;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::appendZeros --
 *
 *	Appends count zero bytes.
 *
 * Results:
 *	True; false as for append.
 *
 * Side effects:
 *	May move the buffer's bytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::appendZeros(std::size_t count) {
  if (!reserve(count)) {
    return false;
  }
  std::memset(data + length, 0, count);
  length += count;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::appendString --
 *
 *	Appends string with its NUL, then pads to the image alignment.
 *
 * Results:
 *	True; false as for append.
 *
 * Side effects:
 *	May move the buffer's bytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::appendString(const char *string) {
  return append(string, std::strlen(string) + 1) && pad();
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::pad --
 *
 *	Appends zero bytes up to the next multiple of PDB_IMAGE_ALIGN.
 *
 * Results:
 *	True; false as for append.
 *
 * Side effects:
 *	May move the buffer's bytes.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_ImageBuffer::pad() {
  std::size_t rest = length % PDB_IMAGE_ALIGN;
  return rest == 0 || appendZeros(PDB_IMAGE_ALIGN - rest);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ImageBuffer::patch --
 *
 *	Overwrites the 32-bit word at offset (offset + 4 <= size()), for the
 *	header words and links known only once later structures are placed.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Changes bytes already laid out.
 *
 *----------------------------------------------------------------------
 */

void Pdb_ImageBuffer::patch(uint32_t offset, int32_t value) {
  std::memcpy(data + offset, &value, sizeof(value));
}
