#include "compiler/line_reader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "compiler/line_reading.h"
#include "source/file_access.h"

namespace scenario {
namespace {

// Only a normal file is a line file; the author is told what stands at its path instead.
std::string no_line_file_detail(const std::filesystem::file_status& found) {
    if (std::filesystem::is_directory(found)) {
        return "the line file is a directory, not a file";
    }
    if (std::filesystem::exists(found)) {
        return "the line file is not a regular file";
    }
    return "the line file does not exist";
}

// Reads up to the general header. False when the reading has ended.
bool find_header(line_reading& reading) {
    switch (find_general_header(reading)) {
        case header_search::found:
            return true;
        case header_search::end_of_file:
            // The whole file is at fault, not one of its lines.
            reading.errors.record(
                error_code::no_general_header, std::nullopt, {reading.cursor.path(), 0, 0},
                "the line file has no \"[generale]\" header: nothing in it can be read");
            delete_source(reading.context, reading.cursor.path());
            return false;
        case header_search::failed:
            return false;
    }
    return false;
}

// The general part, up to the next section header (a comment that happens to hold brackets
// does not end it). False when the reading has ended.
bool read_general_part(line_reading& reading) {
    reading.part = source_part::line_general;
    while (true) {
        // A longer run of comments than the rule passes over has its next field examined
        // like a key; the general part says nothing about it.
        const key_read read = read_key(reading, general_part_comments);
        if (read == key_read::failed) {
            return false;
        }
        if (read == key_read::end_of_file) {
            return true;
        }
        if (read_settings(reading) == record_outcome::returned) {
            if (!reading.context.reads_past_errors()) {
                return false;
            }
            if (!resume_after_failed_record(reading)) {
                return true;
            }
            continue;
        }
        if (is_section_header(reading.key)) {
            reading.general_end_line = reading.cursor.record_key_place().line;
            return true;
        }
    }
}

bool draws_plan(const line_reading& reading) {
    return reading.record.compila_linea != 0;
}

// The record kinds in the order in which a key is tested for them. A curve is read only
// where the plan of the line is drawn; otherwise its key and values pass as ignored fields.
constexpr keyword_table<line_reading, 5> record_kinds = {{
    {&keywords::pendenza, read_gradient},
    {&keywords::curva, read_curve, draws_plan},
    {&keywords::montagna, read_mountain},
    {&keywords::indicatori_vmax, read_speed_board},
    {&keywords::cartello_indicatore, read_indicator_board},
}};

line_half_end read_record_part(line_reading& reading) {
    compile_context& context = reading.context;
    reading.part = source_part::line_records;
    if (!reading.record.has_grid()) {
        // Every record is placed on the grid that the line length sizes.
        record_runtime_failure(context, reading.cursor.here(),
                               "the line file has no \"lunghezza percorso\" setting before "
                               "its records: the cell grid cannot be sized");
        if (!context.reads_past_errors()) {
            return line_half_end::returned;
        }
        // A scan goes on with the largest grid, to find the mistakes that a grid can show.
        create_grid(context, lunghezza_massima);
    }
    context.prossima_voce_cartello = entry::first_board_text;
    start_plan(reading);

    if (read_records(reading, record_kinds) == record_outcome::returned) {
        return line_half_end::returned;
    }
    delete_source(context, context.line_source_path());
    finish_gradients(reading);
    finish_plan(reading);
    return line_half_end::train_follows;
}

}  // namespace

line_half_end read_line_file(compile_context& context) {
    scenario_record& record = context.record;
    record.voci[entry::route].testo = context.options.identity.nome_percorso;
    record.voci[entry::train].testo = context.options.identity.numero_treno;

    const std::string path = context.line_source_path();
    const bool kept = source_held_in_memory(context, path);
    std::error_code error;
    const std::filesystem::file_status found = std::filesystem::status(path, error);
    if (!kept && !std::filesystem::is_regular_file(found)) {
        context.errors.record(error_code::no_line_file, std::nullopt, {path, 0, 0},
                              no_line_file_detail(found));
        return line_half_end::returned;
    }
    std::string content;
    if (const status read = read_source_content(context, path, content); !read.ok()) {
        record_runtime_failure(context, {path, 0, 0}, read.message());
        return line_half_end::returned;
    }

    source_cursor cursor(context, path, std::move(content), source_file::line);
    line_reading reading(context, cursor);
    if (!find_header(reading)) {
        return line_half_end::returned;
    }
    if (!read_general_part(reading) && !context.reads_past_errors()) {
        return line_half_end::returned;
    }
    progressive_ordina(record, &context.origins);
    return read_record_part(reading);
}

}  // namespace scenario
