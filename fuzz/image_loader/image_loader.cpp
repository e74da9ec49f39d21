/*
 * image_loader.cpp --
 *
 *	Fuzz target: the loader of binary images. The input is an image file
 *	(its first byte is forced to "b" so that pdb:open takes it for one).
 *	With the verifier on it is opened, printed whole and unloaded; with
 *	the verifier off it is only opened and unloaded: the constant-time
 *	checks alone must keep opening safe, while walking an image nobody
 *	verified is not expected to be. Findings: a crash, a leak in the
 *	window, a view left mapped.
 */

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_session.h"

static const char TARGET[] = "image_loader";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) {
    return 0;
  }
  FuzzSession &session = FuzzSession::get();
  std::vector<uint8_t> bytes(data, data + size);
  bytes[0] = 'b';
  std::string image = session.writeFile("input.zq_pdb_bi", bytes.data(), size);
  std::string report = session.path("report.txt");

  std::string handle;
  setenv("ZQ_PDB_VERIFY", "1", 1);
  if (session.run({"pdb:open", "-file", image}, &handle) == TCL_OK) {
    session.run({"pdb:read", handle});
    session.run({"pdb:print", handle, "-file", report});
    session.run({"pdb:version", handle});
  }
  session.finishInput(TARGET);

  setenv("ZQ_PDB_VERIFY", "0", 1);
  session.run({"pdb:open", "-file", image});
  session.finishInput(TARGET);
  return 0;
}
