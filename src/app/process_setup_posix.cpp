#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <initializer_list>

#include "app/process_setup.h"
#include "source/run_files.h"

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

// The write end takes the number of a signal that stops the run; the thread below reads it.
int stop_pipe[2] = {-1, -1};

// All that a signal handler does: it hands the signal's number on, with one write, which is
// safe in a handler.
void hand_on_stop(int number) {
    const int saved = errno;
    const auto byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const ssize_t written = ::write(stop_pipe[1], &byte, 1);
    errno = saved;
}

// Waits for a stop; then removes the run's partial files and lock file (run_files.h), outside
// any handler, and ends the process by the signal as it would have ended without a handler, so
// that whoever started it sees which signal ended it.
void* clean_up_when_stopped(void*) {
    unsigned char number = 0;
    while (::read(stop_pipe[0], &number, 1) != 1) {
        if (errno != EINTR) {
            return nullptr;
        }
    }
    remove_files_of_stopped_run();
    std::signal(number, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, number);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(number);
    ::_exit(128 + number);
}

// SIGINT and SIGTERM remove what the run leaves half-done before it ends. The cleaner is a
// thread of its own that blocks every signal, so that a signal reaches a thread of the
// program's work (or waits, in `watch`, for the signalfd that blocks it there). Without a
// thread (no memory left for its stack) the signals keep their default handling.
void clean_up_on_stop_signals() {
    if (::pipe2(stop_pipe, O_CLOEXEC) != 0) {
        return;
    }
    sigset_t all;
    sigset_t before;
    sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &before);
    pthread_attr_t attributes;
    ::pthread_attr_init(&attributes);
    ::pthread_attr_setdetachstate(&attributes, PTHREAD_CREATE_DETACHED);
    // It only waits, then removes a few files: a small stack, mapped whatever the memory limit.
    constexpr std::size_t cleaner_stack_bytes = std::size_t{256} << 10;
    ::pthread_attr_setstacksize(&attributes, cleaner_stack_bytes);
    pthread_t cleaner;
    const bool started =
        ::pthread_create(&cleaner, &attributes, clean_up_when_stopped, nullptr) == 0;
    ::pthread_attr_destroy(&attributes);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
    if (!started) {
        ::close(stop_pipe[0]);
        ::close(stop_pipe[1]);
        return;
    }
    struct sigaction stop {};
    stop.sa_handler = hand_on_stop;
    sigemptyset(&stop.sa_mask);
    stop.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &stop, nullptr);
    ::sigaction(SIGTERM, &stop, nullptr);
}

}  // namespace

void prepare_process() {
    hold_closed_standard_descriptors();
    // A write past the file-size limit must fail like a full disk, with a message that names
    // the file, rather than end the program with a signal and a half-done build.
    std::signal(SIGXFSZ, SIG_IGN);
    clean_up_on_stop_signals();
    end_at_once_on_unexpected_failure();
}

void survive_closed_pipes() {
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace scenario
