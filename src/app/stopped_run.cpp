// How a run ends when its memory runs out or a failure reaches std::terminate: never with an
// abort that leaves the folder's lock file and a partial file behind.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <string_view>

#include "app/exit_status.h"
#include "app/process_setup.h"
#include "source/run_files.h"

namespace scenario {
namespace {

constexpr std::string_view out_of_memory =
    "out of memory: the run stopped, and left no file half-written";

[[noreturn]] void end_on_unexpected_failure() {
    std::string_view what = "stopped by an unexpected failure, leaving no file half-written";
    if (const std::exception_ptr failure = std::current_exception()) {
        try {
            std::rethrow_exception(failure);
        } catch (const std::bad_alloc&) {
            what = out_of_memory;
        } catch (...) {
        }
    }
    remove_files_of_stopped_run();
    tell_failure("", what);
    std::fflush(stderr);
    std::_Exit(exit_status::fatal);
}

}  // namespace

void end_at_once_on_unexpected_failure() {
    std::set_terminate(end_on_unexpected_failure);
}

int report_out_of_memory(int argc, char** argv) {
    // The partial files and the lock went with the unwinding; whatever is still noted goes now.
    remove_files_of_stopped_run();
    const std::string_view command =
        argc > 1 && argv[1][0] != '-' ? std::string_view(argv[1]) : std::string_view();
    tell_failure(command, out_of_memory);
    return exit_status::fatal;
}

}  // namespace scenario
