// Hooks that let the desktop tests catch what a run shows on screen. Each one is switched on
// by an environment variable that only the tests set, with a name no user would type by
// chance; a normal run finds them unset and behaves as if they did not exist. The program
// never waits, describes or fails on purpose unless one of them is set.
#pragma once

#include <chrono>
#include <string>

#include "app/platform.h"

namespace scenario::test_seams {

// SCENARIO_TEST_HOLD_WINDOW_MS=N: keeps the waiting window on screen N milliseconds (at most
// a minute) after painting it, so that a test can find it while the build runs.
std::chrono::milliseconds window_hold();

// SCENARIO_TEST_DESCRIBE_WINDOWS=1: once a window is on screen, writes its title, size and
// every widget in it (and on X its window id) to standard error, one line each.
bool describe_windows();

// SCENARIO_TEST_FORCE_ERROR=1250 or 1251: the build stops through `errore` with that code.
// Any other value is ignored; the empty text means the seam is off.
std::string forced_error_code();

// The build that the forced error replaces the real one with: it shows the window, writes
// the line source file, then calls `errore` with the code and ends as the real build would.
int run_forced_error_build(platform& desktop, const std::string& folder, const std::string& code);

}  // namespace scenario::test_seams
