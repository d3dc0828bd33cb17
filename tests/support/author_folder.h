// An author's scenario folder for tests of the command line: the two source files of route
// "R" and train "T" written from lines, compiled by running the program, and the first
// line of its report that names an error.
#pragma once

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "program_run.h"

namespace scenario::testing_support {

inline constexpr const char* author_line_source = "R_linea.txt";
inline constexpr const char* author_train_source = "R_T-.txt";
inline constexpr const char* author_compiled_files[] = {"R_linea.dat", "R_T.sim", "R_T.dat"};

// Lines as the source formats hold them: each followed by CR LF.
inline std::string crlf_text(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

class author_folder {
  public:
    std::filesystem::path file(const std::string& name) const { return folder_.path() / name; }
    std::string path_text(const std::string& name) const { return file(name).string(); }
    bool holds(const std::string& name) const { return std::filesystem::exists(file(name)); }

    void write(const std::string& name, std::string_view content) const {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    std::string read(const std::string& name) const { return read_text_file(file(name)); }

    void write_sources(const std::vector<std::string>& line_lines,
                       const std::vector<std::string>& train_lines) const {
        write(author_line_source, crlf_text(line_lines));
        write(author_train_source, crlf_text(train_lines));
    }

    // `compile --dir FOLDER --route R --train T` and any further arguments.
    program_result compile(std::initializer_list<std::string> more = {}) const {
        std::vector<std::string> args = {"compile", "--dir", folder_.string(), "--route", "R",
                                         "--train", "T"};
        args.insert(args.end(), more);
        return run_program(args);
    }

    std::string string() const { return folder_.string(); }
    const std::filesystem::path& path() const { return folder_.path(); }

  private:
    temporary_folder folder_;
};

// The lines of a report that state an error of the compile: neither the quoted source lines
// (indented), nor the program's own closing messages, nor what a scan found beyond the
// compiled part.
inline std::vector<std::string> error_lines(const std::string& report) {
    std::vector<std::string> lines;
    std::istringstream in(report);
    for (std::string line; std::getline(in, line);) {
        const bool states_error =
            (line.starts_with("error ") || line.find(": error ") != std::string::npos) &&
            line.find(": beyond the compiled part: ") == std::string::npos;
        if (!line.starts_with(" ") && !line.starts_with("scenario-builder") && states_error) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace scenario::testing_support
