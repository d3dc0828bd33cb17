#include "compiler/line_reader.h"

#include <array>
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
bool find_general_header(line_reading& reading) {
    scenario_record& record = reading.record;
    source_cursor& cursor = reading.cursor;
    while (true) {
        if (!cursor.read_field()) {
            return false;
        }
        if (cursor.at_end()) {
            // The whole file is at fault, not one of its lines.
            reading.context.errors.record(
                102, std::nullopt, {cursor.path(), 0, 0},
                "the line file has no \"[generale]\" header: nothing in it can be read");
            delete_source(reading.context, cursor.path());
            return false;
        }
        if (contains_ignoring_case(record.riga, "[generale]")) {
            return true;
        }
    }
}

// The next section header ends the general part; a comment that happens to hold brackets
// does not.
bool is_section_header(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    return contains(field, "[") && contains(field, "]") && first != std::string_view::npos &&
           field[first] != '-';
}

// The general part. False when the reading has ended.
bool read_general_part(line_reading& reading) {
    source_cursor& cursor = reading.cursor;
    while (!cursor.at_end()) {
        cursor.leave_record();
        if (!cursor.read_field()) {
            return false;
        }
        if (cursor.at_end()) {
            break;
        }
        // Comments are passed over ten at most; a longer run has its eleventh field examined
        // like a key. These reads do not look for the end of the file.
        for (int skipped = 0; skipped < 10; ++skipped) {
            if (contains(reading.record.riga, "-") && !cursor.read_field()) {
                return false;
            }
        }
        cursor.mark_record();
        const std::string key = reading.record.riga;
        if (!read_settings(reading, key)) {
            return false;
        }
        if (is_section_header(key)) {
            break;
        }
    }
    return true;
}

enum class key_read { key, third_comment, end_of_file, failed };

// Reads the field that the next record starts with, passing over at most two comment lines;
// a third comment in a row is read as a key like any other field.
key_read read_record_key(line_reading& reading) {
    source_cursor& cursor = reading.cursor;
    cursor.leave_record();
    if (cursor.at_end()) {
        return key_read::end_of_file;
    }
    for (int comments = 0; comments <= 2; ++comments) {
        if (!cursor.read_field()) {
            return key_read::failed;
        }
        if (cursor.at_end()) {
            return key_read::end_of_file;
        }
        if (!contains(reading.record.riga, "-")) {
            break;
        }
        if (comments == 2) {
            return key_read::third_comment;
        }
    }
    return key_read::key;
}

// The record kinds in the order in which a key is tested for them. The tests are not
// exclusive: every kind whose words the key holds is read, in this order, from the same key.
struct record_kind {
    std::string_view word;
    std::string_view second_word;  // also required when not empty
    bool needs_plan;               // read only when the line itself is compiled
    record_outcome (*read)(line_reading&, const std::string& key);
};

constexpr std::array<record_kind, 5> record_kinds = {{
    {"pendenza", "", false, [](line_reading& r, const std::string&) { return read_gradient(r); }},
    {"curva", "", true, read_curve},
    {"montagna", "", false, [](line_reading& r, const std::string&) { return read_mountain(r); }},
    {"indicatori_v", "", false,
     [](line_reading& r, const std::string&) { return read_speed_board(r); }},
    {"cartello", "indicat", false,
     [](line_reading& r, const std::string&) { return read_indicator_board(r); }},
}};

bool names_kind(const line_reading& reading, const record_kind& kind, const std::string& key) {
    return (!kind.needs_plan || reading.record.compila_linea != 0) &&
           contains_ignoring_case(key, kind.word) &&
           (kind.second_word.empty() || contains_ignoring_case(key, kind.second_word));
}

record_outcome read_record(line_reading& reading, const std::string& key) {
    for (const record_kind& kind : record_kinds) {
        if (!names_kind(reading, kind, key)) {
            continue;
        }
        if (const record_outcome outcome = kind.read(reading, key);
            outcome != record_outcome::next) {
            return outcome;
        }
    }
    return record_outcome::next;
}

// A comment that holds a record's key is read as that record when it is the third comment in
// a row: most likely the author meant it as a comment.
void warn_about_third_comment(line_reading& reading, const std::string& key) {
    for (const record_kind& kind : record_kinds) {
        if (names_kind(reading, kind, key)) {
            reading.context.errors.warn(
                reading.cursor.record_start(),
                "a third comment line in a row is not passed over but read as a record: it "
                "holds \"" +
                    std::string(kind.word) + "\", so it is read as a " + std::string(kind.word) +
                    " record; an empty line between the comments starts a new run");
            return;
        }
    }
}

line_half_end read_record_part(line_reading& reading) {
    compile_context& context = reading.context;
    if (!reading.record.has_grid()) {
        // Every record is placed on the grid that the line length sizes.
        record_runtime_failure(context, reading.cursor.here(),
                               "the line file has no \"lunghezza percorso\" setting before "
                               "its records: the cell grid cannot be sized");
        return line_half_end::returned;
    }
    context.prossima_voce_cartello = entry::first_board_text;
    start_plan(reading);

    while (true) {
        const key_read read = read_record_key(reading);
        if (read == key_read::failed) {
            return line_half_end::returned;
        }
        if (read == key_read::end_of_file) {
            break;
        }
        reading.cursor.mark_record();
        const std::string key = reading.record.riga;
        if (read == key_read::third_comment) {
            warn_about_third_comment(reading, key);
        }
        const record_outcome outcome = read_record(reading, key);
        if (outcome == record_outcome::returned) {
            return line_half_end::returned;
        }
        if (outcome == record_outcome::end_of_reading) {
            break;
        }
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
    std::error_code error;
    const std::filesystem::file_status found = std::filesystem::status(path, error);
    if (!std::filesystem::is_regular_file(found)) {
        context.errors.record(101, std::nullopt, {path, 0, 0}, no_line_file_detail(found));
        return line_half_end::returned;
    }
    std::string content;
    if (const status read = read_whole_file(path, content); !read.ok()) {
        record_runtime_failure(context, {path, 0, 0}, read.message());
        return line_half_end::returned;
    }

    source_cursor cursor(context, path, std::move(content));
    line_reading reading(context, cursor);
    if (!find_general_header(reading) || !read_general_part(reading)) {
        return line_half_end::returned;
    }
    progressive_ordina(record);
    return read_record_part(reading);
}

}  // namespace scenario
