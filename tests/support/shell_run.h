// Runs the program through the shell with its standard output sent where a test says (a file,
// /dev/full, a closed descriptor) and under the limits it sets, as a user's command line does.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "program_run.h"

namespace scenario::testing_support {

// `redirect` is the shell's redirection of standard output (">/dev/full", ">&-", ">FILE");
// `limits` runs before the program in the same shell ("ulimit -f 4"). Standard error is kept.
inline program_result run_program_with_output(const std::vector<std::string>& args,
                                              const std::string& redirect,
                                              const std::string& limits = "") {
    const std::filesystem::path error_file =
        std::filesystem::temp_directory_path() /
        ("scenario-shell-stderr-" + std::to_string(::getpid()) + ".txt");
    std::string command = "(";
    if (!limits.empty()) {
        command += limits + "; ";
    }
    command += "exec " + shell_quote(SCENARIO_BUILDER_EXE);
    for (const std::string& arg : args) {
        command += " " + shell_quote(arg);
    }
    command += " " + redirect + " 2>" + shell_quote(error_file.string()) + " </dev/null)";
    program_result result = run_program_at("sh", {"-c", command});
    result.standard_error = read_text_file(error_file);
    std::filesystem::remove(error_file);
    return result;
}

}  // namespace scenario::testing_support
