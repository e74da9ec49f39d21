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
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "files/image_fixture.h"

namespace {

/* The small image of the tests and the offsets of its structures. */
class DamagedImage : public ::testing::Test {
protected:
  void SetUp() override {
    Pdb_CategoryNode *a = mem.category("a", "A");
    Pdb_CategoryNode *b = mem.category("b", "", a);
    Pdb_Part *r1 = mem.part(a, "R1", {"value", "1k"});
    mem.part(b, "C1");
    mem.reference(b, r1);
    mem.categoryReference(mem.root(), b);
    BuildImage(mem.db(), &image);
    good.assign(image.bytes(), image.bytes() + image.size());

    holder = Pdb_ImageWord(good.data(), PDB_IMAGE_TREE_OFFSET);
    list = Pdb_ImageWord(good.data(), PDB_IMAGE_LIST_OFFSET);
    root = offsetFrom(holder, 0);
    nodeA = offsetFrom(root, offsetof(Pdb_CategoryNode, firstChild));
    nodeRef = offsetFrom(nodeA, offsetof(Pdb_CategoryNode, nextSibling));
    nodeB = offsetFrom(nodeA, offsetof(Pdb_CategoryNode, firstChild));
    categoryB = offsetFrom(nodeB, 0);
    listB = offsetFrom(categoryB, offsetof(Pdb_Category, parts));
    firstRecord = PDB_IMAGE_HEADER_SIZE;
  }

  /* The offset a link of the structure at base designates. */
  uint32_t offsetFrom(uint32_t base, uint32_t field) const {
    return base + Pdb_ImageWord(good.data(), base + field);
  }

  MemoryDb mem;
  Pdb_ImageBuffer image;
  std::vector<unsigned char> good;
  uint32_t holder = 0, list = 0, root = 0, nodeA = 0, nodeRef = 0, nodeB = 0,
           categoryB = 0, listB = 0, firstRecord = 0;
};

TEST_F(DamagedImage, VerifierRefusesDamageTheHeaderChecksMiss) {
  /* Each case sets one word of the image (as a link from base to target
   * when relative, else to the raw value). */
  struct Case {
    const char *what;
    uint32_t base;
    uint32_t field;
    int64_t value;
    bool relative;
    const char *expected;
  };
  const Case cases[] = {
      {"root link out of range", holder, 0, 1 << 24, false, "outside"},
      {"root link misaligned", holder, 0, -18, false, "not aligned"},
      {"node its own sibling", nodeRef, offsetof(Pdb_CategoryNode, nextSibling),
       nodeA, true, "reached twice"},
      {"child is its grandparent", nodeB,
       offsetof(Pdb_CategoryNode, firstChild), root, true, "reached twice"},
      {"wrong parent", nodeB, offsetof(Pdb_CategoryNode, parent), root, true,
       "wrong parent"},
      {"reference and category at once", nodeRef, 0, categoryB, true,
       "both a category and a reference"},
      {"category list slot outside", listB - 8, 0, 1 << 28, false, "outside"},
      {"entry of kind 7", firstRecord, 0, 7, false, "not a part record"},
      {"record size past the end", firstRecord, 4, 1 << 20, false,
       "bad kind, size"},
      {"record string offset", firstRecord, 8, 1, false, "out of place"},
      {"database list out of order (C1 renamed Z1)", firstRecord, 20,
       (Pdb_ImageWord(good.data(), firstRecord + 20) & ~0xffu) | 'Z', false,
       "not in name order"},
  };
  for (const Case &c : cases) {
    std::vector<unsigned char> bytes = good;
    int32_t value =
        static_cast<int32_t>(c.relative ? c.value - c.base : c.value);
    std::memcpy(bytes.data() + c.base + c.field, &value, sizeof(value));
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
  std::vector<unsigned char> bytes = good;
  int32_t cycle = static_cast<int32_t>(nodeA - nodeRef);
  std::memcpy(bytes.data() + nodeRef + offsetof(Pdb_CategoryNode, nextSibling),
              &cycle, sizeof(cycle));
  TempDir dir;
  std::string name = dir.file("cycle");
  WriteBytes(name, bytes.data(), bytes.size());

  const char *saved = std::getenv("ZQ_PDB_VERIFY");
  std::string restore = saved != nullptr ? saved : "";
  struct Setting {
    const char *value;
    int status;
  };
  for (Setting s : {Setting{"1", 1}, Setting{"0", 0}, Setting{"", 0}}) {
    setenv("ZQ_PDB_VERIFY", s.value, 1);
    int status = -1;
    std::string message;
    delete LoadImage(name, &status, &message);
    EXPECT_EQ(status, s.status) << "ZQ_PDB_VERIFY=" << s.value;
    if (s.status == 1) {
      EXPECT_EQ(
          message.rfind("Corrupt binary file \"" + name + "\": the node", 0),
          0u)
          << message;
    }
  }
  if (saved != nullptr) {
    setenv("ZQ_PDB_VERIFY", restore.c_str(), 1);
  } else {
    unsetenv("ZQ_PDB_VERIFY");
  }
}

} // namespace
