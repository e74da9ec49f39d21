/*
 * fuzz_session.h --
 *
 *	What the command-driving fuzz targets share: one interpreter with the
 *	module loaded, a scratch directory for the files an input becomes,
 *	and the check that every input leaves the address window as it found
 *	it. Later targets (pdb:find's property specifications, pdb:add's
 *	argument forms) drive their commands through the same session.
 */

#ifndef TOVPART_FUZZ_FUZZ_SESSION_H
#define TOVPART_FUZZ_FUZZ_SESSION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <tcl.h>
#include <vector>

class FuzzSession {
public:
  /* The session of this process, made on first use. */
  static FuzzSession &get();

  /* Writes size bytes to the scratch file name; returns its path. */
  std::string writeFile(const char *name, const uint8_t *data,
                        std::size_t size);

  /* A path in the scratch directory. */
  std::string path(const char *name) const;

  /*
   * Runs one command given as words (no Tcl parsing of the words);
   * TCL_OK or TCL_ERROR, the result in *result when asked for.
   */
  int run(std::initializer_list<std::string> words,
          std::string *result = nullptr);
  int runWords(const std::vector<std::string> &words,
               std::string *result = nullptr);

  /* The words as one Tcl list (Tcl_Merge), for files and messages. */
  static std::string merge(const std::vector<std::string> &words);

  /* The elements of a Tcl list; false when text is none. */
  static bool split(const std::string &text,
                    std::vector<std::string> *elements);

  /*
   * Unloads every database and ends the process with a message when the
   * window holds more blocks or views than before the input: a leak.
   */
  void finishInput(const char *target);

  /* Ends the process with a message: a finding of the target. */
  [[noreturn]] static void fail(const char *target, const std::string &what);

  Tcl_Interp *interp;

private:
  FuzzSession();
  std::string directory;
  std::size_t baseBlocks;
};

#endif /* TOVPART_FUZZ_FUZZ_SESSION_H */
