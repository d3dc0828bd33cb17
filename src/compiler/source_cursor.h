// A reader's hold on one source file: the field reader over its text, which the compile
// context keeps for the messages that quote it, the file's path for messages, and the reads
// that the two source readers make. A read that fails (past the
// end of the file, a number field that is not a whole number, a value outside its field's
// range) is the compile's run-time failure: it is recorded as code 25 at the field that
// caused it, the source files are deleted when the compile deletes its sources, and the
// read returns false so that the reader can end at once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "source/field_reader.h"

namespace scenario {

// What a read expected, for messages: the kind of field, and the range that a number must
// lie in when it does not fit.
struct expected_field {
    std::string_view what;   // "a whole number"
    std::string_view range;  // " from 0 to 255"; empty for a text field
};

class source_cursor {
  public:
    // Reads the content read from the path; the compile context keeps it.
    source_cursor(compile_context& context, std::string path, std::string content);

    // Reads a text field into the record's `riga`.
    [[nodiscard]] bool read_field();
    [[nodiscard]] bool read_int32(std::int32_t& value);
    [[nodiscard]] bool read_int16(std::int16_t& value);
    [[nodiscard]] bool read_uint8(std::uint8_t& value);

    // True when the last read reached the end of the file.
    bool at_end() const { return reader_.at_end(); }

    // Where the field most recently read stands.
    source_point here() const;
    // Notes the field most recently read as the key of a record, for messages about it: a
    // read of the record's fields that fails names the record.
    void mark_record();
    // Back at keyword position: the fields read next belong to no record until the next
    // mark_record.
    void leave_record() { in_record_ = false; }
    const source_point& record_start() const { return record_start_; }
    // The place of the field most recently read, kept cheaply until a message needs it.
    field_location place() const { return reader_.last_field(); }
    source_point point_at(field_location where) const { return {path_, where.line, where.column}; }
    // Notes a warning about the field at `where`; it changes nothing that is compiled.
    void warn_at(field_location where, std::string message);

    const std::string& path() const { return path_; }
    std::string_view line_text(int line) const { return reader_.line_text(line); }

  private:
    bool fail(read_result result, const expected_field& expected);
    std::string field_text_here() const;

    compile_context& context_;
    std::string path_;
    field_reader reader_;
    source_point record_start_;
    std::string record_key_;
    bool in_record_ = false;  // false at keyword position
};

// The run-time failure of the compile (code 25): recorded without a position, and the source
// files that still exist are deleted when the compile deletes its sources.
void record_runtime_failure(compile_context& context, source_point where, std::string detail);

// Removes a source file after reading, when the compile deletes its sources.
void delete_source(const compile_context& context, const std::string& path);

// Substring tests on a field: with or without regard to letter case.
bool contains(std::string_view field, std::string_view word);
bool contains_ignoring_case(std::string_view field, std::string_view word);

}  // namespace scenario
