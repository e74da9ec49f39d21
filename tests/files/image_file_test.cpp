/*
 * image_file_test.cpp --
 *
 *	Tests of putting an image into its file: the file mode, replacement
 *	that never disturbs a reader of the old image, and failures that
 *	leave neither a partial file nor a temporary one behind.
 */

#include <csignal>
#include <cstring>
#include <dirent.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

#include "files/image_file.h"
#include "files/image_fixture.h"
#include "support/tcl_fixture.h"

namespace {

/* The names in a directory, "." and ".." left out. */
std::vector<std::string> Listing(const std::string &directory) {
  std::vector<std::string> names;
  DIR *dir = opendir(directory.c_str());
  while (struct dirent *entry = readdir(dir)) {
    if (std::strcmp(entry->d_name, ".") != 0 &&
        std::strcmp(entry->d_name, "..") != 0) {
      names.push_back(entry->d_name);
    }
  }
  closedir(dir);
  return names;
}

class ImageFile : public TclInterpTest {
protected:
  void SetUp() override {
    TclInterpTest::SetUp();
    mem.part(mem.category("a"), "R1", {"value", "1k"});
    BuildImage(mem.db(), &image);
  }

  MemoryDb mem;
  Pdb_ImageBuffer image;
  TempDir dir;
  std::string name = dir.file("out.zq_pdb_bi");
};

TEST_F(ImageFile, NewFileIsReadWriteUnderTheUmask) {
  const struct {
    mode_t umask;
    mode_t mode;
  } cases[] = {{022, 0644}, {077, 0600}, {0, 0666}};
  for (const auto &c : cases) {
    mode_t saved = umask(c.umask);
    int status = Pdb_WriteImageFile(interp, image, name.c_str());
    umask(saved);
    ASSERT_EQ(status, TCL_OK) << result();
    struct stat info;
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, c.mode) << "umask " << c.umask;
    EXPECT_EQ(ReadBytes(name),
              std::vector<unsigned char>(image.bytes(),
                                         image.bytes() + image.size()));
  }
}

TEST_F(ImageFile, ReplacingAnImageLeavesAMappedReaderItsOldImage) {
  ASSERT_EQ(Pdb_WriteImageFile(interp, image, name.c_str()), TCL_OK);
  int status = 0;
  std::string message;
  std::unique_ptr<Pdb_BinaryDb> reader(LoadImage(name, &status, &message));
  ASSERT_EQ(status, 0) << message;

  MemoryDb bigger;
  for (int i = 0; i < 200; i++) {
    bigger.part(bigger.root(), ("P" + std::to_string(i)).c_str());
  }
  Pdb_ImageBuffer replacement;
  BuildImage(bigger.db(), &replacement);
  ASSERT_EQ(Pdb_WriteImageFile(interp, replacement, name.c_str()), TCL_OK);

  EXPECT_EQ(0, std::memcmp(reader->mapBase, image.bytes(), image.size()));
  EXPECT_NE(reader->findPart("R1"), nullptr);
  EXPECT_EQ(ReadBytes(name).size(), replacement.size());
  EXPECT_EQ(Listing(dir.name()), std::vector<std::string>{"out.zq_pdb_bi"});
}

TEST_F(ImageFile, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
  WriteBytes(name, "old", 3);
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  struct rlimit small = saved;
  small.rlim_cur = 64;
  void (*previous)(int) = std::signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  testing::internal::CaptureStderr();
  int status = Pdb_WriteImageFile(interp, image, name.c_str());
  std::string diagnostics = testing::internal::GetCapturedStderr();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(status, TCL_ERROR);
  EXPECT_EQ(result(),
            "Cannot write binary file \"" + name + "\": file too large");
  EXPECT_EQ(diagnostics, "Cannot write binary file: File too large\n");
  EXPECT_EQ(ReadBytes(name), (std::vector<unsigned char>{'o', 'l', 'd'}));
  EXPECT_EQ(Listing(dir.name()), std::vector<std::string>{"out.zq_pdb_bi"});
}

TEST_F(ImageFile, UnopenableOutputNamesTheFileAndTheError) {
  std::string missing = dir.file("no/such/dir");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Pdb_WriteImageFile(interp, image, missing.c_str()), TCL_ERROR);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Unable to open output file: No such file or directory\n");
  EXPECT_EQ(result(), "Unable to open output file \"" + missing +
                          "\": no such file or directory");
  EXPECT_EQ(errorCode(), "POSIX ENOENT {no such file or directory}");
}

} // namespace
