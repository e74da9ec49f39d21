/*
 * fuzz_session.cpp --
 *
 *	The interpreter, scratch directory and leak check shared by the fuzz
 *	targets that drive commands.
 */

#include "fuzz_session.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "model/window.h"
#include "shell/commands.h"

static void RemoveScratch();

static std::string scratchDirectory;

/* Removes the scratch directory when the process ends normally. */
static void RemoveScratch() {
  if (!scratchDirectory.empty()) {
    std::string command = "rm -rf '" + scratchDirectory + "'";
    if (std::system(command.c_str()) != 0) {
      std::fprintf(stderr, "could not remove %s\n", scratchDirectory.c_str());
    }
  }
}

FuzzSession &FuzzSession::get() {
  static FuzzSession session;
  return session;
}

FuzzSession::FuzzSession() {
  Tcl_FindExecutable(nullptr);
  interp = Tcl_CreateInterp();
  if (TovPart_Init(interp) != TCL_OK) {
    fail("session", Tcl_GetStringResult(interp));
  }
  /* Memory-backed when the system offers it: every input is a file. */
  char inMemory[] = "/dev/shm/tovpart-fuzz-XXXXXX";
  char onDisk[] = "/tmp/tovpart-fuzz-XXXXXX";
  char *name = mkdtemp(inMemory);
  if (name == nullptr && (name = mkdtemp(onDisk)) == nullptr) {
    fail("session", "cannot make a scratch directory");
  }
  directory = scratchDirectory = name;
  std::atexit(RemoveScratch);
  baseBlocks = Pdb_WindowLiveBlocks();
}

std::string FuzzSession::path(const char *name) const {
  return directory + "/" + name;
}

std::string FuzzSession::writeFile(const char *name, const uint8_t *data,
                                   std::size_t size) {
  std::string file = path(name);
  FILE *stream = std::fopen(file.c_str(), "wb");
  if (stream == nullptr || std::fwrite(data, 1, size, stream) != size ||
      std::fclose(stream) != 0) {
    fail("session", "cannot write " + file);
  }
  return file;
}

int FuzzSession::run(std::initializer_list<std::string> words,
                     std::string *result) {
  return runWords(std::vector<std::string>(words), result);
}

int FuzzSession::runWords(const std::vector<std::string> &words,
                          std::string *result) {
  std::vector<Tcl_Obj *> objv;
  for (const std::string &word : words) {
    objv.push_back(
        Tcl_NewStringObj(word.data(), static_cast<int>(word.size())));
    Tcl_IncrRefCount(objv.back());
  }
  int status = Tcl_EvalObjv(interp, static_cast<int>(objv.size()), objv.data(),
                            TCL_EVAL_GLOBAL);
  for (Tcl_Obj *obj : objv) {
    Tcl_DecrRefCount(obj);
  }
  if (result != nullptr) {
    *result = Tcl_GetStringResult(interp);
  }
  Tcl_ResetResult(interp);
  return status;
}

std::string FuzzSession::merge(const std::vector<std::string> &words) {
  std::vector<const char *> argv;
  for (const std::string &word : words) {
    argv.push_back(word.c_str());
  }
  char *merged = Tcl_Merge(static_cast<int>(argv.size()), argv.data());
  std::string text = merged;
  Tcl_Free(merged);
  return text;
}

bool FuzzSession::split(const std::string &text,
                        std::vector<std::string> *elements) {
  int count = 0;
  const char **parts = nullptr;
  if (Tcl_SplitList(nullptr, text.c_str(), &count, &parts) != TCL_OK) {
    return false;
  }
  elements->assign(parts, parts + count);
  Tcl_Free(reinterpret_cast<char *>(parts));
  return true;
}

void FuzzSession::finishInput(const char *target) {
  std::string message;
  if (run({"pdb:unload", "-all"}, &message) != TCL_OK) {
    fail(target, "pdb:unload failed: " + message);
  }
  if (Pdb_WindowMappedViews() != 0) {
    fail(target, "a view is still mapped after unloading");
  }
  if (Pdb_WindowLiveBlocks() != baseBlocks) {
    fail(target, "the window holds " + std::to_string(Pdb_WindowLiveBlocks()) +
                     " blocks after unloading, " + std::to_string(baseBlocks) +
                     " before the input");
  }
}

void FuzzSession::fail(const char *target, const std::string &what) {
  std::fprintf(stderr, "fuzz target %s: %s\n", target, what.c_str());
  std::fflush(stderr);
  std::abort();
}
