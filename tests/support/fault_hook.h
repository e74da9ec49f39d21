/*
 * fault_hook.h --
 *
 *	The replace-on-close writer's fault hook for the length of a test:
 *	a named temporary instead of an unnamed one, and a step that fails
 *	with a given errno (after letting a number of its calls pass).
 */

#ifndef TOVPART_TESTS_SUPPORT_FAULT_HOOK_H
#define TOVPART_TESTS_SUPPORT_FAULT_HOOK_H

#include <cerrno>
#include <gtest/gtest.h>
#include <string>

#include "host/tov_host.h"

class FaultHook {
public:
  FaultHook() {
    state() = State();
    previous = Tov_RobustSetFaultHook(&Answer);
  }
  ~FaultHook() {
    Tov_RobustSetFaultHook(previous);
    state() = State();
  }
  FaultHook(const FaultHook &) = delete;
  FaultHook &operator=(const FaultHook &) = delete;

  /* Makes the writer use a named temporary (true) or, where it can, an
   * unnamed one. */
  void namedTemporary(bool named) { state().named = named; }

  /* Makes step fail with error (0: no failure) once pass calls of it have
   * succeeded. */
  void failAt(Tov_RobustStep step, int error, int pass = 0) {
    state().step = step;
    state().error = error;
    state().pass = pass;
  }

private:
  struct State {
    bool named = false;
    Tov_RobustStep step = TOV_ROBUST_WRITE;
    int error = 0;
    int pass = 0;
  };

  static State &state() {
    static State current;
    return current;
  }

  static int Answer(Tov_RobustStep step) {
    State &s = state();
    if (step == TOV_ROBUST_UNNAMED && s.named) {
      return EOPNOTSUPP;
    }
    if (s.error == 0 || step != s.step) {
      return 0;
    }
    if (s.pass > 0) {
      s.pass--;
      return 0;
    }
    return s.error;
  }

  Tov_RobustFaultHook previous;
};

/* The name of a test parameter that says whether the temporary is named. */
inline std::string TemporaryKind(const ::testing::TestParamInfo<bool> &info) {
  return info.param ? "Named" : "Unnamed";
}

#endif /* TOVPART_TESTS_SUPPORT_FAULT_HOOK_H */
