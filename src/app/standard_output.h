// What a command prints on standard output is part of its result: a listing redirected to a
// full disk, to /dev/full or to a closed descriptor must not end as a success. The program's
// end flushes both streams that reach standard output (C's and C++'s) and turns a write that
// failed into a failure of the command.
#pragma once

#include <string_view>

namespace scenario {

// Flushes standard output and returns the exit status to end with: `exit_status` when every
// byte was written, else the status of a fatal failure, told on standard error with the cause
// (a status that already says the command failed is kept).
int finish_standard_output(std::string_view command, int exit_status);

}  // namespace scenario
