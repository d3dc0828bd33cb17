#include "compiler/source_reading.h"

#include <string>
#include <utility>
#include <vector>

#include "compiler/record_shape.h"
#include "compiler/source_file_checks.h"
#include "compiler/unread_fields.h"

namespace scenario {
namespace {

// A comment that ends at a comma leaves the rest of its line to be read where a keyword is
// expected.
void tell_comment_with_comma(source_reading& reading) {
    const field_location comment = reading.cursor.place();
    const std::vector<line_field> rest = fields_left_on_line(reading.cursor);
    if (rest.empty()) {
        return;
    }
    reading.cursor.warn_at(warning_code::comment_with_comma, comment,
                           "this comment holds a comma, which ends a field: the rest of "
                           "the line, from " +
                               quoted_field(rest.front().text) +
                               ", is read where a keyword is expected" +
                               fate_of(reading, rest.front().text));
    reading.told_line = comment.line;
}

// A section header without one of its brackets is no header: in the line file's general
// part it does not end the part, and the records after it are not read.
void tell_unclosed_header(source_reading& reading, const std::string& key, field_location place) {
    const bool opened = contains(key, "[");
    std::string message = "this section header has no " +
                          std::string(opened ? "closing \"]\"" : "opening \"[\"") +
                          ", so it is no header";
    if (reading.part == source_part::line_general) {
        message +=
            ": it does not end the general part, and the records after it are read as settings "
            "and passed over, up to the next header";
    } else {
        message += ", and it is passed over";
    }
    reading.cursor.warn_at(warning_code::unclosed_header, place,
                           message + "; write it with both brackets");
    reading.told_line = place.line;
}

}  // namespace

key_read read_key(source_reading& reading, comment_rule rule) {
    source_cursor& cursor = reading.cursor;
    const std::string& riga = reading.record.riga;
    cursor.leave_record();
    if (cursor.at_end()) {
        return key_read::end_of_file;
    }
    if (!cursor.read_field()) {
        return key_read::failed;
    }
    if (cursor.at_end()) {
        return key_read::end_of_file;
    }
    key_read read = key_read::key;
    for (int passed = 0; contains(riga, "-"); ++passed) {
        if (passed == rule.most_passed_over) {
            // Read as a key: a comma after it ends the key like any other.
            read = key_read::comment_read_as_key;
            break;
        }
        if (cursor.ended_at_comma()) {
            tell_comment_with_comma(reading);
        }
        if (!cursor.read_field()) {
            return key_read::failed;
        }
        if (rule.end_of_file_ends_run && cursor.at_end()) {
            return key_read::end_of_file;
        }
    }
    cursor.mark_record();
    reading.key = riga;
    return read;
}

header_search find_general_header(source_reading& reading, header_guess* guess) {
    // A key written before the header is told only once the header is found: a file without
    // one is told once, at the file, not at each of its lines.
    struct early_key {
        field_location place;
        std::string message;
    };
    std::vector<early_key> early_keys;
    while (true) {
        if (!reading.cursor.read_field()) {
            return header_search::failed;
        }
        if (reading.cursor.at_end()) {
            return header_search::end_of_file;
        }
        const std::string& field = reading.record.riga;
        if (contains_ignoring_case(field, "[generale]")) {
            reading.cursor.note_general_header();
            for (early_key& key : early_keys) {
                reading.cursor.warn_at(warning_code::key_before_header, key.place,
                                       std::move(key.message));
            }
            return header_search::found;
        }
        if (guess != nullptr) {
            guess->consider(field, reading.cursor.place());
        }
        // The preamble is free text; only a key written there before its time is told.
        const int line = reading.cursor.place().line;
        if (line != reading.told_line && !contains(field, "-") &&
            find_kind_elsewhere(field, reading.part).kind != nullptr) {
            early_keys.push_back(
                {reading.cursor.place(),
                 passed_over_message(field, reading.part,
                                     static_cast<int>(fields_left_on_line(reading.cursor).size()),
                                     0)});
            reading.told_line = line;
        }
    }
}

void tell_unread_key(source_reading& reading) {
    const std::string& key = reading.key;
    // Empty lines and section headers are passed over by design, and a comment read as a key
    // is only told when it names a record (warn_about_comment_read_as_record), or when a comma
    // in it leaves the rest of its line to be read.
    if (contains(key, "-")) {
        if (reading.cursor.ended_at_comma()) {
            tell_comment_with_comma(reading);
        }
        return;
    }
    if (key.empty() || is_section_header(key)) {
        return;
    }
    const field_location place = reading.cursor.record_key_place();
    if (place.line == reading.told_line) {
        return;
    }
    if (is_unclosed_header(key)) {
        tell_unclosed_header(reading, key, place);
        return;
    }
    if (!reading.errors.keeps_more_warnings()) {
        // Counted only: its message and its mend, which compare the key with every keyword,
        // would be composed for nobody.
        reading.cursor.warn_at(warning_code::unread_key, place, {});
        reading.told_line = place.line;
        return;
    }
    const int after = static_cast<int>(fields_left_on_line(reading.cursor).size());
    recorded_warning& warning = reading.cursor.warn_at(
        warning_code::unread_key, place,
        passed_over_message(key, reading.part, after, reading.general_end_line));
    if (const std::optional<field_edit> mend = mend_key(key, reading.part)) {
        const int column = place.column + static_cast<int>(mend->offset);
        warning.fix = text_fix{reading.cursor.point_at({place.line, column}),
                               column + static_cast<int>(mend->length), mend->replacement,
                               "write `" + mend->replacement + "`"};
    }
    reading.told_line = place.line;
}

void warn_about_key_naming_two_kinds(source_reading& reading, const keyword& first,
                                     const keyword& second) {
    reading.cursor.warn_at(warning_code::keyword_match, reading.cursor.record_key_place(),
                           "the key " + quoted_field(reading.key) + " names both " +
                               first.the_phrase() + " and " + second.the_phrase() +
                               ": both are read, one after the other, from the values that "
                               "follow; write one keyword in the field and put notes on a "
                               "comment line");
}

void warn_about_comment_read_as_record(source_reading& reading, const keyword& kind) {
    reading.errors.warn(warning_code::comment_read_as_record, reading.cursor.record_start(),
                        "a third comment line in a row is not passed over but read as a "
                        "record: it holds \"" +
                            std::string(kind.word) + "\", so it is read as " + kind.a_phrase() +
                            "; an empty line between the comments starts a new run");
}

bool resume_after_failed_record(source_reading& reading) {
    source_cursor& cursor = reading.cursor;
    if (cursor.at_end()) {
        return false;
    }
    const int failed_line = cursor.place().line;
    if (!reading.record_complete && failed_line > cursor.record_key_place().line) {
        // The record took a field from a later line: that line is read again as what it is.
        cursor.resume_at_line(failed_line);
    } else if (!cursor.at_line_start()) {
        cursor.resume_at_line(cursor.current_line() + 1);
    }
    return !cursor.at_end();
}

bool read_numbers(source_cursor& cursor, std::initializer_list<std::int32_t*> targets) {
    for (std::int32_t* target : targets) {
        if (!cursor.read_int32(*target)) {
            return false;
        }
    }
    return true;
}

bool read_number_keeping_old(source_cursor& cursor, std::int32_t& target) {
    std::int32_t value = 0;
    if (!cursor.read_int32(value)) {
        return false;
    }
    target = value;
    return true;
}

bool beyond_placement_limit(const scenario_record& record, std::int32_t p, int margin) {
    // Computed as a real, as the limit has always been, so that no sum can overflow.
    return (static_cast<double>(p) + margin) / cell_metres > record.ultima_cella;
}

record_outcome stop_beyond_grid(source_reading& reading, std::int32_t position,
                                std::string detail) {
    reading.errors.record(error_code::beyond_grid, position, reading.cursor.record_start(),
                          std::move(detail));
    return record_outcome::end_of_reading;
}

record_outcome end_with_error(source_reading& reading, const error_code_entry& code,
                              std::optional<std::int32_t> posizione, std::string detail) {
    delete_source(reading.context, reading.cursor.path());
    reading.errors.record(code, posizione, reading.cursor.record_start(), std::move(detail));
    return record_outcome::returned;
}

record_outcome end_at_taken_cell(source_reading& reading, const error_code_entry& code,
                                 std::int32_t posizione, std::string detail, std::int64_t cell) {
    const record_outcome outcome = end_with_error(reading, code, posizione, std::move(detail));
    relate_cell_holder(reading.context, cell);
    return outcome;
}

void relate_cell_holder(compile_context& context, std::int64_t cell) {
    const record_origin& holder = context.origins.cell(static_cast<std::size_t>(cell));
    if (holder.known()) {
        context.errors.relate_latest(context.origins.point_of(holder),
                                     "cell " + std::to_string(cell) + " holds what " +
                                         record_origins::name_of(holder) + " placed");
    }
}

void note_error_and_go_on(source_reading& reading, const error_code_entry& code,
                          std::optional<std::int32_t> posizione, std::string detail) {
    reading.errors.record(code, posizione, reading.cursor.record_start(), std::move(detail));
}

record_outcome refuse_no_room(source_reading& reading, std::int32_t posizione, std::string detail) {
    return end_with_error(reading, error_code::no_room, posizione, std::move(detail));
}

}  // namespace scenario
