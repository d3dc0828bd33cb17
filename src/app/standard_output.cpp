#include "app/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "app/exit_status.h"

namespace scenario {
namespace {

// The cause of a failed write in the user's terms. A closed standard output reaches the
// program as a descriptor that cannot be written (see prepare_process).
std::string cause_of(int error) {
    if (error == EBADF) {
        return "it is closed";
    }
    return error == 0 ? "the stream reported an error" : std::strerror(error);
}

// A stream that failed while the command printed keeps no cause: the output is incomplete
// already, and one more byte written shows why it cannot be written.
int probe_cause() {
    std::clearerr(stdout);
    errno = 0;
    const bool written = std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
    return written ? 0 : errno;
}

}  // namespace

int finish_standard_output(std::string_view command, int exit_status) {
    errno = 0;
    std::cout.flush();
    int error = std::cout.good() ? 0 : errno;
    const bool cpp_failed = !std::cout.good();
    errno = 0;
    const bool c_failed = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (c_failed && !cpp_failed) {
        error = errno;
    }
    if (!cpp_failed && !c_failed) {
        return exit_status;
    }
    if (error == 0) {
        error = probe_cause();
    }
    tell_failure(command, "cannot write standard output: " + cause_of(error) +
                              "; what was printed there is incomplete");
    return exit_status == exit_status::ok || exit_status == exit_status::errors_recorded
               ? exit_status::fatal
               : exit_status;
}

}  // namespace scenario
