/*
 * temp_dir.h --
 *
 *	Scratch directories for tests that write files, and whole-file
 *	reading and writing.
 */

#ifndef TOVPART_TESTS_SUPPORT_TEMP_DIR_H
#define TOVPART_TESTS_SUPPORT_TEMP_DIR_H

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

/* A temporary directory, removed with everything in it. */
class TempDir {
public:
  TempDir() {
    char pattern[] = "/tmp/tovpart_testXXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  std::string file(const char *name) const { return path + "/" + name; }
  const std::string &name() const { return path; }

  /* The names in the directory, "." and ".." left out. */
  std::set<std::string> listing() const {
    std::set<std::string> names;
    DIR *dir = opendir(path.c_str());
    while (struct dirent *entry = readdir(dir)) {
      names.insert(entry->d_name);
    }
    closedir(dir);
    names.erase(".");
    names.erase("..");
    return names;
  }

private:
  std::string path;
};

/* Writes bytes to the file name, replacing what it held. */
inline void WriteFile(const std::string &name, const std::string &bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

/* The bytes of the file name; empty when it cannot be read. */
inline std::string ReadFile(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

#endif /* TOVPART_TESTS_SUPPORT_TEMP_DIR_H */
