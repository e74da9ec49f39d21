/*
 * progress.cpp --
 *
 *	The progress bar: "label [#####-----]  45%" redrawn in place on
 *	standard error at most ten times a second, starting half a second
 *	into the work. Work of unknown size (a pipe) shows a mark that moves
 *	along the bar instead: "label [---#------]".
 */

#include "tool/progress.h"

#include <cstdio>
#include <unistd.h>

static const std::chrono::milliseconds FIRST_DRAW(500);
static const std::chrono::milliseconds REDRAW(100);

enum { BAR_WIDTH = 30, LABEL_WIDTH = 40 };

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Progress::Pdb_Progress --
 *
 *	Starts the progress of work on label (a file name, shortened from the
 *	front to LABEL_WIDTH) of total units (bytes; 0 when unknown). A bar is
 *	drawn only when standard error is a terminal.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	None until update draws.
 *
 *----------------------------------------------------------------------
 */

Pdb_Progress::Pdb_Progress(const char *label, long total)
    : label(label), total(total), enabled(isatty(STDERR_FILENO) == 1),
      start(Clock::now()), lastDrawn(start) {
  if (this->label.size() > LABEL_WIDTH) {
    this->label =
        "..." + this->label.substr(this->label.size() - (LABEL_WIDTH - 3));
  }
}

Pdb_Progress::~Pdb_Progress() { finish(); }

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Progress::update --
 *
 *	Records that done units are finished and redraws the bar when the work
 *	has gone on for more than a moment and the last drawing is old enough.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to standard error when it is a terminal.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Progress::update(long done) {
  if (!enabled) {
    return;
  }
  Clock::time_point now = Clock::now();
  if (now - start < FIRST_DRAW || (shown && now - lastDrawn < REDRAW)) {
    return;
  }
  lastDrawn = now;
  shown = true;
  char bar[BAR_WIDTH + 1];
  bar[BAR_WIDTH] = '\0';
  if (total <= 0) {
    for (int i = 0; i < BAR_WIDTH; i++) {
      bar[i] = i == drawings % BAR_WIDTH ? '#' : '-';
    }
    drawings++;
    std::fprintf(stderr, "\r%s [%s]", label.c_str(), bar);
    std::fflush(stderr);
    return;
  }
  long bounded = done < 0 ? 0 : (done > total ? total : done);
  int percent = static_cast<int>(bounded * 100 / total);
  int filled = percent * BAR_WIDTH / 100;
  for (int i = 0; i < BAR_WIDTH; i++) {
    bar[i] = i < filled ? '#' : '-';
  }
  std::fprintf(stderr, "\r%s [%s] %3d%%", label.c_str(), bar, percent);
  std::fflush(stderr);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_Progress::finish --
 *
 *	Wipes the bar's line if one was drawn.
 *
 * Results:
 *	None.
 *
 * Side effects:
 *	Writes to standard error.
 *
 *----------------------------------------------------------------------
 */

void Pdb_Progress::finish() {
  if (shown) {
    std::fprintf(stderr, "\r%*s\r",
                 static_cast<int>(label.size()) + BAR_WIDTH + 8, "");
    std::fflush(stderr);
    shown = false;
  }
}
