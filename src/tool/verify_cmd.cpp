/*
 * verify_cmd.cpp --
 *
 *	pdbtool verify: runs the full image verifier on binary images and
 *	reports the first fault of each.
 */

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "files/image/image_format.h"
#include "files/image/image_verifier.h"
#include "host/file_names.h"
#include "tool/tool.h"

static const char MSG_NO_IMAGE[] = "no image to verify";

static const char VERIFY_HELP[] =
    "usage: pdbtool verify IMAGE...\n"
    "\n"
    "Runs the full structural verifier on each binary image, the check that\n"
    "pdb:open runs when ZQ_PDB_VERIFY is set: header and version, every link\n"
    "and list slot, every string, every part record, the kinds of entries\n"
    "and nodes, and that the nodes form a tree. Prints \"IMAGE: ok\", or\n"
    "\"IMAGE: \" and the first fault found, on standard output.\n"
    "\n"
    "Exit status: 0 when every IMAGE is good; 1 when one is bad or cannot\n"
    "be read; 2 for wrong usage.\n";

static const char MSG_NOT_IMAGE[] =
    "not a binary image (its first byte is not \"b\")";

static bool VerifyFile(const char *fileName, Pdb_ImageProblem *problem);

/*
 *----------------------------------------------------------------------
 *
 * RunVerify --
 *
 *	pdbtool verify IMAGE...
 *
 * Results:
 *	An exit status.
 *
 *----------------------------------------------------------------------
 */

static int RunVerify(Tcl_Interp *, int argc, char **argv) {
  std::vector<const char *> files;
  const Pdb_ToolOption noOptions[] = {{nullptr, nullptr, nullptr, nullptr}};
  if (Pdb_ToolParseOptions(pdbVerifyCommand, argc, argv, noOptions, &files) !=
      PDB_TOOL_OK) {
    return PDB_TOOL_USAGE;
  }
  if (files.empty()) {
    return Pdb_ToolUsageError(pdbVerifyCommand, MSG_NO_IMAGE);
  }
  int status = PDB_TOOL_OK;
  for (const char *file : files) {
    Pdb_ImageProblem problem;
    bool good = VerifyFile(file, &problem);
    std::printf("%s: %s\n", file, good ? "ok" : problem.text);
    if (!good) {
      status = PDB_TOOL_BAD;
    }
  }
  return status;
}

/*
 *----------------------------------------------------------------------
 *
 * VerifyFile --
 *
 *	Maps the whole file read-only and verifies it.
 *
 * Results:
 *	True for a good image; false with the fault, or with the reason the
 *	file could not be read, described.
 *
 *----------------------------------------------------------------------
 */

static bool VerifyFile(const char *fileName, Pdb_ImageProblem *problem) {
  Tcl_DString native;
  int fd = open(Pdb_MakeNativeName(fileName, &native), O_RDONLY | O_CLOEXEC);
  int openErrno = errno;
  Tcl_DStringFree(&native);
  if (fd < 0) {
    return Pdb_SetImageProblem(problem, "cannot open: %s",
                               std::strerror(openErrno));
  }
  struct stat status;
  if (fstat(fd, &status) != 0) {
    int error = errno;
    close(fd);
    return Pdb_SetImageProblem(problem, "cannot read: %s",
                               std::strerror(error));
  }
  std::size_t size = static_cast<std::size_t>(status.st_size);
  if (status.st_size <= 0 || size > PDB_IMAGE_MAX_SIZE) {
    close(fd);
    return status.st_size <= 0
               ? Pdb_SetImageProblem(problem, "empty file, %s", MSG_NOT_IMAGE)
               : Pdb_SetImageProblem(problem, "file of %zu bytes is too large",
                                     size);
  }
  void *image = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  int error = errno;
  close(fd);
  if (image == MAP_FAILED) {
    return Pdb_SetImageProblem(problem, "cannot map: %s", std::strerror(error));
  }
  bool good;
  if (static_cast<const unsigned char *>(image)[0] != PDB_IMAGE_FORMAT_BYTE) {
    good = Pdb_SetImageProblem(problem, "%s", MSG_NOT_IMAGE);
  } else {
    good = Pdb_VerifyImage(image, size, problem);
  }
  munmap(image, size);
  return good;
}

const Pdb_ToolCommand pdbVerifyCommand = {
    "verify", "run the full verifier on binary images", VERIFY_HELP, RunVerify};
