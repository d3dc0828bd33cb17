// Test support for the train reader and the grid pass: a compile context over a hand-made
// grid in a temporary folder, as the line half would leave it, a train source file written
// from lines, and one-line dumps of cells and entries so that each expectation fits a line.
#pragma once

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <system_error>

#include "compiler/compile_context.h"
#include "compiler/train_reader.h"
#include "source/file_access.h"
#include "source/scenario_files.h"
#include "support/temporary_folder.h"

namespace scenario::test_support {

using testing_support::temporary_folder;

// The built-in line's grid: 82000 m of line and 7000 m of margin.
inline constexpr std::int32_t builtin_ultima_cella = 1780;

// Sets up an empty grid of cells 0..ultima_cella, as the line half creates it.
inline void make_grid(scenario_record& record, std::int32_t ultima_cella) {
    record.ultima_cella = ultima_cella;
    record.limite_profilo = ultima_cella * cell_metres;
    record.celle.assign(static_cast<std::size_t>(ultima_cella) + 1, cella{});
}

// A compile context whose line half has run: the grid exists, `e` is the next indicator-board
// entry, and the train source file is written by the test.
struct train_fixture {
    explicit train_fixture(std::int32_t ultima_cella = builtin_ultima_cella, std::int32_t e = 80)
        : context(compile_options{folder.string(), builtin_identity(), true}) {
        make_grid(context.record, ultima_cella);
        context.prossima_voce_cartello = e;
    }

    std::string train_path() const { return context.train_source_path(); }
    bool train_file_exists() const { return std::filesystem::exists(train_path()); }

    void write_train_file(std::string_view content) const {
        (void)replace_file(train_path(), content);
    }

    // Writes the records after a "[generale]" line, each on its own line, closed by
    // "[fine]", and reads the file.
    void read(std::initializer_list<std::string_view> records) {
        std::string content = "[generale]\r\n";
        for (const std::string_view line : records) {
            content.append(line).append("\r\n");
        }
        content += "[fine]\r\n";
        read_content(content);
    }

    void read_content(std::string_view content) {
        write_train_file(content);
        read_train_file(context);
    }

    cella& cell(std::int64_t i) { return context.record.celle[static_cast<std::size_t>(i)]; }
    voce& entry(int k) { return context.record.voci[static_cast<std::size_t>(k)]; }
    std::int32_t codice() const { return context.errors.codice_errore; }
    std::int32_t posizione() const { return context.errors.posizione_errore; }

    temporary_folder folder;
    compile_context context;
};

namespace detail {
inline void add_field(std::string& text, std::string_view name, std::int64_t value) {
    if (value != 0) {
        text.append(text.empty() ? "" : " ").append(name).append(" ").append(std::to_string(value));
    }
}
}  // namespace detail

// The non-zero fields of a cell, "-" for an empty cell: "tipo 1 dato1 40 dato2 10 dato4 3".
inline std::string dump(const cella& cell) {
    std::string text;
    detail::add_field(text, "tipo", cell.tipo);
    detail::add_field(text, "dato1", cell.dato1);
    detail::add_field(text, "dato2", cell.dato2);
    detail::add_field(text, "dato3", cell.dato3);
    detail::add_field(text, "dato4", cell.dato4);
    detail::add_field(text, "extra1", cell.extra1);
    detail::add_field(text, "extra2", cell.extra2);
    detail::add_field(text, "extra3", cell.extra3);
    detail::add_field(text, "extra4", cell.extra4);
    detail::add_field(text, "extra5", cell.extra5);
    detail::add_field(text, "extra6", cell.extra6);
    return text.empty() ? "-" : text;
}

// The non-zero fields of an entry and its text in quotes, "-" for an empty entry.
inline std::string dump(const voce& entry) {
    std::string text;
    detail::add_field(text, "tipo", entry.tipo);
    detail::add_field(text, "valore1", entry.valore1);
    detail::add_field(text, "valore2", entry.valore2);
    detail::add_field(text, "valore3", entry.valore3);
    detail::add_field(text, "stato", entry.stato);
    if (!entry.testo.empty()) {
        text.append(text.empty() ? "" : " ").append("'").append(entry.testo).append("'");
    }
    detail::add_field(text, "numero1", entry.numero1);
    detail::add_field(text, "numero2", entry.numero2);
    detail::add_field(text, "numero3", entry.numero3);
    detail::add_field(text, "numero4", entry.numero4);
    detail::add_field(text, "numero5", entry.numero5);
    detail::add_field(text, "extra1", entry.extra1);
    detail::add_field(text, "extra2", entry.extra2);
    detail::add_field(text, "extra3", entry.extra3);
    detail::add_field(text, "extra4", entry.extra4);
    detail::add_field(text, "valore4", entry.valore4);
    return text.empty() ? "-" : text;
}

// The cells that differ from an empty cell, as "index: dump" lines: a compact picture of
// what a reader or the pass wrote.
inline std::string dump_occupied(const scenario_record& record) {
    std::string text;
    for (std::size_t i = 0; i < record.celle.size(); ++i) {
        if (!(record.celle[i] == cella{})) {
            text += std::to_string(i) + ": " + dump(record.celle[i]) + "\n";
        }
    }
    return text;
}

}  // namespace scenario::test_support
