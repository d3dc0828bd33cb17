// Small scenarios for the compile command's warnings: a line file of a 10 km line whose
// records start on line 4, and a train file whose lines start on line 2, written into a
// folder as route R and train T and compiled through the command line.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "program_run.h"

namespace scenario::testing_support {

inline constexpr int first_record_line = 4;  // of the line file
inline constexpr int first_train_line = 2;

// Speed and adherence series that start at 0, as a train file should.
inline std::vector<std::string> plain_train_lines() {
    return {"aderenza, 0, 100", "velocita' limite, 0, 100"};
}

struct scenario_sources {
    std::vector<std::string> line_records;
    std::vector<std::string> train_lines = plain_train_lines();
};

inline void write_lines(const std::filesystem::path& path, const std::string& head,
                        const std::vector<std::string>& lines) {
    std::ofstream file(path, std::ios::binary);
    file << head;
    for (const std::string& line : lines) {
        file << line << "\r\n";
    }
    file << "[fine]\r\n";
}

// The train's general values, which a train that runs to its stations sets: written after the
// lines of a scenario, so that the lines keep their numbers.
inline std::vector<std::string> general_value_lines() {
    return {"percentuale massa frenata, 110", "numero vetture, 4", "sabbia, 300",
            "orologio, 8 15 0"};
}

inline void write_sources(const std::filesystem::path& folder, const scenario_sources& sources) {
    write_lines(folder / "R_linea.txt",
                "[generale]\r\nlunghezza percorso, 10000\r\n[tracciato]\r\n", sources.line_records);
    std::vector<std::string> train_lines = sources.train_lines;
    const std::vector<std::string> general = general_value_lines();
    train_lines.insert(train_lines.end(), general.begin(), general.end());
    write_lines(folder / "R_T-.txt", "[generale]\r\n", train_lines);
}

inline program_result compile_sources(const std::filesystem::path& folder, bool werror = false) {
    std::vector<std::string> args = {"compile", "--dir", folder.string(), "--route", "R",
                                     "--train", "T"};
    if (werror) {
        args.emplace_back("--werror");
    }
    return run_program(args);
}

inline std::size_t count_of(const std::string& text, const std::string& word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

inline const char* const compiled_names[] = {"R_linea.dat", "R_T.sim", "R_T.dat"};

}  // namespace scenario::testing_support
