#include "compiler/source_reading.h"

#include <utility>

namespace scenario {

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
            read = key_read::comment_read_as_key;
            break;
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

header_search find_general_header(source_reading& reading) {
    while (true) {
        if (!reading.cursor.read_field()) {
            return header_search::failed;
        }
        if (reading.cursor.at_end()) {
            return header_search::end_of_file;
        }
        if (contains_ignoring_case(reading.record.riga, "[generale]")) {
            return header_search::found;
        }
    }
}

void warn_about_comment_read_as_record(source_reading& reading, std::string_view word,
                                       std::string_view record_name) {
    reading.errors.warn(reading.cursor.record_start(),
                        "a third comment line in a row is not passed over but read as a "
                        "record: it holds \"" +
                            std::string(word) + "\", so it is read as a " +
                            std::string(record_name) +
                            " record; an empty line between the comments starts a new run");
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

std::string record_at(std::string_view what, std::int32_t position) {
    return std::string(what) + " at " + std::to_string(position) + " m";
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

record_outcome refuse_no_room(source_reading& reading, std::int32_t posizione, std::string detail) {
    return end_with_error(reading, error_code::no_room, posizione, std::move(detail));
}

}  // namespace scenario
