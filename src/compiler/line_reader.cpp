#include "compiler/line_reader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "compiler/line_reading.h"
#include "compiler/source_file_checks.h"
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
bool find_header(line_reading& reading, text_encoding encoding) {
    header_guess guess;
    switch (find_general_header(reading, &guess)) {
        case header_search::found:
            return true;
        case header_search::end_of_file:
            // The whole file is at fault, not one of its lines.
            reading.errors.record(error_code::no_general_header, std::nullopt,
                                  {reading.cursor.path(), 0, 0},
                                  missing_header_detail(source_file::line, encoding, guess));
            if (guess.found()) {
                reading.errors.relate_latest(reading.cursor.point_at(guess.where()),
                                             "this line may be the header, misspelt");
            }
            delete_source(reading.context, reading.cursor.path());
            return false;
        case header_search::failed:
            return false;
    }
    return false;
}

// Whether a section header follows where the cursor stands, read ahead on a copy: without
// one, the general part runs to the end of the file and no record of the file is read.
bool section_header_follows(const source_cursor& cursor) {
    field_reader ahead = cursor.look_ahead();
    std::string field;
    while (!ahead.at_end()) {
        if (ahead.read_text(field) != read_result::ok) {
            return true;  // nothing to tell: the reading itself fails there
        }
        // The field that ends at the end of the file is never examined.
        if (ahead.at_end()) {
            return false;
        }
        if (is_section_header(field)) {
            return true;
        }
    }
    return false;
}

const keyword* first_kind_named(std::string_view key, source_part part) {
    for (const keyword* kind : keywords_read_in(part)) {
        if (kind->named_by(key)) {
            return kind;
        }
    }
    return nullptr;
}

// The records of a line file whose general part never ends: told once, at the file.
struct records_in_general_part {
    int count = 0;
    const keyword* first = nullptr;
    field_location first_place;
};

void tell_records_never_read(line_reading& reading, const records_in_general_part& records) {
    reading.errors.warn(
        warning_code::no_record_part, {reading.cursor.path(), 0, 0},
        "the line file's general part runs to its end: no section header such as "
        "\"[pendenze]\" follows the settings, so none of its " +
            std::to_string(records.count) + (records.count == 1 ? " record" : " records") +
            " is read, and the line has no gradient, curve, board or mountain-side stretch; "
            "write a section header between the settings and the records");
    reading.errors.relate_latest(reading.cursor.point_at(records.first_place),
                                 "the first record, " + std::string(records.first->name) +
                                     ", is read as a setting and passed over");
}

// The general part, up to the next section header (a comment that happens to hold brackets
// does not end it). False when the reading has ended.
bool read_general_part(line_reading& reading) {
    reading.part = source_part::line_general;
    const bool header_follows = section_header_follows(reading.cursor);
    records_in_general_part records;
    while (true) {
        // A longer run of comments than the rule passes over has its next field examined
        // like a key; the general part says nothing about it.
        const key_read read = read_key(reading, general_part_comments);
        if (read == key_read::failed) {
            return false;
        }
        if (read == key_read::end_of_file) {
            if (records.count > 0) {
                tell_records_never_read(reading, records);
            }
            return true;
        }
        const keyword* record_kind = nullptr;
        if (!header_follows && first_kind_named(reading.key, reading.part) == nullptr) {
            record_kind = first_kind_named(reading.key, source_part::line_records);
        }
        if (record_kind != nullptr) {
            // Passed over as a record in the general part always is; told with the others
            // at the end of the file.
            if (records.count++ == 0) {
                records.first = record_kind;
                records.first_place = reading.cursor.record_key_place();
            }
            reading.told_line = reading.cursor.record_key_place().line;
            continue;
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
    std::shared_ptr<const source_text> text;
    if (const status read = read_source_content(context, path, text); !read.ok()) {
        record_runtime_failure(context, {path, 0, 0}, read.message());
        return line_half_end::returned;
    }

    const text_encoding encoding = tell_encoding(context, path, text->content(), source_file::line);
    source_cursor cursor(context, path, std::move(text), source_file::line);
    line_reading reading(context, cursor);
    if (!find_header(reading, encoding)) {
        return line_half_end::returned;
    }
    if (!read_general_part(reading) && !context.reads_past_errors()) {
        return line_half_end::returned;
    }
    check_general_settings(reading);
    progressive_ordina(record, &context.origins);
    return read_record_part(reading);
}

}  // namespace scenario
