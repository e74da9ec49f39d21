/*
 * binary_loader_test.cpp --
 *
 *	Tests of loading binary images: the refusal of files cut short, left
 *	incomplete, misaligned or with a damaged header (without the
 *	verifier, every such image is refused or prints without a crash), and
 *	the limit on mapped images, read in place. (Images read back like
 *	their text databases in the tests of pdb:write and pdbtool convert.)
 */

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "files/image/image_fixture.h"
#include "report/db_report.h"

namespace {

using BinaryLoader = SmallImage;

/* Another version and a file cut after its list are refused in the tests
 * of pdb:open. */
TEST_F(BinaryLoader, RefusesHeadersThatLeadOutsideTheFileOrAreDamaged) {
  const std::string good = ImageBytes(image);
  uint32_t listOffset = Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_LIST_OFFSET);
  uint32_t treeOffset = Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_TREE_OFFSET);
  auto withWord = [&](uint32_t offset, uint32_t value) {
    std::string bytes = good;
    std::memcpy(&bytes[offset], &value, 4);
    return bytes;
  };
  const std::string name = dir.file("damaged");
  const std::string corrupt = "Corrupt binary file \"" + name + "\": ";
  const std::string size = std::to_string(good.size());
  const struct {
    std::string bytes;
    std::string message;
  } cases[] = {
      {good.substr(0, 12),
       corrupt + "file of 12 bytes is shorter than its 16-byte header"},
      {withWord(PDB_IMAGE_TREE_OFFSET, 0), corrupt + "tree holder offset is 0"},
      {withWord(PDB_IMAGE_LIST_OFFSET, listOffset + 2),
       corrupt + "part list offset " + std::to_string(listOffset + 2) +
           " is not aligned"},
      {withWord(PDB_IMAGE_LIST_OFFSET, 1u << 30),
       corrupt + "part list at offset 1073741824 lies outside the file of " +
           size + " bytes"},
      {withWord(listOffset + 4, 1u << 20),
       corrupt + "the 1048576 slots of the part list at offset " +
           std::to_string(listOffset) + " do not lie directly after its " +
           "records"},
      {withWord(PDB_IMAGE_TREE_OFFSET, listOffset),
       corrupt + "tree holder at offset " + std::to_string(listOffset) +
           " does not end the file of " + size + " bytes"},
      {withWord(treeOffset, static_cast<uint32_t>(-40)),
       corrupt + "the root node does not lie directly before the tree " +
           "holder at offset " + std::to_string(treeOffset)},
      {withWord(listOffset + 12, 0), corrupt + "the part list at offset " +
                                         std::to_string(listOffset) +
                                         " is not a sorted list of an image"},
      {withWord(listOffset - 8, 0),
       corrupt + "the entries of the part list at offset " +
           std::to_string(listOffset) + " lie outside its record region"},
      {good, ""},
  };
  for (const auto &c : cases) {
    WriteFile(name, c.bytes);
    int status = -1;
    std::string message;
    delete LoadImage(name, &status, &message);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(status, c.message.empty() ? 0 : 1) << c.message;
  }
}

/*
 * Without the verifier, the constant-time checks alone must keep a damaged
 * header from crashing the first print: every aligned value of the tree
 * offset and of the list offset, and a sweep of values for each word of
 * the list header, is either refused or printed whole.
 */
TEST_F(BinaryLoader, DamagedHeaderIsRefusedOrPrintsWithoutACrash) {
  const char *verify = std::getenv("ZQ_PDB_VERIFY");
  std::string savedVerify = verify != nullptr ? verify : "";
  unsetenv("ZQ_PDB_VERIFY");
  const std::string good = ImageBytes(image);
  const uint32_t size = static_cast<uint32_t>(good.size());
  const uint32_t listOffset =
      Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_LIST_OFFSET);
  const int32_t count = static_cast<int32_t>(Pdb_ReadImageWord(
      image.bytes(), listOffset + offsetof(Pdb_PartList, count)));

  std::vector<std::pair<uint32_t, uint32_t>> damage; /* offset, value */
  for (uint32_t value = 0; value <= size + 8; value += PDB_IMAGE_ALIGN) {
    damage.emplace_back(PDB_IMAGE_TREE_OFFSET, value);
    damage.emplace_back(PDB_IMAGE_LIST_OFFSET, value);
  }
  const int32_t values[] = {0,
                            1,
                            -1,
                            4,
                            -4,
                            count - 1,
                            count + 1,
                            -4 * count + 4,
                            -4 * count - 4,
                            1 << 20,
                            INT32_MIN,
                            INT32_MAX};
  for (uint32_t field = 0; field < sizeof(Pdb_PartList); field += 4) {
    for (int32_t value : values) {
      damage.emplace_back(listOffset + field, static_cast<uint32_t>(value));
    }
  }

  const std::string name = dir.file("damaged");
  FILE *sink = std::fopen("/dev/null", "w");
  int refused = 0;
  int printed = 0;
  for (const auto &d : damage) {
    std::string bytes = good;
    std::memcpy(&bytes[d.first], &d.second, 4);
    WriteFile(name, bytes);
    int status = -1;
    std::string message;
    std::unique_ptr<Pdb_BinaryDb> loaded(LoadImage(name, &status, &message));
    if (status != 0) {
      EXPECT_EQ(message.rfind("Corrupt binary file \"", 0), 0u) << message;
      refused++;
      continue;
    }
    Pdb_PrintReport(loaded.get(), Pdb_ReportSections{false, false, false},
                    sink);
    printed++;
  }
  std::fclose(sink);
  if (!savedVerify.empty()) {
    setenv("ZQ_PDB_VERIFY", savedVerify.c_str(), 1);
  }
  EXPECT_GT(refused, 0);
  EXPECT_GT(printed, 0) << "the undamaged values load";
}

TEST_F(BinaryLoader, MapsAtMost256ImagesAtOnce) {
  std::string name = dir.file("small");
  WriteFile(name, ImageBytes(image));
  std::vector<std::unique_ptr<Pdb_BinaryDb>> open;
  std::string message;
  int status = 0;
  for (int i = 0; i < 256 && status == 0; i++) {
    open.emplace_back(LoadImage(name, &status, &message));
  }
  ASSERT_EQ(status, 0) << message;
  /* Each is read in place, and the loader closes its file. */
  const char *base = static_cast<const char *>(open[0]->mapBase);
  const char *record = reinterpret_cast<const char *>(open[0]->findPart("R1"));
  EXPECT_TRUE(record > base && record < base + open[0]->mapSize);
  EXPECT_EQ(open[0]->file, nullptr);
  std::unique_ptr<Pdb_BinaryDb> last(LoadImage(name, &status, &message));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(message.rfind("Unable to map binary file \"" + name + "\": ", 0),
            0u)
      << message;
  open.pop_back();
  last.reset(LoadImage(name, &status, &message));
  EXPECT_EQ(status, 0) << "a slot is free again after an unload";
}

} // namespace
