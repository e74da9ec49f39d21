/*
 * image_file_test.cpp --
 *
 *	Tests of putting an image into its file: the file mode, replacement
 *	that never disturbs a reader of the old image, and failures that
 *	leave neither a partial file nor a temporary one behind.
 */

#include <csignal>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

#include "files/image/image_file.h"
#include "files/image/image_fixture.h"

namespace {

class ImageFile : public SmallImage {
protected:
  std::string name = dir.file("out.zq_pdb_bi");
  const std::set<std::string> onlyTheImage{"out.zq_pdb_bi"};
};

TEST_F(ImageFile, NewFileIsReadWriteUnderTheUmask) {
  const struct {
    mode_t umask;
    mode_t mode;
  } cases[] = {{022, 0644}, {077, 0600}, {0, 0666}};
  for (const auto &c : cases) {
    unlink(name.c_str());
    mode_t saved = umask(c.umask);
    int status = Pdb_WriteImageFile(interp, image, name.c_str());
    umask(saved);
    ASSERT_EQ(status, TCL_OK) << result();
    struct stat info;
    ASSERT_EQ(stat(name.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, c.mode) << "umask " << c.umask;
    EXPECT_EQ(ReadFile(name), ImageBytes(image));
  }
}

TEST_F(ImageFile, ReplacingAnImageLeavesAMappedReaderItsOldImage) {
  ASSERT_EQ(Pdb_WriteImageFile(interp, image, name.c_str()), TCL_OK);
  int status = 0;
  std::string message;
  std::unique_ptr<Pdb_BinaryDb> reader(LoadImage(name, &status, &message));
  ASSERT_EQ(status, 0) << message;

  Pdb_AsciiDb *bigger = g.addDb("zq_pdb2");
  for (int i = 0; i < 200; i++) {
    g.part(bigger, "/", ("P" + std::to_string(i)).c_str());
  }
  Pdb_ImageBuffer replacement;
  BuildImage(bigger, &replacement);
  ASSERT_EQ(Pdb_WriteImageFile(interp, replacement, name.c_str()), TCL_OK);

  EXPECT_EQ(0, std::memcmp(reader->mapBase, image.bytes(), image.size()));
  EXPECT_NE(reader->findPart("R1"), nullptr);
  EXPECT_EQ(ReadFile(name), ImageBytes(replacement));
  EXPECT_EQ(dir.listing(), onlyTheImage);
}

TEST_F(ImageFile, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
  WriteFile(name, "old");
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
  EXPECT_EQ(ReadFile(name), "old");
  EXPECT_EQ(dir.listing(), onlyTheImage);
}

} // namespace
