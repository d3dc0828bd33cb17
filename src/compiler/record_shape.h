// The shape of a record in its lines, as the author wrote it and as the reader takes it. The
// reader does not see lines: a record takes its values from the next line when its own line
// ends too early, and the values that its line holds beyond those it takes are read where a
// keyword is expected. A comma always ends a field, so "12,000" and "-5,5" are two numbers
// each. These checks tell the author; they change nothing that is read.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "compiler/source_reading.h"

namespace scenario {

// A field that the reader has yet to read, with where it stands.
struct line_field {
    std::string text;
    field_location place;
};

// The fields, other than empty ones, that are left on the line where the cursor stands (none
// when its last read ended its line). Read from a copy of the field reader, as text fields,
// the way they are read where a keyword is expected.
std::vector<line_field> fields_left_on_line(const source_cursor& cursor);

// What becomes of a field read where a keyword is expected, said after the field: ", and
// passed over", ", as a comment", ", as a section header", ", as a pendenza record", ", as the
// sfondo uno setting".
std::string fate_of(const source_reading& reading, std::string_view field);
// The same said of the first of several fields: "is passed over", "is taken as a comment",
// "starts a pendenza record", "starts the sfondo uno setting".
std::string fate_of_first(const source_reading& reading, std::string_view field);

// A number written with a comma inside it ("12,000", "-5,5"), which the reader takes as two.
struct split_number {
    std::string text;        // as written
    int column = 0;          // where it begins in its line, from 1
    bool thousands = false;  // one to three digits, a comma and three digits
};

// The split numbers of a line from `from_column` on: a run of digits (after an optional "-"),
// a comma and a run of digits, standing alone between blanks or commas; a chain such as
// "4,0,0" is a list of values, not a split number.
std::vector<split_number> find_split_numbers(std::string_view line, int from_column);

}  // namespace scenario
