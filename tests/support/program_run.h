// Runs the program as a separate process, the way users and scripts run it, and collects
// its exit status and what it printed.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/temporary_folder.h"

namespace scenario::testing_support {

struct program_result {
    int exit_status = -1;
    std::string standard_output;
    std::string standard_error;
};

inline std::string shell_quote(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline std::string read_text_file(const std::filesystem::path& path) {
    std::ifstream input(path, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    return content.str();
}

// Runs `prefix program args...` through the shell; prefix may hold environment settings or
// a command that runs the program (as another user, under a limit).
inline program_result run_program_at(const std::string& program,
                                     const std::vector<std::string>& args,
                                     const std::string& prefix = "") {
    const std::filesystem::path error_file =
        std::filesystem::temp_directory_path() /
        ("scenario-stderr-" + std::to_string(::getpid()) + ".txt");
    std::string command = prefix;
    command.append(" ").append(shell_quote(program));
    for (const std::string& arg : args) {
        command.append(" ").append(shell_quote(arg));
    }
    command.append(" 2>").append(shell_quote(error_file.string())).append(" </dev/null");
    program_result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.standard_output.append(buffer.data(), count);
    }
    const int raw = ::pclose(pipe);
    result.exit_status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    result.standard_error = read_text_file(error_file);
    std::filesystem::remove(error_file);
    return result;
}

// Runs the program under test.
inline program_result run_program(const std::vector<std::string>& args,
                                  const std::string& prefix = "") {
    return run_program_at(SCENARIO_BUILDER_EXE, args, prefix);
}

// `text` with every `placeholder` replaced by `value`. The search goes on after each value put
// in, so a value that holds the placeholder itself (a folder that mkdtemp happened to name
// scenario-test-PDIRvL, for "DIR") is left as it is instead of being replaced for ever.
inline std::string replace_every(std::string text, std::string_view placeholder,
                                 std::string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

}  // namespace scenario::testing_support
