/*
 * binary_loader.cpp --
 *
 *	Loads a binary image: one read-only mapping of the whole file inside
 *	the address window, the constant-time header checks, and, when asked
 *	for through the environment, the full structural verification.
 */

#include "files/image/binary_loader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <sys/stat.h>

#include "files/image/image_format.h"
#include "files/image/image_verifier.h"
#include "model/binary_db.h"
#include "model/window.h"

static const char MSG_NO_DESCRIPTOR[] =
    "Unable to get file descriptor for binary file";
static const char MSG_CANNOT_STAT[] = "Unable to fstat binary file";
static const char MSG_CANNOT_MAP[] = "Unable to map binary file";
static const char MSG_VERSION[] = "File format version ";
static const char MSG_VERSION_IN_FILE[] = " in file \"";
static const char MSG_VERSION_UNSUPPORTED[] =
    "\" does not match supported version of ";

static int ReportLoadFailure(Tcl_Interp *interp, Pdb_BinaryDb *db,
                             const char *text);
static int ReportCorruptImage(Tcl_Interp *interp, Pdb_BinaryDb *db,
                              const Pdb_ImageProblem &problem);

/*
 *----------------------------------------------------------------------
 *
 * ReportLoadFailure --
 *
 *	Sets the result to text "\"name\": " and the POSIX error text (which
 *	also sets the error code), closes the database file and returns 1.
 *
 *----------------------------------------------------------------------
 */

static int ReportLoadFailure(Tcl_Interp *interp, Pdb_BinaryDb *db,
                             const char *text) {
  int error = errno;
  Tcl_ResetResult(interp);
  errno = error;
  Tcl_AppendResult(interp, text, " \"", db->fileName(),
                   "\": ", Tcl_PosixError(interp), (char *)nullptr);
  db->closeFile();
  return 1;
}

/* Sets the corrupt-image message and returns 1. */
static int ReportCorruptImage(Tcl_Interp *interp, Pdb_BinaryDb *db,
                              const Pdb_ImageProblem &problem) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, PDB_MSG_CORRUPT_IMAGE, db->fileName(),
                   "\": ", problem.text, (char *)nullptr);
  return 1;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_LoadBinary --
 *
 *	Maps the image open on db's file into the address window and points
 *	the database's part list and tree into the view. The version is
 *	checked first, then the constant-time header checks, and the whole
 *	image is verified when ZQ_PDB_VERIFY asks for it.
 *
 * Results:
 *	0 with the database marked read; 1 with a message in the interpreter
 *	result when the file cannot be mapped or the image is refused.
 *
 * Side effects:
 *	The file is closed in every outcome; on success the view lives until
 *	the database is destroyed.
 *
 *----------------------------------------------------------------------
 */

int Pdb_LoadBinary(Pdb_BinaryDb *db, Tcl_Interp *interp) {
  int fd = db->file != nullptr ? fileno(db->file) : -1;
  if (fd < 0) {
    if (db->file == nullptr) {
      errno = EBADF;
    }
    return ReportLoadFailure(interp, db, MSG_NO_DESCRIPTOR);
  }
  struct stat status;
  if (fstat(fd, &status) != 0) {
    return ReportLoadFailure(interp, db, MSG_CANNOT_STAT);
  }
  std::size_t size = static_cast<std::size_t>(status.st_size);
  if (status.st_size <= 0 ||
      static_cast<uint64_t>(status.st_size) > PDB_IMAGE_MAX_SIZE) {
    errno = status.st_size <= 0 ? EINVAL : EFBIG;
    return ReportLoadFailure(interp, db, MSG_CANNOT_MAP);
  }
  const void *view = Pdb_WindowMapFile(fd, size);
  if (view == nullptr) {
    return ReportLoadFailure(interp, db, MSG_CANNOT_MAP);
  }
  db->mapBase = view;
  db->mapSize = static_cast<uint32_t>(size);
  db->closeFile();

  Pdb_ImageProblem problem;
  if (size < PDB_IMAGE_VERSION_OFFSET + 4) {
    Pdb_CheckImageHeader(view, size, &problem);
    return ReportCorruptImage(interp, db, problem);
  }
  uint32_t version = Pdb_ReadImageWord(view, PDB_IMAGE_VERSION_OFFSET);
  if (version != PDB_IMAGE_VERSION) {
    char text[2][16];
    std::snprintf(text[0], sizeof(text[0]), "%u", version);
    std::snprintf(text[1], sizeof(text[1]), "%u",
                  static_cast<unsigned>(PDB_IMAGE_VERSION));
    Tcl_ResetResult(interp);
    Tcl_AppendResult(interp, MSG_VERSION, text[0], MSG_VERSION_IN_FILE,
                     db->fileName(), MSG_VERSION_UNSUPPORTED, text[1],
                     (char *)nullptr);
    return 1;
  }
  if (!Pdb_CheckImageHeader(view, size, &problem) ||
      (Pdb_IsVerifyRequested() && !Pdb_VerifyImage(view, size, &problem))) {
    return ReportCorruptImage(interp, db, problem);
  }

  const char *base = static_cast<const char *>(view);
  db->partList = reinterpret_cast<Pdb_PartList *>(const_cast<char *>(
      base + Pdb_ReadImageWord(view, PDB_IMAGE_LIST_OFFSET)));
  db->tree = reinterpret_cast<Pdb_CategoryTree *>(const_cast<char *>(
      base + Pdb_ReadImageWord(view, PDB_IMAGE_TREE_OFFSET)));
  return 0;
}
