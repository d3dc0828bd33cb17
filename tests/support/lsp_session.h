// The language server run as an editor runs it: `scenario-builder lsp` started as a process,
// framed messages written to its standard input, its standard output read back as framed
// messages and parsed. Every run is bounded in time: a server that hangs is killed, and the
// run says so instead of blocking the tests.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/background_run.h"
#include "support/program_run.h"

namespace scenario::testing_support {

using json = nlohmann::json;

inline std::string framed(std::string_view body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

inline std::string lsp_request(const json& id, std::string_view method,
                               const json& params = json::object()) {
    return framed(
        json{{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}}.dump());
}

inline std::string lsp_notification(std::string_view method, const json& params = json::object()) {
    return framed(json{{"jsonrpc", "2.0"}, {"method", method}, {"params", params}}.dump());
}

struct lsp_run {
    bool hung = false;  // killed at the time limit
    run_end end;
    std::vector<json> messages;  // the server's messages, in order
    bool well_framed = true;     // every byte of the output belonged to a framed JSON message
    std::string standard_error;
};

// Reads the server's output: messages of "Content-Length: N\r\n\r\n" and N bytes of JSON,
// one after the other, nothing else.
inline bool read_framed_output(std::string_view output, std::vector<json>& messages) {
    constexpr std::string_view header = "Content-Length: ";
    while (!output.empty()) {
        if (!output.starts_with(header)) {
            return false;
        }
        output.remove_prefix(header.size());
        std::size_t length = 0;
        std::size_t digits = 0;
        while (digits < output.size() && output[digits] >= '0' && output[digits] <= '9') {
            length = length * 10 + static_cast<std::size_t>(output[digits] - '0');
            ++digits;
        }
        output.remove_prefix(digits);
        if (digits == 0 || !output.starts_with("\r\n\r\n") || output.size() - 4 < length) {
            return false;
        }
        const std::string_view body = output.substr(4, length);
        output.remove_prefix(4 + length);
        json message = json::parse(body, nullptr, false);
        if (message.is_discarded()) {
            return false;
        }
        messages.push_back(std::move(message));
    }
    return true;
}

// Runs `scenario-builder lsp` with `input` as its standard input. With `keep_input_open`
// the input is a pipe that stays open after the bytes, as an editor's does, so that only
// the server's own decision ends it; `input` must then fit in the pipe's buffer.
inline lsp_run run_language_server(const std::string& input, bool keep_input_open = false,
                                   std::vector<std::string> args = {"lsp"},
                                   std::chrono::seconds limit = std::chrono::seconds(30)) {
    temporary_folder folder;
    const std::filesystem::path input_file = folder.path() / "input";
    const std::filesystem::path output_file = folder.path() / "output";
    const std::filesystem::path error_file = folder.path() / "error";
    int pipe_ends[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (keep_input_open) {
        if (::pipe(pipe_ends) != 0) {
            return {};
        }
        posix_spawn_file_actions_adddup2(&actions, pipe_ends[0], 0);
        posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);
    } else {
        std::ofstream(input_file, std::ios::binary) << input;
        posix_spawn_file_actions_addopen(&actions, 0, input_file.c_str(), O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 1, output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<std::string> words = {SCENARIO_BUILDER_EXE};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    lsp_run run;
    if (keep_input_open) {
        ::close(pipe_ends[0]);
        if (spawned == 0) {
            // Small enough for the pipe's buffer: the write does not wait for the server.
            [[maybe_unused]] const ssize_t written =
                ::write(pipe_ends[1], input.data(), input.size());
        }
    }
    if (spawned != 0) {
        run.hung = true;
        return run;
    }
    const auto until = std::chrono::steady_clock::now() + limit;
    while (!has_ended(pid, run.end)) {
        if (std::chrono::steady_clock::now() > until) {
            run.hung = true;
            ::kill(pid, SIGKILL);
            run.end = wait_for_end(pid);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (keep_input_open) {
        ::close(pipe_ends[1]);
    }
    run.well_framed = read_framed_output(read_text_file(output_file), run.messages);
    run.standard_error = read_text_file(error_file);
    return run;
}

}  // namespace scenario::testing_support
