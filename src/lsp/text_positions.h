// Positions in a document's text as the protocol counts them: a line (lines end at LF, CR LF
// or CR) and a character within it, counted in UTF-16 code units by default or in bytes when
// client and server agree on UTF-8. The text itself is UTF-8. A position past the end of its
// line stands for the line's end, one past the last line for the end of the text, and one
// inside a character for that character's start: every position names a byte offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace scenario::lsp {

enum class position_encoding { utf16, utf8 };

struct text_position {
    std::uint32_t line = 0;
    std::uint32_t character = 0;
    bool operator==(const text_position&) const = default;
};

// The byte offset within `line` (its text without the line break) of `character`.
std::size_t byte_in_line(std::string_view line, std::uint32_t character,
                         position_encoding encoding);

// The character of the byte offset `byte` within `line`.
std::uint32_t character_in_line(std::string_view line, std::size_t byte,
                                position_encoding encoding);

// Where each line of a text starts, for conversions both ways. It views the text, which
// must outlive it unchanged.
class line_index {
  public:
    explicit line_index(std::string_view text);

    std::size_t line_count() const { return starts_.size(); }
    // The text of a line without its line break; empty past the last line.
    std::string_view line(std::size_t number) const;

    std::size_t offset_of(text_position position, position_encoding encoding) const;
    text_position position_of(std::size_t offset, position_encoding encoding) const;

  private:
    std::string_view text_;
    std::vector<std::size_t> starts_;
};

}  // namespace scenario::lsp
