/*
 * part_order_test.cpp --
 *
 *	The image writer's records come in strcmp order, the order the
 *	loader's binary search relies on, also where names agree in their
 *	first eight or sixteen bytes (the sort keys) and where they hold
 *	bytes above 0x7f; the record bytes are counted as the image lays
 *	them out.
 */

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "files/image/image_format.h"
#include "files/image/part_order.h"
#include "model/part_list.h"
#include "tests/model/model_fixture.h"

TEST(PartOrder, RecordsComeInStrcmpOrderWhateverTheirPrefixes) {
  const std::vector<std::string> names = {"b",
                                          "a",
                                          "",
                                          "abcdefgh",
                                          "abcdefg",
                                          "abcdefgh1",
                                          "abcdefgh0",
                                          "abcdefghijklmnop",
                                          "abcdefghijklmnoq",
                                          "abcdefghijklmnopZ",
                                          "abcdefghijklmnop\x80",
                                          "\xc3\xa9",
                                          "\x7f",
                                          "Z",
                                          "a\x01",
                                          "a\xff"};
  ModelGroup fixture;
  Pdb_AsciiDb *db = fixture.addDb("zq_pdb1");
  std::size_t expectedBytes = 0;
  for (const std::string &name : names) {
    Pdb_Part *part = makePart(name.c_str());
    ASSERT_TRUE(db->addPart(part));
    expectedBytes +=
        (part->size + PDB_IMAGE_ALIGN - 1) / PDB_IMAGE_ALIGN * PDB_IMAGE_ALIGN;
  }
  Pdb_PartList *list = Pdb_PartList::create(1);
  std::size_t recordBytes = 5;
  ASSERT_TRUE(Pdb_CollectPartsInNameOrder(db, list, &recordBytes));
  EXPECT_EQ(recordBytes, 5 + expectedBytes);
  EXPECT_EQ(list->sorted, 1);
  std::vector<std::string> sorted = names;
  std::sort(sorted.begin(), sorted.end(),
            [](const std::string &a, const std::string &b) {
              return std::strcmp(a.c_str(), b.c_str()) < 0;
            });
  ASSERT_EQ(list->count, static_cast<int>(sorted.size()));
  for (int i = 0; i < list->count; i++) {
    EXPECT_EQ(Pdb_GetEntryName(list->entry(i)), sorted[i]) << "slot " << i;
  }
  Pdb_PartList::destroy(list);
}
