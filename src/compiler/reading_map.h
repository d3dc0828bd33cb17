// How a compile read its sources, field by field and record by record, for an editor that
// shows the files as the compiler sees them: which fields were taken as keys, values,
// comments or section headers, which were passed over, and where each record stands. A
// compile keeps it only when asked (compile_options::map_reading); it changes nothing that
// is compiled.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "compiler/keywords.h"
#include "compiler/record_origins.h"

namespace scenario {

enum class field_role : std::uint8_t {
    key,          // the key of a record or setting that was read
    number,       // a value read as a number
    text,         // a value read as text (a name, a board's text)
    comment,      // passed over as a comment
    header,       // a section header, "[generale]" among them
    preamble,     // before the "[generale]" header, where nothing is read
    passed_over,  // where a keyword was expected, naming nothing read there
};

// One field as read: its place (columns count bytes from 1; the length excludes the blanks
// and the delimiter around it).
struct mapped_field {
    source_file file = source_file::none;
    int line = 0;
    int column = 0;
    int length = 0;
    field_role role = field_role::passed_over;
};

// One record or setting as read: its kind, its key's place, its position when it has one, and
// the line of its last value.
struct mapped_record {
    const keyword* kind = nullptr;
    source_file file = source_file::none;
    int line = 0;
    int column = 0;
    std::optional<std::int32_t> position;
    int last_line = 0;
    bool complete = true;  // it read every value it takes
};

struct reading_map {
    std::vector<mapped_field> fields;
    std::vector<mapped_record> records;

    void clear() {
        fields.clear();
        records.clear();
    }
};

}  // namespace scenario
