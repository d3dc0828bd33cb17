// A reader's hold on one source file: the field reader over its text, which the compile
// context keeps for the messages that quote it, the file's path for messages, and the reads
// that the two source readers make. A read that fails (past the end of the file, a number
// field that is not a whole number, a value outside its field's range) is the compile's
// run-time failure: it is recorded as code 25 at the field that caused it (at the record,
// when the record took the field from a later line), the source files are deleted when the
// compile deletes its sources, and the read returns false so that the reader can end at once.
//
// The cursor also follows the record being read: its kind, its position, how many values it
// has read and from which lines, so that messages name it ("the stazione record at 4500 m")
// and the checks after it can tell a record whose values run onto the next line. When it is
// let go, it notes in the context how far the file was read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/compile_context.h"
#include "compiler/keywords.h"
#include "compiler/record_origins.h"
#include "source/field_reader.h"
#include "source/status.h"

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
    source_cursor(compile_context& context, std::string path, std::string content,
                  source_file file);
    source_cursor(compile_context& context, std::string path,
                  std::shared_ptr<const source_text> text, source_file file);
    ~source_cursor();
    source_cursor(const source_cursor&) = delete;
    source_cursor& operator=(const source_cursor&) = delete;

    // Reads a text field into the record's `riga`.
    [[nodiscard]] bool read_field();
    [[nodiscard]] bool read_int32(std::int32_t& value);
    [[nodiscard]] bool read_int16(std::int16_t& value);
    [[nodiscard]] bool read_uint8(std::uint8_t& value);

    // True when the last read reached the end of the file.
    bool at_end() const { return reader_.at_end(); }
    // True when the last read ended its line: nothing more of that line is left to read.
    bool at_line_start() const { return reader_.at_line_start(); }
    int current_line() const { return reader_.current_line(); }
    // True when the field most recently read ended at a comma.
    bool ended_at_comma() const { return reader_.ended_at_comma(); }
    // A copy of the field reader where this one stands, for looking at what follows.
    field_reader look_ahead() const { return reader_; }
    // Goes on from the start of a line: past a record that cannot be read (scan only).
    void resume_at_line(int line) { reader_.resume_at_line(line); }

    // Where the field most recently read stands.
    source_point here() const { return point_at(reader_.last_field()); }
    // Notes the field most recently read as the key of a record: the fields read next are its
    // values, and a read of them that fails names the record.
    void mark_record();
    // The kind that the key names, once the key has been tested.
    void name_record(const keyword& kind) { record_kind_ = &kind; }
    // For the map of the reading (compile_options::map_reading): the key read last was read as
    // a record of its kind, whose values have now been read; the field read last is the
    // "[generale]" header, and everything before it in the file preamble.
    void note_record_read();
    void note_general_header();
    // Back at keyword position: the fields read next belong to no record until the next
    // mark_record.
    void leave_record() { in_record_ = false; }
    source_point record_start() const { return point_at(record_key_); }
    field_location record_key_place() const { return record_key_; }
    // The record being read, for messages: "the stazione record at 4500 m", "the
    // stazione record" before its position is read, "the sfondo uno setting".
    std::string record_phrase() const;
    // The record's origin, for the objects it places: its key and its position as written.
    record_origin origin(std::int32_t position) const;

    // The values that the record has read since its key; the number (from 1) of the first one
    // that stands on a later line than the key, 0 when none does; the line of the last one.
    int values_read() const { return values_read_; }
    int first_value_on_later_line() const { return first_later_value_; }
    field_location first_later_place() const { return first_later_place_; }
    int last_value_line() const { return last_value_line_; }
    bool last_value_was_text() const { return last_value_text_; }

    // The place of the field most recently read, kept cheaply until a message needs it.
    field_location place() const { return reader_.last_field(); }
    source_point point_at(field_location where) const { return {path_, where.line, where.column}; }
    // Notes a warning about the field at `where`; it changes nothing that is compiled.
    recorded_warning& warn_at(const warning_code_entry& code, field_location where,
                              std::string message);

    const std::string& path() const { return path_; }
    source_file file() const { return file_; }
    std::string_view line_text(int line) const { return reader_.line_text(line); }

  private:
    bool fail(read_result result, const expected_field& expected);
    std::string field_text_here() const;
    std::string taken_from_later_line(std::string_view what_is_there) const;
    void note_value(std::int32_t value, bool number);
    void map_field(bool number);
    void after_read() {
        if (scan_ != scan_mark::none) {
            mark_beyond();
        }
    }
    void mark_beyond();

    compile_context& context_;
    std::string path_;
    source_file file_;
    field_reader reader_;
    field_location record_key_;
    const keyword* record_kind_ = nullptr;
    bool in_record_ = false;  // false at keyword position
    int values_read_ = 0;
    int first_later_value_ = 0;
    field_location first_later_place_;
    int last_value_line_ = 0;
    bool last_value_text_ = false;
    bool has_position_ = false;
    std::int32_t position_ = 0;
    // In a scan past the compile's stop: which fields lie beyond the part that it read.
    enum class scan_mark { none, from_stop, every_field, no_field };
    scan_mark scan_ = scan_mark::none;
    field_location compiled_until_;
    reading_map* map_ = nullptr;   // set when the compile maps its reading
    std::size_t key_field_ = 0;    // the key's entry in the map's fields
    std::size_t first_field_ = 0;  // this file's first entry in the map's fields
};

// The run-time failure of the compile (code 25): recorded without a position, and the source
// files that still exist are deleted when the compile deletes its sources.
void record_runtime_failure(compile_context& context, source_point where, std::string detail);

// Removes a source file after reading, when the compile deletes its sources.
void delete_source(const compile_context& context, const std::string& path);

// Whether the text of a source is held in memory (by the compile before a scan, or by the
// caller) rather than read from its file.
bool source_held_in_memory(const compile_context& context, const std::string& path);

// The content of a source file: in a scan, the text that the compile read; then the text that
// the caller holds for it (compile_options::texts); otherwise the file as it stands.
// A file larger than any source can usefully be (size_limits.h) is refused unread. The text
// is shared, not copied.
[[nodiscard]] status read_source_content(const compile_context& context, const std::string& path,
                                         std::shared_ptr<const source_text>& text);

// Substring tests on a field: with or without regard to letter case.
bool contains(std::string_view field, std::string_view word);
bool contains_ignoring_case(std::string_view field, std::string_view word);

}  // namespace scenario
