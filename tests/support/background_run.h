// Runs of the program started in the background, as several users or scripts start them at
// once: each one without a display, its standard output discarded and its standard error
// kept in a file, to be waited for, or killed, by its process id.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

extern char** environ;

namespace scenario::testing_support {

// Starts the program with the arguments; its standard error goes to `error_file` (to
// /dev/null when empty). Returns the process id, or -1 when it could not be started.
inline pid_t start_program(const std::vector<std::string>& args, const std::string& error_file = "",
                           const std::string& program = SCENARIO_BUILDER_EXE) {
    std::vector<std::string> words = {program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with("DISPLAY=")) {
            environment.push_back(*variable);
        }
    }
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2,
                                     error_file.empty() ? "/dev/null" : error_file.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// How a run in the background ended.
struct run_end {
    bool exited = false;  // ended by itself, with exit_status
    int exit_status = -1;
    bool killed = false;  // ended by a signal
};

inline run_end end_of(int raw) {
    run_end end;
    end.exited = WIFEXITED(raw);
    end.exit_status = end.exited ? WEXITSTATUS(raw) : -1;
    end.killed = WIFSIGNALED(raw);
    return end;
}

// Waits for the run to end.
inline run_end wait_for_end(pid_t pid) {
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return end_of(raw);
}

// True when the run has ended; `end` then says how. Does not wait.
inline bool has_ended(pid_t pid, run_end& end) {
    int raw = 0;
    if (::waitpid(pid, &raw, WNOHANG) != pid) {
        return false;
    }
    end = end_of(raw);
    return true;
}

}  // namespace scenario::testing_support
