/*
 * image_verifier.cpp --
 *
 *	The structural verifier of binary images. It reads the image only
 *	through bounds-checked accessors, walks the category tree with an
 *	explicit stack, and marks visited nodes so that a node reached twice
 *	(a cycle, or two links to one node) is refused.
 */

#include "files/image/image_verifier.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "model/category_tree.h"
#include "model/part.h"
#include "model/part_list.h"

namespace {

/* A node waiting to be checked, with the node its parent link must name. */
struct PendingNode {
  uint32_t offset;
  uint32_t parent; /* 0 for the root */
  int depth;
};

/* One bit per aligned word of the image. */
class WordMarks {
public:
  explicit WordMarks(std::size_t size)
      : bits(static_cast<unsigned char *>(std::calloc(size / 32 + 1, 1))) {}
  ~WordMarks() { std::free(bits); }
  WordMarks(const WordMarks &) = delete;
  WordMarks &operator=(const WordMarks &) = delete;

  bool ok() const { return bits != nullptr; }
  bool test(uint32_t offset) const {
    return (bits[offset / 32] >> (offset / 4 % 8)) & 1;
  }
  void set(uint32_t offset) {
    bits[offset / 32] |= static_cast<unsigned char>(1u << (offset / 4 % 8));
  }

private:
  unsigned char *bits;
};

class Verifier {
public:
  Verifier(const void *image, std::size_t size, Pdb_ImageProblem *problem)
      : base(static_cast<const unsigned char *>(image)), size(size),
        problem(problem), seenNodes(size), checkedRecords(size) {}

  bool run();

private:
  template <typename T> const T *at(uint32_t offset) const {
    return reinterpret_cast<const T *>(base + offset);
  }
  bool target(uint32_t holder, int32_t link, std::size_t length,
              const char *what, uint32_t *offset);
  bool string(uint32_t holder, int32_t link, const char *what,
              uint32_t *offset);
  bool record(uint32_t offset);
  bool entry(uint32_t offset, bool recordsOnly, const char **name);
  bool list(uint32_t offset, bool recordsOnly);
  bool category(uint32_t offset);
  bool counts(uint32_t holder) const;
  bool node(const PendingNode &pending, std::vector<PendingNode> *stack);
  bool tree(uint32_t holder);

  const unsigned char *base;
  std::size_t size;
  Pdb_ImageProblem *problem;
  WordMarks seenNodes;
  WordMarks checkedRecords;
  int64_t entries = 0;    /* entries in the lists of the categories met */
  int64_t categories = 0; /* real categories met below the root */
  int64_t references = 0; /* category references met */
};

} // namespace

/*
 *----------------------------------------------------------------------
 *
 * target --
 *
 *	Resolves a non-null link of the structure at holder to a structure of
 *	length bytes. Returns true with *offset set when the target is
 *	aligned, past the header and wholly inside the file.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::target(uint32_t holder, int32_t link, std::size_t length,
                      const char *what, uint32_t *offset) {
  int64_t resolved = static_cast<int64_t>(holder) + link;
  if (link == 0 || resolved < PDB_IMAGE_HEADER_SIZE ||
      resolved % PDB_IMAGE_ALIGN != 0 ||
      resolved + static_cast<int64_t>(length) > static_cast<int64_t>(size)) {
    return Pdb_SetImageProblem(problem,
                               "the link from offset %u to the %s lies "
                               "outside the file or is not aligned",
                               static_cast<unsigned>(holder), what);
  }
  *offset = static_cast<uint32_t>(resolved);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * string --
 *
 *	Resolves a link to a string and checks that the string ends inside
 *	the file within the length limit.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::string(uint32_t holder, int32_t link, const char *what,
                      uint32_t *offset) {
  if (!target(holder, link, 1, what, offset)) {
    return false;
  }
  std::size_t room = size - *offset;
  if (room > PDB_VERIFY_MAX_STRING) {
    room = PDB_VERIFY_MAX_STRING;
  }
  if (std::memchr(base + *offset, '\0', room) == nullptr) {
    return Pdb_SetImageProblem(problem, "the %s at offset %u is not terminated",
                               what, static_cast<unsigned>(*offset));
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * record --
 *
 *	Checks the part record at offset (its 20-byte header lies in the
 *	file): kind 0, the record inside the file, its strings back to back
 *	at the offsets the header gives, each terminated inside the record,
 *	and nothing after the last pair.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::record(uint32_t offset) {
  if (checkedRecords.test(offset)) {
    return true;
  }
  const Pdb_Part *part = at<Pdb_Part>(offset);
  if (part->kind != PDB_ENTRY_PART || part->size < Pdb_Part::headerSize ||
      part->size > size - offset || part->pairCount < 0) {
    return Pdb_SetImageProblem(problem,
                               "the part record at offset %u has a bad kind, "
                               "size or pair count",
                               static_cast<unsigned>(offset));
  }
  const char *strings = part->strings();
  std::size_t area = part->size - Pdb_Part::headerSize;
  std::size_t position = 0;
  const int16_t *offsets[] = {nullptr,
                              &part->symbolOffset,
                              nullptr,
                              &part->templateOffset,
                              nullptr,
                              &part->hdlOffset,
                              &part->propertiesOffset};
  int total = 6 + 2 * part->pairCount;
  for (int i = 0; i <= total; i++) {
    if (i < 7 && offsets[i] != nullptr &&
        static_cast<std::size_t>(*offsets[i]) != position) {
      return Pdb_SetImageProblem(problem,
                                 "the part record at offset %u has a string "
                                 "offset out of place",
                                 static_cast<unsigned>(offset));
    }
    if (i == total) {
      break;
    }
    const void *end =
        position < area ? std::memchr(strings + position, '\0', area - position)
                        : nullptr;
    if (end == nullptr) {
      return Pdb_SetImageProblem(problem,
                                 "the part record at offset %u has a string "
                                 "that runs past its end",
                                 static_cast<unsigned>(offset));
    }
    position = static_cast<const char *>(end) - strings + 1;
  }
  if (position != area) {
    return Pdb_SetImageProblem(problem,
                               "the part record at offset %u has %zu bytes "
                               "after its last string",
                               static_cast<unsigned>(offset), area - position);
  }
  checkedRecords.set(offset);
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * entry --
 *
 *	Checks the part entry at offset: a record, or (unless recordsOnly) a
 *	part reference whose link designates a record. Sets *name to the
 *	name of the resolved part.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::entry(uint32_t offset, bool recordsOnly, const char **name) {
  int32_t kind = at<Pdb_PartEntry>(offset)->kind;
  uint32_t recordOffset = offset;
  if (kind == PDB_ENTRY_REFERENCE && !recordsOnly) {
    if (offset + sizeof(Pdb_PartRef) > size ||
        !target(offset, at<Pdb_PartRef>(offset)->part.offset, sizeof(Pdb_Part),
                "referenced part", &recordOffset)) {
      return Pdb_SetImageProblem(problem,
                                 "the part reference at offset %u does not "
                                 "designate a part inside the file",
                                 static_cast<unsigned>(offset));
    }
  } else if (kind != PDB_ENTRY_PART || offset + sizeof(Pdb_Part) > size) {
    return Pdb_SetImageProblem(problem, "the entry at offset %u is not a %s",
                               static_cast<unsigned>(offset),
                               recordsOnly ? "part record" : "part entry");
  }
  if (!record(recordOffset)) {
    return false;
  }
  *name = at<Pdb_Part>(recordOffset)->name();
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * list --
 *
 *	Checks the part list whose 16-byte header lies at offset: a count
 *	that is not negative, exactly that many slots right before the
 *	header (where the writer puts them), every slot designating a valid
 *	entry, and name order when the sorted flag is set.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::list(uint32_t offset, bool recordsOnly) {
  const Pdb_PartList *header = at<Pdb_PartList>(offset);
  if (header->count < 0) {
    return Pdb_SetImageProblem(problem,
                               "the part list at offset %u has a negative "
                               "count",
                               static_cast<unsigned>(offset));
  }
  if (header->count == 0) {
    return true;
  }
  uint32_t slots = 0;
  if (header->count > static_cast<int64_t>(size / 4) ||
      !target(offset, header->storage.offset, 4 * std::size_t(header->count),
              "part list slots", &slots)) {
    return false;
  }
  if (slots + 4 * std::size_t(header->count) != offset) {
    return Pdb_SetImageProblem(problem,
                               "the part list at offset %u counts %d entries "
                               "but its slots do not end at its header",
                               static_cast<unsigned>(offset),
                               static_cast<int>(header->count));
  }
  const char *previous = nullptr;
  for (int32_t i = 0; i < header->count; i++) {
    int32_t slot = 0;
    std::memcpy(&slot, base + slots + 4 * std::size_t(i), sizeof(slot));
    uint32_t entryOffset = 0;
    const char *name = nullptr;
    if (slot == 0 ||
        !target(offset, slot, sizeof(Pdb_PartEntry), "part entry",
                &entryOffset) ||
        !entry(entryOffset, recordsOnly, &name)) {
      return false;
    }
    if (header->sorted == 1 && previous != nullptr &&
        std::strcmp(previous, name) > 0) {
      return Pdb_SetImageProblem(problem,
                                 "the sorted part list at offset %u is not in "
                                 "name order",
                                 static_cast<unsigned>(offset));
    }
    previous = name;
  }
  return true;
}

/*
 * Checks a category image: its two strings and its part list, whose
 * entries it counts.
 */
bool Verifier::category(uint32_t offset) {
  Pdb_CategoryLinks links = at<Pdb_Category>(offset)->storedLinks();
  uint32_t ignored = 0;
  uint32_t listOffset = 0;
  if (!string(offset, links.name, "category name", &ignored) ||
      !string(offset, links.help, "category help", &ignored) ||
      !target(offset, links.parts, sizeof(Pdb_PartList), "category part list",
              &listOffset) ||
      !list(listOffset, false)) {
    return false;
  }
  entries += at<Pdb_PartList>(listOffset)->count;
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * node --
 *
 *	Checks one node: reached for the first time, within the depth limit,
 *	its parent link naming the node whose chain holds it, either a real
 *	category or a reference with a category path; pushes its first child
 *	and its next sibling.
 *
 *----------------------------------------------------------------------
 */

bool Verifier::node(const PendingNode &pending,
                    std::vector<PendingNode> *stack) {
  uint32_t offset = pending.offset;
  if (seenNodes.test(offset)) {
    return Pdb_SetImageProblem(problem,
                               "the node at offset %u is reached twice; the "
                               "node links do not form a tree",
                               static_cast<unsigned>(offset));
  }
  seenNodes.set(offset);
  if (pending.depth > PDB_VERIFY_MAX_DEPTH) {
    return Pdb_SetImageProblem(problem,
                               "the category tree is deeper than %d levels",
                               static_cast<int>(PDB_VERIFY_MAX_DEPTH));
  }
  Pdb_NodeLinks links = at<Pdb_CategoryNode>(offset)->storedLinks();
  int64_t parent =
      links.parent == 0 ? 0 : static_cast<int64_t>(offset) + links.parent;
  if (parent != pending.parent) {
    return Pdb_SetImageProblem(problem,
                               "the node at offset %u has a wrong parent link",
                               static_cast<unsigned>(offset));
  }

  uint32_t data = 0;
  if (links.referencePath != 0) {
    if (links.category != 0) {
      return Pdb_SetImageProblem(problem,
                                 "the node at offset %u is both a category "
                                 "and a reference",
                                 static_cast<unsigned>(offset));
    }
    if (!string(offset, links.referencePath, "reference path", &data)) {
      return false;
    }
    const char *path = at<char>(data);
    std::size_t length = std::strlen(path);
    if (length < 3 || path[0] != '/' || path[length - 1] != '/') {
      return Pdb_SetImageProblem(problem,
                                 "the reference path at offset %u is not a "
                                 "category path",
                                 static_cast<unsigned>(data));
    }
    references++;
  } else if (!target(offset, links.category, sizeof(Pdb_Category), "category",
                     &data) ||
             !category(data)) {
    return false;
  } else if (pending.parent != 0) {
    categories++;
  }

  uint32_t next = 0;
  if (links.nextSibling != 0) {
    if (pending.parent == 0) {
      return Pdb_SetImageProblem(problem, "the root node has a sibling");
    }
    if (!target(offset, links.nextSibling, sizeof(Pdb_CategoryNode),
                "sibling node", &next)) {
      return false;
    }
    stack->push_back(PendingNode{next, pending.parent, pending.depth});
  }
  if (links.firstChild != 0) {
    if (!target(offset, links.firstChild, sizeof(Pdb_CategoryNode),
                "child node", &next)) {
      return false;
    }
    stack->push_back(PendingNode{next, offset, pending.depth + 1});
  }
  return true;
}

/*
 * Checks the tree below the holder at offset (inside the file) and the
 * holder's counts against it.
 */
bool Verifier::tree(uint32_t holder) {
  int32_t rootLink = at<Pdb_CategoryTree>(holder)->storedRoot();
  if (rootLink == 0) {
    return counts(holder);
  }
  uint32_t root = 0;
  if (!target(holder, rootLink, sizeof(Pdb_CategoryNode), "root node", &root)) {
    return false;
  }
  std::vector<PendingNode> stack;
  stack.push_back(PendingNode{root, 0, 0});
  while (!stack.empty()) {
    PendingNode pending = stack.back();
    stack.pop_back();
    if (!node(pending, &stack)) {
      return false;
    }
  }
  return counts(holder);
}

/*
 * Compares the entry, category and reference counts stored in the holder
 * at offset with those of the tree just walked.
 */
bool Verifier::counts(uint32_t holder) const {
  const Pdb_CategoryTree *image = at<Pdb_CategoryTree>(holder);
  if (image->entryCount() != entries || image->categoryCount() != categories ||
      image->referenceCount() != references) {
    return Pdb_SetImageProblem(
        problem,
        "the tree holder counts %d entries, %d categories and %d references "
        "where the tree has %lld, %lld and %lld",
        static_cast<int>(image->entryCount()),
        static_cast<int>(image->categoryCount()),
        static_cast<int>(image->referenceCount()),
        static_cast<long long>(entries), static_cast<long long>(categories),
        static_cast<long long>(references));
  }
  return true;
}

bool Verifier::run() {
  if (!seenNodes.ok() || !checkedRecords.ok()) {
    return Pdb_SetImageProblem(problem, "not enough memory to verify");
  }
  if (size >= PDB_IMAGE_HEADER_SIZE &&
      Pdb_ReadImageWord(base, PDB_IMAGE_VERSION_OFFSET) != PDB_IMAGE_VERSION) {
    return Pdb_SetImageProblem(
        problem, "format version %u is not %u",
        Pdb_ReadImageWord(base, PDB_IMAGE_VERSION_OFFSET),
        static_cast<unsigned>(PDB_IMAGE_VERSION));
  }
  if (!Pdb_CheckImageHeader(base, size, problem)) {
    return false;
  }
  return list(Pdb_ReadImageWord(base, PDB_IMAGE_LIST_OFFSET), true) &&
         tree(Pdb_ReadImageWord(base, PDB_IMAGE_TREE_OFFSET));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_VerifyImage --
 *
 *	Verifies the image of size bytes at image (4-byte aligned), version
 *	word included: every link and slot, string, record, kind, the tree's
 *	shape and depth, and the counts (see image_verifier.h for the limits).
 *
 * Results:
 *	True when every check holds, else false with the first problem found
 *	described ("not enough memory to verify" when its bitmaps cannot be
 *	made).
 *
 * Side effects:
 *	Reads the image only; takes size / 16 bytes for its two bitmaps of one
 *	bit per image word.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_VerifyImage(const void *image, std::size_t size,
                     Pdb_ImageProblem *problem) {
  problem->text[0] = '\0';
  try {
    Verifier verifier(image, size, problem);
    return verifier.run();
  } catch (const std::bad_alloc &) {
    return Pdb_SetImageProblem(problem, "not enough memory to verify");
  }
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsVerifyRequested --
 *
 *	Tells whether the environment variable ZQ_PDB_VERIFY asks the loader
 *	to verify every image: set, not empty and not "0".
 *
 * Results:
 *	True when it does.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsVerifyRequested() {
  const char *value = std::getenv("ZQ_PDB_VERIFY");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}
