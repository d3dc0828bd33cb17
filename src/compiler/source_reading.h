// What the line reader and the train reader share: the reading of one source file on a
// compile context, the rule by which comments are passed over before a key, the table of
// keywords that a key is tested against and its one dispatch, and the ways out of a record
// (a data error, input that the record has no room for, a record beyond the grid). Each
// reader derives its own working state from `source_reading` and names the record kinds it
// reads in a keyword table.
//
// Around the dispatch stand the checks that tell the author what the reader passes over in
// silence: a key that names nothing read where it stands, a comment that a comma splits, a
// record whose line holds more values than it takes or whose values run onto the next line,
// a number that a comma splits in two. They only warn; what is compiled stays as it is.
//
// In a scan past the compile's stop (compile_context::reads_past_errors), a record that ends
// the reading is passed over instead and the reading goes on at the next line.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/keywords.h"
#include "compiler/source_cursor.h"

namespace scenario {

// How a reader goes on after a record (or a setting).
enum class record_outcome {
    next,            // read the next key
    end_of_reading,  // a record beyond the grid (code 15): the file's end processing follows
    returned,        // the error is recorded and the file deleted: the reader returns at once
};

struct source_reading {
    source_reading(compile_context& ctx, source_cursor& src, source_part where)
        : context(ctx), record(ctx.record), errors(ctx.errors), cursor(src), part(where) {}

    compile_context& context;
    scenario_record& record;
    error_state& errors;
    source_cursor& cursor;
    // The key of the record being read: its own fields overwrite `riga`.
    std::string key;
    // Where the reading stands: which keywords are read there.
    source_part part;
    // The line whose fields have all been told about: the rest of it is not told again.
    int told_line = 0;
    // The line of the section header that ended the line file's general part.
    int general_end_line = 0;
    // Whether the last record read every value it takes.
    bool record_complete = true;
    // How many keys named a setting or record that was read.
    int records_named = 0;

    // The record's origin for the objects it places.
    record_origin origin(std::int32_t position) const { return cursor.origin(position); }
};

// Comments are fields that hold "-". A reader passes over a run of them before a key, up to
// a number of them; the field after that many is read as the key whatever it holds.
struct comment_rule {
    int most_passed_over;
    // Whether each comment read also looks for the end of the file (which then ends the
    // reading without examining the field), or none does.
    bool end_of_file_ends_run;
};
// The general part of the line file passes over ten comments without looking for the end;
// the record parts of both files pass over two and stop at the end of the file.
inline constexpr comment_rule general_part_comments{10, false};
inline constexpr comment_rule record_part_comments{2, true};

enum class key_read {
    key,
    comment_read_as_key,  // the rule's comments ran out: a comment is read as the key
    end_of_file,          // the file ended before a key to examine
    failed,               // a read failed: code 25 is recorded
};

// Reads the next key after any comments, by the rule; marks it as the key of a record and
// keeps it in `reading.key`.
key_read read_key(source_reading& reading, comment_rule rule);

enum class header_search { found, end_of_file, failed };

class header_guess;

// Reads up to the first field holding "[generale]": everything before it is preamble. The
// fields read are offered to `guess`, for the message about a file without the header.
header_search find_general_header(source_reading& reading, header_guess* guess = nullptr);

// One kind of record (or setting) that a key may name, and the function that reads it.
template <typename reading_type>
struct record_keyword {
    const keyword* kind;
    record_outcome (*read)(reading_type&);
    // When set, the key is tested for this kind only when it holds (curves are read only
    // where the plan of the line is drawn).
    bool (*looked_for)(const reading_type&) = nullptr;

    bool looked_for_in(const reading_type& reading) const {
        return looked_for == nullptr || looked_for(reading);
    }
};

// The kinds a reader knows, in the order in which a key is tested for them.
template <typename reading_type, std::size_t count>
using keyword_table = std::array<record_keyword<reading_type>, count>;

// After a record: tells the author when its line holds more values than it took, when it took
// values from a later line, or when a comma split a number of it. `values` is how many it
// takes. Nothing to do when the record ended its own line.
void check_record_shape_slowly(source_reading& reading, int values);
inline void check_record_shape(source_reading& reading, int values) {
    reading.record_complete = reading.cursor.values_read() >= values;
    if (reading.cursor.at_line_start() && reading.cursor.first_value_on_later_line() == 0) {
        return;
    }
    check_record_shape_slowly(reading, values);
}

// A key that names no kind read where it stands: the author is told, once for its line.
void tell_unread_key(source_reading& reading);

// A key that names two kinds is read as both, one after the other, from the values that
// follow: most likely one of the words was meant as a note.
void warn_about_key_naming_two_kinds(source_reading& reading, const keyword& first,
                                     const keyword& second);

// The tests are not exclusive: every kind that the key names is read, in table order, from
// the same key, until one of them ends the reading.
template <typename reading_type, std::size_t count>
record_outcome read_named_records(reading_type& reading,
                                  const keyword_table<reading_type, count>& keywords) {
    int values = 0;
    const keyword* first_named = nullptr;
    bool named = false;
    bool not_looked_for = false;
    record_outcome outcome = record_outcome::next;
    for (const record_keyword<reading_type>& keyword : keywords) {
        if (!keyword.kind->named_by(reading.key)) {
            continue;
        }
        if (!keyword.looked_for_in(reading)) {
            not_looked_for = true;
            continue;
        }
        if (first_named == nullptr) {
            first_named = keyword.kind;
        } else {
            warn_about_key_naming_two_kinds(reading, *first_named, *keyword.kind);
        }
        named = true;
        values += keyword.kind->values;
        reading.cursor.name_record(*keyword.kind);
        outcome = keyword.read(reading);
        reading.cursor.note_record_read();
        if (outcome != record_outcome::next) {
            break;
        }
    }
    if (named) {
        ++reading.records_named;
        check_record_shape(reading, values);
    } else if (not_looked_for) {
        // A kind that this compile does not read (curves without the plan): its values pass
        // as ignored fields, as the author asked.
        reading.told_line = reading.cursor.record_key_place().line;
    } else {
        tell_unread_key(reading);
    }
    return outcome;
}

// A third comment that names a record kind is read as that record: most likely the author
// meant it as a comment.
void warn_about_comment_read_as_record(source_reading& reading, const keyword& kind);

// In a scan past the compile's stop: goes on after a record that ended the reading, at the
// start of the next line (or of the line that the record wrongly took a value from). False
// at the end of the file.
bool resume_after_failed_record(source_reading& reading);

// The record part of a file: keys and their records until the end of the file
// (end_of_reading, the end processing follows) or until a record ends the reading.
template <typename reading_type, std::size_t count>
record_outcome read_records(reading_type& reading,
                            const keyword_table<reading_type, count>& keywords) {
    while (true) {
        const key_read read = read_key(reading, record_part_comments);
        if (read == key_read::failed) {
            return record_outcome::returned;
        }
        if (read == key_read::end_of_file) {
            return record_outcome::end_of_reading;
        }
        if (read == key_read::comment_read_as_key) {
            for (const record_keyword<reading_type>& keyword : keywords) {
                if (keyword.kind->named_by(reading.key) && keyword.looked_for_in(reading)) {
                    warn_about_comment_read_as_record(reading, *keyword.kind);
                    break;
                }
            }
        }
        if (const record_outcome outcome = read_named_records(reading, keywords);
            outcome != record_outcome::next) {
            if (!reading.context.reads_past_errors()) {
                return outcome;
            }
            if (!resume_after_failed_record(reading)) {
                return record_outcome::end_of_reading;
            }
        }
    }
}

// Reads whole numbers into the targets in order; false (code 25 recorded) at the first
// failure, which leaves its target at 0.
[[nodiscard]] bool read_numbers(source_cursor& cursor,
                                std::initializer_list<std::int32_t*> targets);
// Reads one whole number; a failed read leaves the target as it was, so that a setting that
// cannot be read keeps the value read before it.
[[nodiscard]] bool read_number_keeping_old(source_cursor& cursor, std::int32_t& target);

// Placement margins: a record needs 100 m of grid after its position, a station 800 m.
inline constexpr int record_margin = 100;
inline constexpr int station_margin = 800;

// True when a record at p lies beyond the placement limit: (p + margin) / 50 > ultima_cella.
bool beyond_placement_limit(const scenario_record& record, std::int32_t p, int margin);

// Code 15 at the record's position for a record beyond the placement limit: the reading of
// this file stops there and its end processing follows.
record_outcome stop_beyond_grid(source_reading& reading, std::int32_t position, std::string detail);

// A data error that ends the reading: the source file is deleted and the error recorded at
// the record's key.
record_outcome end_with_error(source_reading& reading, const error_code_entry& code,
                              std::optional<std::int32_t> posizione, std::string detail);

// A data error about a cell that is not free: as end_with_error, with the record that placed
// what the cell holds as a related place.
record_outcome end_at_taken_cell(source_reading& reading, const error_code_entry& code,
                                 std::int32_t posizione, std::string detail, std::int64_t cell);

// Relates the error or warning noted last to the record that placed what the cell holds, when
// a record did.
void relate_cell_holder(compile_context& context, std::int64_t cell);

// A data error recorded at the record's key that lets the record go on being read: only a
// scan past the compile's stop does so, to find a second error in the same record.
void note_error_and_go_on(source_reading& reading, const error_code_entry& code,
                          std::optional<std::int32_t> posizione, std::string detail);

// Input that the record has no room for (code 200 at the record's position), refused before
// anything is written for it: the reading ends as for a data error.
record_outcome refuse_no_room(source_reading& reading, std::int32_t posizione, std::string detail);

}  // namespace scenario
