// The files that a build of the built-in scenario leaves in its folder, what each must hold
// (the expected bytes kept under tests/data), and the partial files that an interrupted
// replacement may leave beside them.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "program_run.h"

namespace scenario::testing_support {

inline const std::string line_source_file = "Valdora_Rova_linea.txt";
inline const std::string train_source_file = "Valdora_Rova_5284-.txt";
inline const std::string route_notes_file = "Valdora_Rova_5284_note.txt";
inline const std::string slowdown_order_file = "Valdora_Rova_5284_rallentamenti.txt";
inline const std::string train_sheet_file = "Valdora_Rova_5284_scheda_treno.txt";
inline const std::string compiled_line_file = "Valdora_Rova_linea.dat";
inline const std::string item_file = "Valdora_Rova_5284.sim";
inline const std::string grid_file = "Valdora_Rova_5284.dat";

inline const std::vector<std::string> document_files = {route_notes_file, slowdown_order_file,
                                                        train_sheet_file};
inline const std::vector<std::string> compiled_files = {compiled_line_file, item_file, grid_file};

// The bytes that a build writes into the file, as kept under tests/data.
inline std::string expected_bytes(const std::string& name) {
    return read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name);
}

// Writes the content into the file, replacing what it held.
inline void put_file(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// The names of the partial files in the folder: a leading dot and ".partial-" in the name.
inline std::vector<std::string> partial_files_in(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.starts_with(".") && name.find(".partial-") != std::string::npos) {
            names.push_back(name);
        }
    }
    return names;
}

}  // namespace scenario::testing_support
