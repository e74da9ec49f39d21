/*
 * writer_faults_test.cpp --
 *
 *	pdb:save, pdb:write and pdb:print -file when writing goes wrong, with
 *	an unnamed temporary and with a named one: every step of the
 *	replace-on-close writer failing in turn, a full disk among them, and
 *	writers killed at random moments. The target always keeps its old or
 *	gets its whole new content, and no temporary file stays.
 *
 *	The kill trials are seeded; TOVPART_KILL_TRIALS (trials per command
 *	and kind of temporary, 12 by default) and TOVPART_KILL_SEED run more
 *	or other ones locally.
 */

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/fault_hook.h"
#include "support/module_fixture.h"
#include "support/temp_dir.h"

namespace {

/* The text of a database of count parts spread over 20 categories. */
std::string DatabaseText(int count) {
  std::string text = "[category] /\n";
  for (int i = 0; i < count; i++) {
    if (i % (count / 20 + 1) == 0) {
      text += "[category] /c" + std::to_string(i) + "/\n";
    }
    text += "[part] P" + std::to_string(i) + " {sym" + std::to_string(i) +
            " lib {value " + std::to_string(i) +
            "k tol 5%}} {tmpl {a description}} none\n";
  }
  return text;
}

bool IsTemporary(const std::string &name) {
  return name.find(".tmp-tov.") != std::string::npos;
}

int CountTemporaries(const TempDir &dir) {
  int count = 0;
  for (const std::string &name : dir.listing()) {
    count += IsTemporary(name) ? 1 : 0;
  }
  return count;
}

int EnvironmentNumber(const char *name, int otherwise) {
  const char *value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atoi(value) : otherwise;
}

/* One of the writing commands, as run on the test's database. */
struct WritingCommand {
  const char *name;
  std::string target;    /* the file it writes */
  std::string script;    /* the command */
  std::string openText;  /* its message when the temporary cannot be made */
  std::string writeText; /* its message when the content cannot be put */
};

/* The parameter: true for a named temporary, false for an unnamed one. */
class WriterFaults : public ModuleTest,
                     public ::testing::WithParamInterface<bool> {
protected:
  void SetUp() override {
    ModuleTest::SetUp();
    faults.namedTemporary(GetParam());
    WriteFile(dbFile, DatabaseText(2000));
    handle = run("pdb:open -file " + TclQuote(dbFile));
    run("pdb:read " + handle);
  }

  std::vector<WritingCommand> commands() const {
    std::string image = dir.file("image.zq_pdb_bi");
    std::string report = dir.file("report.txt");
    return {
        {"pdb:save", dbFile, "pdb:save " + handle,
         "Cannot open file \"" + dbFile + "\" for writing: ",
         "Could not write parts database \"" + dbFile + "\": "},
        {"pdb:write", image,
         "pdb:write -binary " + handle + " " + TclQuote(image),
         "Unable to open output file \"" + image + "\": ",
         "Cannot write binary file \"" + image + "\": "},
        {"pdb:print", report,
         "pdb:print " + handle + " -file " + TclQuote(report),
         "Cannot open file \"" + report + "\" for writing: ",
         "Cannot write file \"" + report + "\": "},
    };
  }

  FaultHook faults;
  TempDir dir;
  std::string dbFile = dir.file("parts.db");
  std::string handle;
};

TEST_P(WriterFaults, EveryStepFailingLeavesTheTargetAndNoTemporary) {
  const struct {
    Tov_RobustStep step;
    int error;
    int pass; /* calls of the step that succeed first */
  } steps[] = {{TOV_ROBUST_CREATE, EACCES, 0}, {TOV_ROBUST_WRITE, ENOSPC, 0},
               {TOV_ROBUST_WRITE, ENOSPC, 1},  {TOV_ROBUST_SYNC, EIO, 0},
               {TOV_ROBUST_LINK, EMLINK, 0},   {TOV_ROBUST_CLOSE, EDQUOT, 0},
               {TOV_ROBUST_RENAME, EBUSY, 0}};
  for (const WritingCommand &command : commands()) {
    for (const auto &s : steps) {
      bool applies = s.step == TOV_ROBUST_CREATE ? GetParam()
                     : s.step == TOV_ROBUST_LINK ? !GetParam()
                                                 : true;
      if (!applies) {
        continue;
      }
      std::string what = std::string(command.name) + " step " +
                         std::to_string(s.step) + " after " +
                         std::to_string(s.pass);
      WriteFile(command.target, "old");
      unlink((dbFile + ".bak").c_str());
      faults.failAt(s.step, s.error, s.pass);
      testing::internal::CaptureStderr();
      int status = eval(command.script);
      std::string diagnostics = testing::internal::GetCapturedStderr();
      faults.failAt(TOV_ROBUST_WRITE, 0);

      EXPECT_EQ(status, TCL_ERROR) << what;
      std::string text =
          s.step == TOV_ROBUST_CREATE ? command.openText : command.writeText;
      EXPECT_EQ(result(), text + Tcl_ErrnoMsg(s.error)) << what;
      EXPECT_EQ(errorCode().rfind("POSIX ", 0), 0u) << what;
      EXPECT_EQ(ReadFile(command.target), "old") << what;
      std::string backup = ReadFile(dbFile + ".bak");
      EXPECT_TRUE(backup.empty() || backup == "old") << what;
      EXPECT_EQ(CountTemporaries(dir), 0) << what;
      /* Only pdb:write says on standard error which step failed. */
      std::string tail = command.name == std::string("pdb:write")
                             ? std::string(": ") + strerror(s.error) + "\n"
                             : "";
      EXPECT_TRUE(diagnostics.size() >= tail.size() &&
                  diagnostics.substr(diagnostics.size() - tail.size()) ==
                      tail &&
                  diagnostics.empty() == tail.empty())
          << what << ": " << diagnostics;
    }
    EXPECT_EQ(eval(command.script), TCL_OK) << command.name << ": " << result();
    EXPECT_NE(ReadFile(command.target), "old") << command.name;
  }
  EXPECT_EQ(CountTemporaries(dir), 0);
}

/*
 * Forks a writer that runs the command over and over, kills it with
 * SIGKILL after a random delay of up to twice the command's own time,
 * and checks what is under the target: the old or the new content, and,
 * once the next writer has run, no temporary file.
 */
TEST_P(WriterFaults, KilledWriterLeavesOldOrNewContentAndNoTemporary) {
  const int trials = EnvironmentNumber("TOVPART_KILL_TRIALS", 12);
  std::mt19937 random(static_cast<unsigned>(
      EnvironmentNumber("TOVPART_KILL_SEED", 20240611) + GetParam()));
  for (const WritingCommand &command : commands()) {
    if (command.name == std::string("pdb:print")) {
      continue; /* the report is written exactly as an image is */
    }
    auto started = std::chrono::steady_clock::now();
    run(command.script);
    auto took = std::chrono::steady_clock::now() - started;
    const std::string fresh = ReadFile(command.target);
    const std::string old = fresh + "] old content\n";
    std::uniform_int_distribution<long> delay(
        0, 2 * std::chrono::duration_cast<std::chrono::microseconds>(took)
                   .count());
    int keptOld = 0;
    int gotNew = 0;
    int leftTemporary = 0;
    for (int trial = 0; trial < trials; trial++) {
      WriteFile(command.target, old);
      pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        for (int i = 0; i < 100000; i++) {
          eval(command.script);
        }
        _exit(0);
      }
      std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      std::string now = ReadFile(command.target);
      EXPECT_TRUE(now == old || now == fresh)
          << command.name << " trial " << trial << ": " << now.size()
          << " bytes";
      keptOld += now == old ? 1 : 0;
      gotNew += now == fresh ? 1 : 0;
      leftTemporary += CountTemporaries(dir) > 0 ? 1 : 0;
    }
    run(command.script);
    EXPECT_EQ(CountTemporaries(dir), 0)
        << command.name << ": the next write removes what killed ones left";
    std::cout
        << command.name << (GetParam() ? " named" : " unnamed") << " ("
        << std::chrono::duration_cast<std::chrono::microseconds>(took).count()
        << " us): " << trials << " kills, " << keptOld
        << " kept the old content, " << gotNew << " had the new, "
        << leftTemporary << " left a temporary until the next write\n";
  }
}

INSTANTIATE_TEST_SUITE_P(Temporary, WriterFaults, ::testing::Bool(),
                         TemporaryKind);

} // namespace
