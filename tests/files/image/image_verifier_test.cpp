/*
 * image_verifier_test.cpp --
 *
 *	Tests of the structural verifier: damage that passes the loader's
 *	constant-time checks but would send a walk out of the file or round
 *	in circles is refused, and the loader applies the verifier when the
 *	environment asks for it.
 */

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "files/image/image_fixture.h"

namespace {

/* Byte offsets of the links in node and category images. */
constexpr uint32_t NODE_PARENT = 4, NODE_FIRST_CHILD = 8,
                   NODE_NEXT_SIBLING = 12, CATEGORY_PARTS = 8;

/* The small image and the offsets of its structures. */
class DamagedImage : public SmallImage {
protected:
  void SetUp() override {
    SmallImage::SetUp();
    good = ImageBytes(image);
    holder = Pdb_ReadImageWord(image.bytes(), PDB_IMAGE_TREE_OFFSET);
    root = linkAt(holder, 0);
    nodeA = linkAt(root, NODE_FIRST_CHILD);
    nodeRef = linkAt(nodeA, NODE_NEXT_SIBLING);
    nodeB = linkAt(nodeA, NODE_FIRST_CHILD);
    categoryB = linkAt(nodeB, 0);
    listB = linkAt(categoryB, CATEGORY_PARTS);
  }

  /* The offset a link of the structure at base designates. */
  uint32_t linkAt(uint32_t base, uint32_t field) const {
    return base + Pdb_ReadImageWord(image.bytes(), base + field);
  }

  /* The good image with the word at offset set to value. */
  std::string withWord(uint32_t offset, int32_t value) const {
    std::string bytes = good;
    std::memcpy(&bytes[offset], &value, sizeof(value));
    return bytes;
  }

  std::string good;
  uint32_t holder = 0, root = 0, nodeA = 0, nodeRef = 0, nodeB = 0,
           categoryB = 0, listB = 0;
};

TEST_F(DamagedImage, VerifierRefusesDamageTheHeaderChecksMiss) {
  /* Each case sets one word of the image (as a link from base to target
   * when relative, else to the raw value). */
  const uint32_t record = PDB_IMAGE_HEADER_SIZE;
  const struct {
    const char *what;
    uint32_t base;
    uint32_t field;
    int64_t value;
    bool relative;
    const char *expected;
  } cases[] = {
      {"node its own sibling", nodeRef, NODE_NEXT_SIBLING, nodeA, true,
       "reached twice"},
      {"child is its grandparent", nodeB, NODE_FIRST_CHILD, root, true,
       "reached twice"},
      {"wrong parent", nodeB, NODE_PARENT, root, true, "wrong parent"},
      {"reference and category at once", nodeRef, 0, categoryB, true,
       "both a category and a reference"},
      {"category list slot outside", listB - 8, 0, 1 << 28, false, "outside"},
      {"entry of kind 7", record, 0, 7, false, "not a part record"},
      {"record size past the end", record, 4, 1 << 20, false, "bad kind, size"},
      {"record string offset", record, 8, 1, false, "out of place"},
      {"database list out of order (C1 renamed Z1)", record, 20,
       (Pdb_ReadImageWord(image.bytes(), record + 20) & ~0xffu) | 'Z', false,
       "not in name order"},
      {"category list slots a word before their place", listB, 0,
       static_cast<int32_t>(Pdb_ReadImageWord(image.bytes(), listB)) - 4, false,
       "slots do not end at its header"},
      {"1.8 billion entries", holder, 4, 1800000000, false,
       "counts 1800000000 entries"},
      {"one category too many", holder, 8,
       Pdb_ReadImageWord(image.bytes(), holder + 8) + 1, false, "categories"},
      {"no reference", holder, 12, 0, false, "0 references where"},
  };
  for (const auto &c : cases) {
    std::string bytes =
        withWord(c.base + c.field,
                 static_cast<int32_t>(c.relative ? c.value - c.base : c.value));
    Pdb_ImageProblem problem;
    ASSERT_TRUE(Pdb_CheckImageHeader(bytes.data(), bytes.size(), &problem))
        << c.what << ": " << problem.text;
    EXPECT_FALSE(Pdb_VerifyImage(bytes.data(), bytes.size(), &problem))
        << c.what;
    EXPECT_NE(std::strstr(problem.text, c.expected), nullptr)
        << c.what << ": " << problem.text;
  }
}

TEST_F(DamagedImage, LoaderVerifiesWhenTheEnvironmentAsks) {
  std::string name = dir.file("cycle");
  WriteFile(name, withWord(nodeRef + NODE_NEXT_SIBLING,
                           static_cast<int32_t>(nodeA - nodeRef)));
  for (const char *setting : {"1", "0", ""}) {
    setenv("ZQ_PDB_VERIFY", setting, 1);
    int status = -1;
    std::string message;
    delete LoadImage(name, &status, &message);
    EXPECT_EQ(status, *setting == '1' ? 1 : 0) << "ZQ_PDB_VERIFY=" << setting;
    if (status == 1) {
      EXPECT_EQ(
          message.rfind("Corrupt binary file \"" + name + "\": the node", 0),
          0u)
          << message;
    }
  }
  unsetenv("ZQ_PDB_VERIFY");
}

} // namespace
