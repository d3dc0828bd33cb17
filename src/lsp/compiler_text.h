// A document as the compiler reads it and as the editor shows it. The editor sends text as
// Unicode; the sources are single bytes of Windows-1252, the simulator's code page, so each
// character becomes its byte there (a character of Latin-1 that Windows-1252 does not hold,
// which an editor shows for the five bytes Windows-1252 leaves without a character, keeps
// its byte; any other character becomes "?"). With the option "utf8" the text is compiled as
// UTF-8, as `compile --utf8` reads it. Positions go both ways: a compiler's line and column (in
// bytes, from 1) and the protocol's line and character (from 0).
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "lsp/text_positions.h"

namespace scenario::lsp {

class compiler_text {
  public:
    // A document's text as the editor holds it.
    static compiler_text from_editor(std::string editor_text, bool utf8);
    // A file's bytes as the compiler reads them from disk (a source that is not open).
    static compiler_text from_file(std::string bytes, bool utf8);

    compiler_text(const compiler_text&) = delete;
    compiler_text& operator=(const compiler_text&) = delete;
    compiler_text(compiler_text&& other) noexcept;
    compiler_text& operator=(compiler_text&&) = delete;
    ~compiler_text() = default;

    const std::string& bytes() const { return compiler_; }
    const std::string& editor_text() const { return editor_; }

    // The compiler's line and column as a protocol position.
    text_position position_of(int line, int column, position_encoding encoding) const;
    // A protocol position as the compiler's line and column.
    std::pair<int, int> place_of(text_position position, position_encoding encoding) const;
    // Text in the compiler's bytes (a message quoting a field, a line laid out anew) as the
    // editor shows it, in UTF-8; a text that is UTF-8 already stays as it is.
    std::string shown(std::string_view compiled) const;

  private:
    compiler_text(std::string editor, std::string compiler, bool utf8);

    std::string editor_;
    std::string compiler_;
    bool utf8_;
    line_index lines_;  // of editor_
};

// The compiler's bytes of an editor's text (Unicode, UTF-8 encoded).
std::string single_bytes_of(std::string_view editor_text);

}  // namespace scenario::lsp
