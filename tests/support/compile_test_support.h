// Test support for the compiler: a scratch folder that holds a scenario's source files,
// builders for small source files, the two ways of compiling them (the line half alone, or
// the whole compile routine), and one-line dumps of cells and entries for expectations.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "compiler/compile_context.h"
#include "compiler/compile_routine.h"
#include "compiler/line_reader.h"
#include "source/scenario_files.h"
#include "support/temporary_folder.h"

namespace scenario::testing_support {

// Lines as a source file holds them: each followed by CR LF.
inline std::string crlf_lines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// A line source file: the general header and settings, one section header, the records.
inline std::string line_source(std::initializer_list<std::string_view> settings,
                               std::initializer_list<std::string_view> records) {
    return "[generale]\r\n" + crlf_lines(settings) + "[tracciato]\r\n" + crlf_lines(records) +
           "[fine]\r\n";
}

// A line source with a line of the given length and the records.
inline std::string line_of_length(std::int32_t length,
                                  std::initializer_list<std::string_view> records) {
    const std::string setting = "lunghezza percorso, " + std::to_string(length);
    return line_source({setting}, records);
}

// A train source file with a header and nothing else: the train half places nothing (and
// tells that the train file holds no record).
inline constexpr std::string_view empty_train_source = "[generale]\r\n[fine]\r\n";

// A train source file with the train's general values and nothing else: nothing placed, and
// nothing to tell.
inline constexpr std::string_view general_values_train_source =
    "[generale]\r\npercentuale massa frenata, 110\r\nnumero vetture, 4\r\nsabbia, 300\r\n"
    "orologio, 8 15 0\r\n[fine]\r\n";

// A fresh folder under the system's temporary folder, removed with the object, where a
// scenario's source files are written and compiled with the built-in identity.
class source_folder {
  public:
    const std::filesystem::path& path() const { return folder_.path(); }
    std::filesystem::path file(const std::string& name) const { return path() / name; }
    bool holds(const std::string& name) const { return std::filesystem::exists(file(name)); }

    std::filesystem::path line_source_path() const {
        return file(line_source_name(builtin_identity()));
    }
    std::filesystem::path train_source_path() const {
        return file(train_source_name(builtin_identity()));
    }

    void write(const std::string& name, std::string_view content) const {
        std::ofstream(file(name), std::ios::binary) << content;
    }
    void write_line_source(std::string_view content) const {
        write(line_source_name(builtin_identity()), content);
    }
    void write_train_source(std::string_view content) const {
        write(train_source_name(builtin_identity()), content);
    }

    std::string read(const std::string& name) const {
        std::ifstream input(file(name), std::ios::binary);
        std::ostringstream content;
        content << input.rdbuf();
        return content.str();
    }

    // A context for a compile in this folder, as the built-in build makes it.
    compile_context context() const {
        return compile_context({folder_.string(), builtin_identity(), true});
    }

  private:
    testing_support::temporary_folder folder_{"scenario-compile-"};
};

struct line_half_result {
    compile_context context;
    line_half_end end;
};

// The line half alone on the folder's line source, on a record prepared as the compile
// routine prepares it.
inline line_half_result read_line(const source_folder& folder, std::int32_t compila_linea = 1) {
    compile_context context = folder.context();
    context.record.compila_linea = compila_linea;
    const line_half_end end = read_line_file(context);
    return {std::move(context), end};
}

// Writes the line source (and a train source with nothing in it) and reads the line half.
inline line_half_result read_line_source(const source_folder& folder, std::string_view line_text,
                                         std::int32_t compila_linea = 1) {
    folder.write_line_source(line_text);
    folder.write_train_source(empty_train_source);
    return read_line(folder, compila_linea);
}

struct compile_result {
    compile_context context;
    compile_outcome outcome;
};

// The whole compile routine on the sources that the folder holds.
inline compile_result compile(const source_folder& folder, std::int32_t j = 1) {
    compile_context context = folder.context();
    compile_outcome outcome = memorizza_percorso(context, j);
    return {std::move(context), std::move(outcome)};
}

// Writes the line source and a train source with nothing in it, and compiles them.
inline compile_result compile_sources(const source_folder& folder, std::string_view line_text,
                                      std::int32_t j = 1) {
    folder.write_line_source(line_text);
    folder.write_train_source(empty_train_source);
    return compile(folder, j);
}

// "tipo 6 | 23 41 42 0 | 0 0 0 0 104 0": kind, dato1 to dato4, extra1 to extra6.
inline std::string dump(const cella& cell) {
    std::ostringstream text;
    text << "tipo " << int{cell.tipo} << " | " << cell.dato1 << ' ' << cell.dato2 << ' '
         << cell.dato3 << ' ' << cell.dato4 << " | " << int{cell.extra1} << ' ' << int{cell.extra2}
         << ' ' << int{cell.extra3} << ' ' << int{cell.extra4} << ' ' << int{cell.extra5} << ' '
         << int{cell.extra6};
    return text.str();
}

// "0 300 1": valore1 to valore3 of an entry.
inline std::string dump_values(const voce& entry) {
    return std::to_string(entry.valore1) + ' ' + std::to_string(entry.valore2) + ' ' +
           std::to_string(entry.valore3);
}

}  // namespace scenario::testing_support
