/*
 * image_writer.cpp --
 *
 *	Lays out the binary image of a database. Structures are laid out in
 *	the order the image format fixes, each at an aligned offset, and the
 *	position map from memory address to image offset resolves every link
 *	to a structure laid out before. Node parent links alone are patched
 *	once the parent's own image is placed.
 */

#include "files/image/image_writer.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <tcl.h>
#include <vector>

#include "files/image/image_file.h"
#include "files/image/part_order.h"
#include "files/image/position_map.h"
#include "model/category_tree.h"
#include "model/database.h"
#include "model/part.h"
#include "model/part_list.h"
#include "model/tree_walk.h"

/* How many entries ahead the loops over parts start loading them. */
enum { PREFETCH_DISTANCE = 8 };

static const char MSG_WRITE_PART_FAILED[] = "Unable to write part: %s\n";

namespace {

class ImageWriter {
public:
  ImageWriter(Pdb_ImageBuffer &out, Pdb_ImageProblem *problem)
      : out(out), problem(problem) {}
  ImageWriter(const ImageWriter &) = delete;
  ImageWriter &operator=(const ImageWriter &) = delete;

  bool expect(std::size_t recordBytes, int parts, const Pdb_CategoryTree *tree);
  bool writeHeader();

  /* Starts loading an entry and its position map slot into the cache. */
  void prefetch(const void *entry) const {
    __builtin_prefetch(entry);
    positions.prefetch(entry);
  }
  bool writeRecord(const Pdb_Part *part, uint32_t *offset);
  bool writeList(const std::vector<uint32_t> &targets, int32_t sortedFlag,
                 uint32_t *header);
  bool writeHolder(const Pdb_CategoryTree *tree, uint32_t *offset);
  bool writeNodeData(const Pdb_CategoryNode *node, uint32_t *offset);
  bool writeNodeImage(const Pdb_CategoryNode *node, uint32_t data, bool isRoot,
                      uint32_t *offset);

private:
  bool lookup(const void *address, uint32_t *offset) {
    return positions.find(address, offset);
  }
  bool enter(const void *address, uint32_t offset);
  bool placeRecord(const Pdb_Part *part, uint32_t *offset);
  bool writeReference(const Pdb_PartRef *reference, uint32_t *offset);
  bool writeCategory(const Pdb_Category *category, uint32_t *offset);
  bool writeTree(const Pdb_CategoryNode *root, uint32_t *offset);

  Pdb_ImageBuffer &out;
  Pdb_ImageProblem *problem;
  Pdb_PositionMap positions;     /* memory address -> image offset */
  std::vector<uint32_t> targets; /* entry images of the current list */
};

} // namespace

static int32_t ComputeLink(uint32_t target, uint32_t base);

/*
 *----------------------------------------------------------------------
 *
 * ComputeLink --
 *
 *	The self-relative link from the structure at image offset base to the
 *	one at target; 0 (null) when target is 0, which no structure has.
 *
 *----------------------------------------------------------------------
 */

static int32_t ComputeLink(uint32_t target, uint32_t base) {
  return target == 0 ? 0 : static_cast<int32_t>(target - base);
}

/*
 *----------------------------------------------------------------------
 *
 * enter --
 *
 *	Records where address was laid out; the first record of an address
 *	wins. Returns false (errno ENOMEM) when the map cannot grow.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::enter(const void *address, uint32_t offset) {
  if (!positions.enter(address, offset)) {
    errno = ENOMEM;
    return false;
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * expect --
 *
 *	Sizes the buffer and the position map for the image of a database
 *	whose records take recordBytes, from the counters of its tree, so
 *	that neither grows while it is laid out (strings longer than a few
 *	words still may make the buffer grow).
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::expect(std::size_t recordBytes, int parts,
                         const Pdb_CategoryTree *tree) {
  std::size_t entries = 0;
  std::size_t nodes = 0;
  if (tree != nullptr) {
    entries = static_cast<std::size_t>(std::max(tree->entryCount(), 0));
    nodes = 1 + static_cast<std::size_t>(std::max(tree->categoryCount(), 0)) +
            static_cast<std::size_t>(std::max(tree->referenceCount(), 0));
  }
  std::size_t count = static_cast<std::size_t>(std::max(parts, 0));
  std::size_t bytes = PDB_IMAGE_HEADER_SIZE + recordBytes + 4 * count +
                      sizeof(Pdb_PartList) +
                      entries * (4 + sizeof(Pdb_PartRef)) +
                      nodes * (sizeof(Pdb_CategoryNode) + sizeof(Pdb_Category) +
                               sizeof(Pdb_PartList) + 48) +
                      sizeof(Pdb_CategoryTree);
  if ((bytes < PDB_IMAGE_MAX_SIZE && !out.expect(bytes)) ||
      !positions.expect(count + (entries > count ? entries - count : 0) +
                        nodes)) {
    errno = ENOMEM;
    return false;
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * writeHeader --
 *
 *	Lays out the 16-byte file header: the format byte, three zero bytes,
 *	the version, and zeros where the list and tree offsets go at the end.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeHeader() {
  unsigned char header[PDB_IMAGE_HEADER_SIZE] = {};
  uint32_t version = PDB_IMAGE_VERSION;
  header[0] = PDB_IMAGE_FORMAT_BYTE;
  std::memcpy(header + PDB_IMAGE_VERSION_OFFSET, &version, sizeof(version));
  return out.append(header, sizeof(header));
}

/*
 *----------------------------------------------------------------------
 *
 * writeRecord --
 *
 *	Lays out a part record byte for byte and enters it in the position
 *	map. Returns false when the buffer cannot grow.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeRecord(const Pdb_Part *part, uint32_t *offset) {
  *offset = out.position();
  if (!out.append(part, part->size) || !out.pad()) {
    return false;
  }
  return enter(part, *offset);
}

/*
 *----------------------------------------------------------------------
 *
 * placeRecord --
 *
 *	The image offset of a part record. A record not laid out yet belongs
 *	to another database of the group (or to no parts table at all); a
 *	copy of it is laid out here, outside the sorted list of all parts, so
 *	that every link of the image resolves inside the file.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::placeRecord(const Pdb_Part *part, uint32_t *offset) {
  return lookup(part, offset) || writeRecord(part, offset);
}

/*
 *----------------------------------------------------------------------
 *
 * writeReference --
 *
 *	Lays out a part reference (kind 1, link to its record's image) and
 *	enters it in the position map.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeReference(const Pdb_PartRef *reference,
                                 uint32_t *offset) {
  uint32_t target = 0;
  if (!placeRecord(
          Pdb_ResolveEntry(reinterpret_cast<const Pdb_PartEntry *>(reference)),
          &target)) {
    return false;
  }
  *offset = out.position();
  Pdb_PartRef image;
  image.kind = PDB_ENTRY_REFERENCE;
  image.part.offset = ComputeLink(target, *offset);
  if (!out.append(&image, sizeof(image))) {
    return false;
  }
  return enter(reference, *offset);
}

/*
 *----------------------------------------------------------------------
 *
 * writeList --
 *
 *	Lays out a part list whose entries lie at the image offsets targets:
 *	its slots (entry image minus list header), then its 16-byte header
 *	with capacity 0. Sets *header to the header's offset.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeList(const std::vector<uint32_t> &targets,
                            int32_t sortedFlag, uint32_t *header) {
  uint32_t slots = out.position();
  *header = slots + 4 * static_cast<uint32_t>(targets.size());
  for (uint32_t target : targets) {
    int32_t slot = static_cast<int32_t>(target - *header);
    if (!out.append(&slot, sizeof(slot))) {
      return false;
    }
  }
  Pdb_PartList image;
  image.storage.offset = static_cast<int32_t>(slots - *header);
  image.count = static_cast<int32_t>(targets.size());
  image.capacity = 0;
  image.sorted = sortedFlag;
  return out.append(&image, sizeof(image));
}

/*
 *----------------------------------------------------------------------
 *
 * writeCategory --
 *
 *	Lays out a category: its name and help strings, the part references
 *	of its list (and a copy of any record not in the image yet), its
 *	list, then the 12-byte category image. Sets *offset to the latter.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeCategory(const Pdb_Category *category,
                                uint32_t *offset) {
  const char *name = category->nameText();
  const char *help = category->helpText();
  uint32_t nameOffset = out.position();
  if (!out.appendString(name != nullptr ? name : "")) {
    return false;
  }
  uint32_t helpOffset = out.position();
  if (!out.appendString(help != nullptr ? help : "")) {
    return false;
  }

  static const Pdb_PartList emptyList = {};
  const Pdb_PartList *list = category->partList();
  if (list == nullptr) {
    list = &emptyList;
  }
  targets.clear();
  for (int i = 0; i < list->count; i++) {
    if (i + PREFETCH_DISTANCE < list->count) {
      prefetch(list->entry(i + PREFETCH_DISTANCE));
    }
    const Pdb_PartEntry *entry = list->entry(i);
    uint32_t target = 0;
    if (entry->kind == PDB_ENTRY_REFERENCE) {
      if (!writeReference(reinterpret_cast<const Pdb_PartRef *>(entry),
                          &target)) {
        return false;
      }
    } else if (entry->kind == PDB_ENTRY_PART) {
      if (!placeRecord(reinterpret_cast<const Pdb_Part *>(entry), &target)) {
        return false;
      }
    } else {
      return Pdb_SetImageProblem(
          problem, "category \"%s\" lists an entry of kind %d",
          name != nullptr ? name : "", static_cast<int>(entry->kind));
    }
    targets.push_back(target);
  }
  uint32_t listOffset = 0;
  if (!writeList(targets, list->sorted, &listOffset)) {
    return false;
  }

  *offset = out.position();
  Pdb_Category image = Pdb_Category::fromLinks(
      {ComputeLink(nameOffset, *offset), ComputeLink(helpOffset, *offset),
       ComputeLink(listOffset, *offset)});
  return out.append(&image, sizeof(image));
}

/* Lays out a node's own data: its reference path or its category. */
bool ImageWriter::writeNodeData(const Pdb_CategoryNode *node,
                                uint32_t *offset) {
  if (node->isReference()) {
    *offset = out.position();
    return out.appendString(node->refPath());
  }
  const Pdb_Category *category = node->body();
  if (category == nullptr) {
    return Pdb_SetImageProblem(problem,
                               "a category node has neither a category "
                               "nor a reference path");
  }
  return writeCategory(category, offset);
}

/*
 *----------------------------------------------------------------------
 *
 * writeNodeImage --
 *
 *	Lays out the 20-byte image of a node whose data (at data), siblings
 *	and children are laid out, enters it in the position map, and points
 *	the parent link of each of its children at it. The node's own parent
 *	link is -1 until its parent patches it; the root's is 0. Sets *offset
 *	to the image's offset when the node is the root.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeNodeImage(const Pdb_CategoryNode *node, uint32_t data,
                                 bool isRoot, uint32_t *offset) {
  uint32_t sibling = 0;
  uint32_t child = 0;
  if ((node->sibling() != nullptr && !lookup(node->sibling(), &sibling)) ||
      (node->child() != nullptr && !lookup(node->child(), &child))) {
    return Pdb_SetImageProblem(problem, "a node was not laid out in order");
  }
  uint32_t here = out.position();
  bool isReference = node->isReference();
  Pdb_CategoryNode image = Pdb_CategoryNode::fromLinks(
      {isReference ? 0 : ComputeLink(data, here), isRoot ? 0 : -1,
       ComputeLink(child, here), ComputeLink(sibling, here),
       isReference ? ComputeLink(data, here) : 0});
  if (!out.append(&image, sizeof(image))) {
    return false;
  }
  if (!enter(node, here)) {
    return false;
  }

  for (const Pdb_CategoryNode *next = node->child(); next != nullptr;
       next = next->sibling()) {
    uint32_t childOffset = 0;
    if (!lookup(next, &childOffset)) {
      return Pdb_SetImageProblem(problem, "a child node was not laid out");
    }
    out.patch(childOffset + Pdb_CategoryNode::parentLinkOffset,
              static_cast<int32_t>(here - childOffset));
  }
  if (isRoot) {
    *offset = here;
  }
  return true;
}

/*
 *----------------------------------------------------------------------
 *
 * TreeLayout --
 *
 *	The visitor of the shared tree walker that lays out a tree in the
 *	writer's order: on entering a node its data, then (the walker's
 *	siblings-first order) its following siblings and its children, and
 *	on leaving it the node image. Entering and leaving nest, so the data
 *	offsets wait on a stack of their own.
 *
 *----------------------------------------------------------------------
 */

namespace {

struct TreeLayout : Pdb_TreeVisitor {
  ImageWriter &writer;
  const Pdb_CategoryNode *root;
  std::vector<uint32_t> data; /* data offsets of the entered nodes */
  uint32_t rootOffset = 0;
  bool failed = false;

  TreeLayout(ImageWriter &writer, const Pdb_CategoryNode *root)
      : writer(writer), root(root) {}

  bool enter(Pdb_CategoryNode *node, int) {
    uint32_t offset = 0;
    failed = failed || !writer.writeNodeData(node, &offset);
    data.push_back(offset);
    return !failed;
  }
  void leave(Pdb_CategoryNode *node, int) {
    uint32_t offset = data.back();
    data.pop_back();
    failed = failed ||
             !writer.writeNodeImage(node, offset, node == root, &rootOffset);
  }
};

} // namespace

/*
 *----------------------------------------------------------------------
 *
 * writeTree --
 *
 *	Lays out the tree below root without recursion: each node's data,
 *	its following siblings (whole), its children (whole), then its node
 *	image; so among siblings the last one's image comes first.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeTree(const Pdb_CategoryNode *root, uint32_t *offset) {
  TreeLayout layout(*this, root);
  Pdb_WalkTree(const_cast<Pdb_CategoryNode *>(root),
               Pdb_WalkScope::WITH_SIBLINGS, Pdb_WalkOrder::SIBLINGS_FIRST,
               layout);
  *offset = layout.rootOffset;
  return !layout.failed;
}

/*
 *----------------------------------------------------------------------
 *
 * writeHolder --
 *
 *	Lays out the tree below the root and then the 16-byte tree holder
 *	with the counters as they stand. A missing tree or root gives a
 *	holder with a null root link.
 *
 *----------------------------------------------------------------------
 */

bool ImageWriter::writeHolder(const Pdb_CategoryTree *tree, uint32_t *offset) {
  static const Pdb_CategoryTree emptyTree =
      Pdb_CategoryTree::fromLinks(0, 0, 0, 0);
  if (tree == nullptr) {
    tree = &emptyTree;
  }
  uint32_t rootOffset = 0;
  const Pdb_CategoryNode *root = tree->rootNode();
  if (root != nullptr && !writeTree(root, &rootOffset)) {
    return false;
  }
  *offset = out.position();
  Pdb_CategoryTree image = Pdb_CategoryTree::fromLinks(
      ComputeLink(rootOffset, *offset), tree->entryCount(),
      tree->categoryCount(), tree->referenceCount());
  return out.append(&image, sizeof(image));
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_BuildImage --
 *
 *	Lays out the image of db, which must have a parts table, into image,
 *	which must be empty: the header, the records in name order, the sorted
 *	list of all parts, then the tree.
 *
 * Results:
 *	True; false when it cannot be laid out. The problem text is then empty
 *	when a system error stopped it (errno says which: ENOMEM, EFBIG) and
 *	describes the inconsistency otherwise.
 *
 * Side effects:
 *	The database is not changed. A record that cannot be written is
 *	reported on standard error.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_BuildImage(Pdb_Database *db, Pdb_ImageBuffer *image,
                    Pdb_ImageProblem *problem) {
  problem->text[0] = '\0';
  Pdb_PartList *parts = Pdb_PartList::create(db->partCount());
  if (parts == nullptr) {
    errno = ENOMEM;
    return false;
  }
  bool done = false;
  try {
    ImageWriter writer(*image, problem);
    std::size_t recordBytes = 0;
    done = Pdb_CollectPartsInNameOrder(db, parts, &recordBytes) &&
           writer.expect(recordBytes, parts->count, db->tree) &&
           writer.writeHeader();
    std::vector<uint32_t> records;
    records.reserve(static_cast<std::size_t>(parts->count));
    for (int i = 0; done && i < parts->count; i++) {
      if (i + PREFETCH_DISTANCE < parts->count) {
        writer.prefetch(parts->entry(i + PREFETCH_DISTANCE));
      }
      uint32_t offset = 0;
      done = writer.writeRecord(
          reinterpret_cast<const Pdb_Part *>(parts->entry(i)), &offset);
      records.push_back(offset);
      if (!done && image->failure() != 0) {
        std::fprintf(stderr, MSG_WRITE_PART_FAILED,
                     std::strerror(image->failure()));
      }
    }
    uint32_t listOffset = 0;
    uint32_t treeOffset = 0;
    done = done && writer.writeList(records, parts->sorted, &listOffset) &&
           writer.writeHolder(db->tree, &treeOffset);
    if (done) {
      image->patch(PDB_IMAGE_LIST_OFFSET, static_cast<int32_t>(listOffset));
      image->patch(PDB_IMAGE_TREE_OFFSET, static_cast<int32_t>(treeOffset));
    }
  } catch (const std::bad_alloc &) {
    problem->text[0] = '\0';
    done = false;
  }
  Pdb_PartList::destroy(parts);
  if (!done && problem->text[0] == '\0') {
    errno = image->failure() != 0 ? image->failure() : ENOMEM;
  }
  return done;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WriteDatabaseImage --
 *
 *	Lays out the image of db in memory, then puts it into fileName
 *	through a temporary file (Pdb_WriteImageFile).
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 * Side effects:
 *	Replaces fileName once the image is complete.
 *
 *----------------------------------------------------------------------
 */

int Pdb_WriteDatabaseImage(Tcl_Interp *interp, Pdb_Database *db,
                           const char *fileName) {
  Pdb_ImageBuffer image;
  Pdb_ImageProblem problem;
  if (!Pdb_BuildImage(db, &image, &problem)) {
    Tcl_ResetResult(interp);
    Tcl_AppendResult(
        interp, PDB_MSG_CANNOT_WRITE_IMAGE, " \"", fileName,
        "\": ", problem.text[0] != '\0' ? problem.text : Tcl_PosixError(interp),
        (char *)nullptr);
    return TCL_ERROR;
  }
  return Pdb_WriteImageFile(interp, image, fileName);
}
