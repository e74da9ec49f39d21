/*
 * ascii_reader_test.cpp --
 *
 *	The ASCII reader with an observer: it reports every bad line, skips
 *	the scope of a [category] line that failed, builds the good lines and
 *	tells its progress. (Without one it stops at the first bad line, as
 *	the tests of pdb:read and of pdbtool check show.)
 */

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "files/text/ascii_reader.h"
#include "model/ascii_db.h"
#include "model/group.h"
#include "support/tcl_fixture.h"

namespace {

struct BadLine {
  int line;
  std::string word;
  std::string text;
  bool operator==(const BadLine &other) const {
    return line == other.line && word == other.word && text == other.text;
  }
  friend void PrintTo(const BadLine &bad, std::ostream *out) {
    *out << bad.line << ": " << bad.word << ": " << bad.text;
  }
};

/* What an observer saw. */
struct Seen {
  std::vector<BadLine> badLines;
  std::vector<long> progress;
};

void RecordBadLine(void *context, int line, const char *word,
                   const char *text) {
  static_cast<Seen *>(context)->badLines.push_back({line, word, text});
}

void RecordProgress(void *context, long bytesRead) {
  static_cast<Seen *>(context)->progress.push_back(bytesRead);
}

class AsciiReaderTest : public TclInterpTest {
protected:
  /* Reads text into a fresh database of the group; returns the status. */
  int read(const std::string &text, const Pdb_ReadObserver *observer) {
    FILE *file = tmpfile();
    fwrite(text.data(), 1, text.size(), file);
    rewind(file);
    db = new Pdb_AsciiDb(&group, file, PDB_KIND_FILE, "test.db");
    group.addDatabase("zq_pdb1", db);
    return Pdb_ReadAsciiDatabase(interp, &group, db, false, observer);
  }

  Pdb_Group group{"test"};
  Pdb_AsciiDb *db = nullptr;
  Seen seen;
  Pdb_ReadObserver observer{RecordBadLine, RecordProgress, &seen};
};

const char BAD_FILE[] = "[category] /\n"
                        "[part] A {s l {}} {t d} none\n"
                        "[part] A {s l {}} {t d} none\n"
                        "{[category]} /a/ {Help}\n"
                        "{[category]} /a/ {Other}\n"
                        "[part] InFailedScope {s l {}} {t d} none\n"
                        "#comment checked\n"
                        "[category] /b/\n"
                        "[part=] Missing\n"
                        "[part] B {s l {}} {t d} none\n";

} // namespace

TEST_F(AsciiReaderTest, ObserverHearsOfEveryBadLineAndTheGoodLinesStillBuild) {
  EXPECT_EQ(read(BAD_FILE, &observer), TCL_ERROR);
  std::vector<BadLine> expected = {
      {3, "DUP_PART", "Duplicate part"},
      {5, "NONE",
       "category help context mismatch for /a/: Other should be Help."},
      {7, "SYNTAX",
       "Unrecognized keyword. Should be [part], [part=], [category] or "
       "[category=]"},
      {9, "NO_REFFED_PART", "Part reference refers to non-existent part"}};
  EXPECT_EQ(seen.badLines, expected);
  EXPECT_FALSE(db->read);
  EXPECT_NE(db->findPart("B"), nullptr);
  EXPECT_EQ(db->findPart("InFailedScope"), nullptr);
}

TEST_F(AsciiReaderTest, ProgressGrowsWithTheBytesRead) {
  std::string text = "[category] /\n";
  for (int i = 0; i < 20000; i++) {
    text += "[part] P" + std::to_string(i) + " {s l {}} {t d} none\n";
  }
  EXPECT_EQ(read(text, &observer), TCL_OK);
  ASSERT_EQ(seen.progress.size(), 2u);
  EXPECT_GT(seen.progress[0], 0);
  EXPECT_GT(seen.progress[1], seen.progress[0]);
  EXPECT_LE(seen.progress[1], static_cast<long>(text.size()));
}
