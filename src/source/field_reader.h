// The field reader: the tokenizer that both source readers use. It hands out a source
// file as a stream of fields, each taken either as text or as a whole number, and knows
// after every read whether the end of the file has been reached.
//
// A text field runs from its first non-blank character to the next comma or line end;
// the delimiter is consumed with it and blanks at its end are dropped. A number field is
// an optional "-" and decimal digits; it ends at the first blank, comma or line end, and
// the blanks after it are skipped together with a comma or line end that follows them,
// so that numbers may also be separated by blanks alone. A line end is CR LF, a lone LF
// or a lone CR. A read when the end of the file has already been reached fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "source/source_text.h"

namespace scenario {

enum class read_result {
    ok,
    past_end,      // nothing left to read
    not_a_number,  // a number field that does not hold a whole number
    out_of_range,  // a number outside the signed 32-bit range
};

// Where a field stands in its file, counted from 1.
struct field_location {
    int line = 0;
    int column = 0;
};

class field_reader {
  public:
    explicit field_reader(std::string content);
    // Reads a text that is kept elsewhere too, for messages that quote it.
    explicit field_reader(std::shared_ptr<const source_text> text);

    [[nodiscard]] read_result read_text(std::string& field);
    [[nodiscard]] read_result read_number(std::int32_t& value);

    // True when the last read reached the end of the file.
    bool at_end() const { return position_ >= content_.size(); }
    // True when the next read starts a line: the last read consumed its line end.
    bool at_line_start() const { return position_ == line_start_; }
    // The line that the next read starts on.
    int current_line() const { return line_; }
    // True when the field most recently read ended at a comma rather than a line end.
    bool ended_at_comma() const { return ended_at_comma_; }

    // Where the field most recently read (or attempted) begins.
    const field_location& last_field() const { return last_field_; }

    // The text of a line of the file, without its line end (for pointing at a field); empty
    // when the file has no such line.
    std::string_view line_text(int line) const { return text_->line(line).value_or(""); }

    // Goes on reading from the start of a line of the file (to the end of the file when it has
    // no such line). For going past a record that cannot be read; the compile itself never
    // moves back or skips.
    void resume_at_line(int line);

  private:
    static bool is_blank(char c) { return c == ' ' || c == '\t'; }
    bool at_line_end() const;
    void skip_blanks();
    void consume_line_end();
    void mark_field_start();

    std::shared_ptr<const source_text> text_;
    std::string_view content_;  // the text's content
    std::size_t position_ = 0;
    int line_ = 1;
    std::size_t line_start_ = 0;
    field_location last_field_;
    bool ended_at_comma_ = false;
};

}  // namespace scenario
