// The program's exit statuses, and the one place where the end of a command becomes one: a
// failure of some kind, or the end of a compile.
#pragma once

#include <string_view>

#include "compiler/compile_routine.h"
#include "source/status.h"

namespace scenario {

namespace exit_status {
inline constexpr int ok = 0;
inline constexpr int errors_recorded = 1;  // the compiled files were written with errors
inline constexpr int fatal = 2;            // the command stopped before writing its results
inline constexpr int usage = 64;           // the command line was not understood
inline constexpr int unavailable = 69;     // the command is not part of this build
// `diff`: the two scenarios are not the same (0 when they are, as diff ends).
inline constexpr int scenarios_differ = 1;
}  // namespace exit_status

// A request that is not understood is a usage error; a file that is missing, cannot be read
// or written, or is not what it should be stops the command.
int exit_status_of(status_kind kind);

// A compile that wrote its files ends well, or with errors_recorded when it found errors
// that count; one that stopped before writing them is fatal.
int exit_status_of(compile_outcome::end how, bool errors_count);

// Says on standard error what stopped a command, "scenario-builder COMMAND: MESSAGE" (or
// "scenario-builder: MESSAGE" for no command).
void tell_failure(std::string_view command, std::string_view message);

// Tells the failure and gives the exit status of its kind.
int report_failure(std::string_view command, const status& failure);

}  // namespace scenario
