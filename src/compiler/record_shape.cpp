#include "compiler/record_shape.h"

#include <cstddef>
#include <utility>

#include "compiler/unread_fields.h"

namespace scenario {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_separator(char c) {
    return c == ' ' || c == '\t' || c == ',';
}

std::string fields_text(int count) {
    return count == 1 ? "1 field" : std::to_string(count) + " fields";
}

std::string values_text(int count) {
    return count == 1 ? "1 value" : std::to_string(count) + " values";
}

// "\"5\" is read where a keyword is expected, and passed over", or for several fields the
// same of the first and how many follow it.
std::string surplus_fate(const source_reading& reading, const std::vector<line_field>& left) {
    const std::string first = quoted_field(left.front().text);
    if (left.size() == 1) {
        return first + " is read where a keyword is expected" + fate_of(reading, left.front().text);
    }
    return "they are read where a keyword is expected, and the first, " + first + ", " +
           fate_of_first(reading, left.front().text);
}

// The text of the field at a place, as it stands in its line: to the next comma, without the
// blanks at its end.
std::string field_at(const source_cursor& cursor, field_location place) {
    const std::string_view line = cursor.line_text(place.line);
    const auto start = static_cast<std::size_t>(place.column > 0 ? place.column - 1 : 0);
    if (start >= line.size()) {
        return "";
    }
    std::string_view text = line.substr(start, line.find(',', start) - start);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

// A record that took values from a later line, told at the end of its own line, where the
// values are missing.
void tell_run_on(source_reading& reading, int values, const std::vector<line_field>& left) {
    const source_cursor& cursor = reading.cursor;
    const int key_line = cursor.record_key_place().line;
    const int first_later = cursor.first_value_on_later_line();
    const field_location later = cursor.first_later_place();
    const int last_line = cursor.last_value_line();
    const int on_own_line = first_later - 1;
    std::string message = cursor.record_phrase() + " has " +
                          (on_own_line == 0 ? std::string("none") : std::to_string(on_own_line)) +
                          " of its " + values_text(values) + " on its own line: ";
    if (first_later == values) {
        message += "value " + std::to_string(values) + ", " +
                   quoted_field(field_at(cursor, later)) + ", is taken from line " +
                   std::to_string(later.line);
    } else {
        message += "values " + std::to_string(first_later) + " to " + std::to_string(values) +
                   " are taken from " +
                   (last_line == later.line ? "line " + std::to_string(later.line)
                                            : "lines " + std::to_string(later.line) + " to " +
                                                  std::to_string(last_line)) +
                   ", from " + quoted_field(field_at(cursor, later)) + " on";
    }
    if (!left.empty()) {
        message += "; the rest of line " + std::to_string(left.front().place.line) + ", " +
                   fields_text(static_cast<int>(left.size())) + " from " +
                   quoted_field(left.front().text) +
                   " on, is read where a keyword is expected, and its first field " +
                   fate_of_first(reading, left.front().text);
    } else {
        message += "; write each record on one line";
    }
    const int end_column = static_cast<int>(cursor.line_text(key_line).size()) + 1;
    reading.cursor.warn_at(warning_code::values_on_later_line, {key_line, end_column},
                           std::move(message));
    reading.errors.relate_latest(reading.cursor.point_at(later),
                                 first_later == values
                                     ? "value " + std::to_string(values) + " is taken from here"
                                     : "values " + std::to_string(first_later) + " to " +
                                           std::to_string(values) + " are taken from here on");
}

// A record whose line holds more than it takes: told at the first field too many, or at a
// number that a comma split, which is the likely cause.
void tell_surplus(source_reading& reading, int values, const std::vector<line_field>& left) {
    const source_cursor& cursor = reading.cursor;
    const field_location key = cursor.record_key_place();
    std::string consequence = cursor.record_phrase() + " takes " + values_text(values) +
                              ", and its line holds " + std::to_string(left.size()) +
                              " more: " + surplus_fate(reading, left);
    if (cursor.last_value_was_text()) {
        // A name or a board text is the record's last value: a value too many moves it.
        consequence += "; its last value, the text, is " + quoted_field(reading.record.riga);
    }
    const std::vector<split_number> splits =
        find_split_numbers(cursor.line_text(key.line), key.column);
    if (splits.empty()) {
        reading.cursor.warn_at(warning_code::surplus_values, left.front().place, consequence);
        return;
    }
    for (std::size_t i = 0; i < splits.size(); ++i) {
        const split_number& split = splits[i];
        const std::size_t comma = split.text.find(',');
        std::string message = quoted_field(split.text) + " is read as two numbers, " +
                              split.text.substr(0, comma) + " and " + split.text.substr(comma + 1) +
                              ": a comma always ends a field, so ";
        message += split.thousands
                       ? "a number takes no thousands separator (write " +
                             split.text.substr(0, comma) + split.text.substr(comma + 1) + ")"
                       : "a number takes no decimal comma (numbers are whole)";
        if (i == 0) {
            message += "; " + consequence;
        }
        reading.cursor.warn_at(warning_code::split_number, {key.line, split.column},
                               std::move(message));
    }
}

}  // namespace

std::vector<line_field> fields_left_on_line(const source_cursor& cursor) {
    std::vector<line_field> left;
    if (cursor.at_line_start()) {
        return left;
    }
    field_reader ahead = cursor.look_ahead();
    const int line = ahead.current_line();
    std::string text;
    while (!ahead.at_end() && ahead.current_line() == line) {
        if (ahead.read_text(text) != read_result::ok) {
            break;
        }
        if (!text.empty()) {
            left.push_back({text, ahead.last_field()});
        }
    }
    return left;
}

namespace {

enum class fate { passed_over, comment, section_header, named };

fate fate_kind(const source_reading& reading, std::string_view field, const keyword*& kind) {
    kind = nullptr;
    if (contains(field, "-")) {
        return fate::comment;
    }
    if (is_section_header(field)) {
        return fate::section_header;
    }
    for (const keyword* named : keywords_read_in(reading.part)) {
        if (named->named_by(field)) {
            kind = named;
            return fate::named;
        }
    }
    return fate::passed_over;
}

}  // namespace

std::string fate_of(const source_reading& reading, std::string_view field) {
    const keyword* kind = nullptr;
    switch (fate_kind(reading, field, kind)) {
        case fate::comment:
            return ", as a comment";
        case fate::section_header:
            return ", as a section header";
        case fate::named:
            return ", as " + kind->a_phrase();
        case fate::passed_over:
            break;
    }
    return ", and passed over";
}

std::string fate_of_first(const source_reading& reading, std::string_view field) {
    const keyword* kind = nullptr;
    switch (fate_kind(reading, field, kind)) {
        case fate::comment:
            return "is taken as a comment";
        case fate::section_header:
            return "is taken as a section header";
        case fate::named:
            return "starts " + kind->a_phrase();
        case fate::passed_over:
            break;
    }
    return "is passed over";
}

std::vector<split_number> find_split_numbers(std::string_view line, int from_column) {
    std::vector<split_number> found;
    bool chains = false;
    std::size_t i = from_column > 1 ? static_cast<std::size_t>(from_column - 1) : 0;
    const std::size_t n = line.size();
    while (i < n) {
        if (!is_digit(line[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i > 0 && line[i - 1] == '-' ? i - 1 : i;
        std::size_t j = i;
        while (j < n && is_digit(line[j])) {
            ++j;
        }
        if (j + 1 >= n || line[j] != ',' || !is_digit(line[j + 1])) {
            i = j;
            continue;
        }
        std::size_t k = j + 1;
        while (k < n && is_digit(line[k])) {
            ++k;
        }
        const bool alone_before = start == 0 || is_separator(line[start - 1]);
        const bool alone_after = k == n || is_separator(line[k]);
        // "4,0,0": values listed without blanks are a chain, not one number.
        const bool chained_before =
            start >= 2 && line[start - 1] == ',' && is_digit(line[start - 2]);
        const bool chained_after = k + 1 < n && line[k] == ',' && is_digit(line[k + 1]);
        if (chained_before || chained_after) {
            chains = true;
        } else if (alone_before && alone_after) {
            const std::size_t before_comma = j - i;
            const std::size_t after_comma = k - j - 1;
            found.push_back({std::string(line.substr(start, k - start)),
                             static_cast<int>(start) + 1, before_comma <= 3 && after_comma == 3});
        }
        i = k;
    }
    // A line that lists values with tight commas ("4,1,1") writes "8,15" as two values too:
    // only a group of three digits is then taken for a thousands separator.
    if (chains) {
        std::erase_if(found, [](const split_number& split) { return !split.thousands; });
    }
    return found;
}

void check_record_shape_slowly(source_reading& reading, int values) {
    if (!reading.record_complete) {
        // A read of the record failed: its error tells what the record took.
        return;
    }
    // A line is told about once: the records after the first on a line already told about
    // would each be told of the same rest of the line, and reading that rest again for each of
    // them costs the square of the line's length.
    if (reading.cursor.first_value_on_later_line() == 0 &&
        reading.cursor.record_key_place().line == reading.told_line) {
        return;
    }
    const std::vector<line_field> left = fields_left_on_line(reading.cursor);
    if (reading.cursor.first_value_on_later_line() != 0) {
        tell_run_on(reading, values, left);
    } else if (!left.empty()) {
        tell_surplus(reading, values, left);
    }
    if (!left.empty()) {
        reading.told_line = left.front().place.line;
    }
}

}  // namespace scenario
