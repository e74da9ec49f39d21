/*
 * text_reader.cpp --
 *
 *	Fuzz target: a text database end to end. The input is the file;
 *	pdb:open and pdb:read take it in, pdb:print reports it, pdb:write
 *	makes an image of it and pdb:open maps that image with the verifier
 *	on, and pdb:unload gives everything back. Findings: a crash, a leak
 *	in the window, and an image written from a read database that does
 *	not open or does not pass the verifier.
 */

#include <cstdlib>
#include <string>

#include "fuzz_session.h"

static const char TARGET[] = "text_reader";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  FuzzSession &session = FuzzSession::get();
  /* A first byte "b" makes the input an image: walk it verified only. */
  setenv("ZQ_PDB_VERIFY", "1", 1);
  std::string text = session.writeFile("input.db", data, size);
  std::string report = session.path("report.txt");
  std::string image = session.path("output.zq_pdb_bi");

  std::string handle;
  if (session.run({"pdb:open", "-file", text}, &handle) == TCL_OK) {
    bool read = session.run({"pdb:read", handle}) == TCL_OK;
    session.run({"pdb:print", handle, "-file", report});
    session.run({"pdb:print", handle, "-tree", "-file", report});
    std::string message;
    if (read && session.run({"pdb:write", "-binary", handle, image},
                            &message) == TCL_OK) {
      std::string mapped;
      if (session.run({"pdb:open", "-file", image}, &mapped) != TCL_OK) {
        FuzzSession::fail(TARGET, "the image written does not open: " + mapped);
      }
      session.run({"pdb:print", mapped, "-file", report});
    }
  }
  session.finishInput(TARGET);
  return 0;
}
