#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

#include "app/process_setup.h"

namespace scenario {
namespace {

// A standard descriptor that the caller closed (`>&-`) would be the first one that the program
// opens, and what it prints would go into that file (a compiled file, a lock file). Each
// closed one is held by /dev/null opened the other way round, so that every use of it still
// fails as on a closed descriptor and the failure can be told.
void hold_closed_standard_descriptors() {
    for (const int standard : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(standard, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        const int held =
            ::open("/dev/null", (standard == STDIN_FILENO ? O_WRONLY : O_RDONLY) | O_CLOEXEC);
        if (held >= 0 && held != standard) {
            ::dup2(held, standard);
            ::close(held);
        }
    }
}

}  // namespace

void prepare_process() {
    hold_closed_standard_descriptors();
    // A write past the file-size limit must fail like a full disk, with a message that names
    // the file, rather than end the program with a signal and a half-done build.
    std::signal(SIGXFSZ, SIG_IGN);
}

void survive_closed_pipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace scenario
