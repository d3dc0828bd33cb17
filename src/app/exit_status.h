// The program's exit statuses.
#pragma once

namespace scenario::exit_status {

inline constexpr int ok = 0;
inline constexpr int errors_recorded = 1;  // the compiled files were written with errors
inline constexpr int fatal = 2;            // the build stopped before writing its results
inline constexpr int usage = 64;           // the command line was not understood
inline constexpr int unavailable = 69;     // the command is not part of this build

}  // namespace scenario::exit_status
