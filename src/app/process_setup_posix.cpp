#include <csignal>

#include "app/process_setup.h"

namespace scenario {

void prepare_process() {
    // A write past the file-size limit must fail like a full disk, with a message that names
    // the file, rather than end the program with a signal and a half-done build.
    std::signal(SIGXFSZ, SIG_IGN);
}

void survive_closed_pipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace scenario
