/*
 * replay_main.cpp --
 *
 *	The main of a fuzz target built without the fuzzing engine: runs the
 *	target once on every file named on the command line, or found in a
 *	directory named there, so that CTest replays the seed corpus and every
 *	regression input in every build.
 */

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static bool IsDirectory(const std::string &path);
static std::vector<std::string> ListInputs(const std::string &path);
static bool ReplayFile(const std::string &path);

static bool IsDirectory(const std::string &path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

/* The files of a directory in name order (hidden files left out), or the
 * path itself when it names a file. */
static std::vector<std::string> ListInputs(const std::string &path) {
  std::vector<std::string> inputs;
  if (!IsDirectory(path)) {
    inputs.push_back(path);
    return inputs;
  }
  DIR *dir = opendir(path.c_str());
  if (dir == nullptr) {
    return inputs;
  }
  while (struct dirent *entry = readdir(dir)) {
    if (entry->d_name[0] != '.') {
      inputs.push_back(path + "/" + entry->d_name);
    }
  }
  closedir(dir);
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

/* Runs the target on the bytes of one file; false when it cannot be read. */
static bool ReplayFile(const std::string &path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                             std::istreambuf_iterator<char>());
  std::fprintf(stderr, "replaying %s (%zu bytes)\n", path.c_str(),
               bytes.size());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  return true;
}

int main(int argc, char **argv) {
  int replayed = 0;
  for (int i = 1; i < argc; i++) {
    for (const std::string &input : ListInputs(argv[i])) {
      if (!ReplayFile(input)) {
        return 1;
      }
      replayed++;
    }
  }
  std::fprintf(stderr, "replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
