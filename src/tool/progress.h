/*
 * progress.h --
 *
 *	A progress bar on standard error for pdbtool: drawn only when
 *	standard error is a terminal and the work has taken more than a
 *	moment, and wiped again when the work is done.
 */

#ifndef TOVPART_TOOL_PROGRESS_H
#define TOVPART_TOOL_PROGRESS_H

#include <chrono>
#include <string>

class Pdb_Progress {
public:
  /* Work on label (a file name) of total units (bytes); total is 0 when
   * the size is not known. */
  Pdb_Progress(const char *label, long total);
  ~Pdb_Progress();
  Pdb_Progress(const Pdb_Progress &) = delete;
  Pdb_Progress &operator=(const Pdb_Progress &) = delete;

  /* Records that done units are finished, redrawing when it is time. */
  void update(long done);

  /* Wipes the bar, if one was drawn. */
  void finish();

private:
  using Clock = std::chrono::steady_clock;

  std::string label;
  long total;
  bool enabled; /* standard error is a terminal */
  bool shown = false;
  int drawings = 0; /* of a bar of unknown total, where its mark stands */
  Clock::time_point start;
  Clock::time_point lastDrawn;
};

#endif /* TOVPART_TOOL_PROGRESS_H */
