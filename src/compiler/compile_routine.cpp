#include "compiler/compile_routine.h"

#include <algorithm>
#include <initializer_list>
#include <limits>
#include <optional>
#include <utility>

#include "compiler/grid_pass.h"
#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "format/compiled_files.h"
#include "format/scenario_codes.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// The format stamps of the item table and of the grid.
constexpr std::int16_t format_stamp = 610;
constexpr std::int16_t grid_stamp = 5121;

compile_outcome no_grid(const compile_context& context) {
    std::string message = "the line file " + context.line_source_path() + " gives no cell grid";
    if (!context.errors.errors().empty()) {
        const recorded_error& last = context.errors.errors().back();
        message += " (error " + std::to_string(last.codice) + ": " + last.detail + ")";
    }
    return {compile_outcome::end::no_grid, {}, message};
}

compile_outcome stamp_in_use(const error_code_entry& code, std::string message) {
    return {compile_outcome::end::stamp_in_use, std::to_string(code.codice), std::move(message)};
}

std::string slot_in_use(const cella& cell, const char* field, std::int16_t value,
                        const char* slot) {
    return "cell 1 holds an object of kind " + std::to_string(cell.tipo) + " with " + field +
           " = " + std::to_string(value) + ", where " + slot +
           " goes: no object that carries a value there may stand in the first 75 m of the "
           "line";
}

// Checks that the stamp slots are empty before filling them: the data of a source object in
// a slot would otherwise be lost under the stamp.
std::optional<compile_outcome> stamp(scenario_record& record) {
    voce& generale = record.voci[entry::route];
    cella& cella_1 = record.celle[1];
    if (generale.numero1 != 0 || cella_1.dato1 != 0) {
        return stamp_in_use(error_code::format_stamp_slot_taken,
                            slot_in_use(cella_1, "dato1", cella_1.dato1, "the format stamp"));
    }
    generale.numero1 = format_stamp;
    cella_1.dato1 = grid_stamp;
    if (generale.valore4 != 0 || cella_1.dato2 != 0) {
        return stamp_in_use(error_code::scenario_code_slot_taken,
                            slot_in_use(cella_1, "dato2", cella_1.dato2, "the scenario code"));
    }
    generale.valore4 = codice_gara_st(record.voci);
    cella_1.dato2 = codice_gara_og(record.voci);
    return std::nullopt;
}

status stage_compiled(const compile_context& context, const std::string& name,
                      const std::string& bytes, staged_file& staged) {
    bool handed_out = false;
    return stage_file_in_pieces(
        join_path(context.options.folder, name),
        [&]() -> file_piece {
            if (handed_out) {
                return {};
            }
            handed_out = true;
            return {0, bytes};
        },
        staged);
}

// The files are written whatever the error state holds. All three are written whole under
// their partial names before the first takes its real name: a failure while writing (a full
// disk, a file-size limit) leaves every file of an earlier compile as it was, so that the
// files in the folder stay one compile's. Only a failure between the renames, or a kill
// there, can leave a set out of step, which the readers of compiled files refuse.
compile_outcome write_compiled_files(const compile_context& context) {
    const scenario_record& record = context.record;
    const scenario_identity& identity = context.options.identity;
    const auto failed = [](const status& written) {
        return compile_outcome{compile_outcome::end::write_failed, {}, written.message()};
    };
    staged_file line;
    const bool with_line = record.compila_linea != 0 && record.profilo;
    if (with_line) {
        line_file_encoder encoder(*record.profilo);
        if (const status written = stage_file_in_pieces(
                join_path(context.options.folder, compiled_line_name(identity)),
                [&encoder] { return encoder.next_piece(); }, line);
            !written.ok()) {
            return failed(written);
        }
    }
    staged_file items;
    if (const status written =
            stage_compiled(context, item_file_name(identity), encode_item_file(record.voci), items);
        !written.ok()) {
        return failed(written);
    }
    staged_file grid;
    if (const status written =
            stage_compiled(context, grid_file_name(identity), encode_grid_file(record.celle), grid);
        !written.ok()) {
        return failed(written);
    }
    if (with_line) {
        if (const status placed = line.put_in_place(); !placed.ok()) {
            return failed(placed);
        }
    }
    for (staged_file* file : {&items, &grid}) {
        if (const status placed = file->put_in_place(); !placed.ok()) {
            return failed(placed);
        }
    }
    return {};
}

// The fields and records that the scan read past the compile's stop join the compile's map:
// the fields after the last one that the compile read in each file, and the records whose
// keys stand there.
void add_reading_beyond(compile_context& context, const compile_context& scan) {
    if (!context.options.map_reading) {
        return;
    }
    const auto read_up_to = [&](source_file file) -> std::pair<int, int> {
        const std::string path =
            file == source_file::line ? context.line_source_path() : context.train_source_path();
        for (const reading_extent& extent : context.extents) {
            if (extent.path == path) {
                constexpr int end = std::numeric_limits<int>::max();
                return extent.read_to_end
                           ? std::pair{end, end}
                           : std::pair{extent.last_read.line, extent.last_read.column};
            }
        }
        return {0, 0};  // a file that the compile never opened
    };
    const auto beyond = [&](source_file file, int line, int column) {
        return std::pair{line, column} > read_up_to(file);
    };
    for (const mapped_field& field : scan.reading.fields) {
        if (beyond(field.file, field.line, field.column)) {
            context.reading.fields.push_back(field);
        }
    }
    for (const mapped_record& record : scan.reading.records) {
        if (beyond(record.file, record.line, record.column)) {
            context.reading.records.push_back(record);
        }
    }
}

}  // namespace

void memorizza_dati(compile_context& context) {
    // A scan past the compile's stop reads the train file whatever became of the line file.
    if (read_line_file(context) == line_half_end::train_follows || context.reads_past_errors()) {
        read_train_file(context);
    }
}

compile_outcome memorizza_percorso(compile_context& context, std::int32_t j) {
    scenario_record& record = context.record;
    record = scenario_record{};  // every entry of `voci` zero, no grid and no plan yet
    record.compila_linea = j;
    // A context compiled again shows nothing of its last compile: no code, no position, no
    // logged error or warning and no source text. In a fresh context all of them are empty
    // already, the position 0.
    context.errors = error_state{};
    context.sources.clear();
    context.prossima_voce_cartello = entry::first_board_text;
    context.origins.clear();
    context.extents.clear();
    context.run = written_run{};
    context.fastest_board_speed = 0;
    context.reading.clear();

    memorizza_dati(context);
    if (!record.has_grid()) {
        return no_grid(context);
    }
    run_grid_pass(record, context.errors, &context.origins);
    if (!context.errors.text_errors().empty()) {
        // Every text is converted or the compile writes nothing.
        const std::size_t count = context.errors.text_errors().size();
        return {compile_outcome::end::text_not_converted,
                {},
                std::to_string(count) + (count == 1 ? " text holds" : " texts hold") +
                    " a character that Windows-1252, the simulator's code page, has no place "
                    "for"};
    }
    if (std::optional<compile_outcome> refused = stamp(record)) {
        return *refused;
    }

    if (!context.options.write_compiled_files) {
        return {};
    }
    return write_compiled_files(context);
}

void scan_beyond_compiled_part(compile_context& context) {
    const bool line_read = std::any_of(
        context.extents.begin(), context.extents.end(),
        [&](const reading_extent& extent) { return extent.path == context.line_source_path(); });
    const bool train_read = std::any_of(
        context.extents.begin(), context.extents.end(),
        [&](const reading_extent& extent) { return extent.path == context.train_source_path(); });
    const bool stopped =
        std::any_of(context.extents.begin(), context.extents.end(),
                    [](const reading_extent& extent) { return !extent.read_to_end; });
    // Without the line file there is nothing to scan; with both read to their ends, nothing
    // is left.
    if (!line_read || (!stopped && train_read)) {
        return;
    }
    const compiled_reading compiled{&context.sources, context.extents};
    compile_options options = context.options;
    options.delete_sources = false;
    options.scan_after = &compiled;
    compile_context scan(options);
    scan.record.compila_linea = context.record.compila_linea;
    memorizza_dati(scan);
    context.errors.add_beyond_compiled_part(scan.errors);
    add_reading_beyond(context, scan);
}

}  // namespace scenario
