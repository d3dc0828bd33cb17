#include "lsp/compiler_text.h"

#include <algorithm>

#include "source/code_page.h"

namespace scenario::lsp {
namespace {

// The length of the UTF-8 sequence that starts with this byte; 1 for a byte that starts none.
std::size_t sequence_length(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

// The byte offset in a line of UTF-8 of the character with this index.
std::size_t offset_of_character(std::string_view line, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index && offset < line.size(); ++i) {
        offset += sequence_length(static_cast<unsigned char>(line[offset]));
    }
    return std::min(offset, line.size());
}

std::size_t characters_before(std::string_view line, std::size_t offset) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < offset && at < line.size(); ++count) {
        at += sequence_length(static_cast<unsigned char>(line[at]));
    }
    return count;
}

}  // namespace

std::string single_bytes_of(std::string_view editor_text) {
    std::string bytes;
    bytes.reserve(editor_text.size());
    for (std::size_t at = 0; at < editor_text.size();) {
        const auto lead = static_cast<unsigned char>(editor_text[at]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            ++at;
            continue;
        }
        const std::size_t length = std::min(sequence_length(lead), editor_text.size() - at);
        const std::string_view character = editor_text.substr(at, length);
        const code_page_conversion converted = utf8_to_windows_1252(character);
        if (converted.how == code_page_conversion::result::converted &&
            converted.text.size() == 1) {
            bytes += converted.text;
        } else if (length == 2 && lead <= 0xC3) {
            // U+0080 to U+00FF: the byte of the same number.
            bytes += static_cast<char>(((lead & 0x1F) << 6) |
                                       (static_cast<unsigned char>(character[1]) & 0x3F));
        } else {
            bytes += '?';
        }
        at += length;
    }
    return bytes;
}

compiler_text::compiler_text(std::string editor, std::string compiler, bool utf8)
    : editor_(std::move(editor)), compiler_(std::move(compiler)), utf8_(utf8), lines_(editor_) {}

compiler_text::compiler_text(compiler_text&& other) noexcept
    : editor_(std::move(other.editor_)),
      compiler_(std::move(other.compiler_)),
      utf8_(other.utf8_),
      lines_(editor_) {}

compiler_text compiler_text::from_editor(std::string editor_text, bool utf8) {
    std::string bytes = utf8 ? editor_text : single_bytes_of(editor_text);
    return {std::move(editor_text), std::move(bytes), utf8};
}

compiler_text compiler_text::from_file(std::string bytes, bool utf8) {
    std::string shown = utf8 ? bytes : windows_1252_to_utf8(bytes);
    return {std::move(shown), std::move(bytes), utf8};
}

text_position compiler_text::position_of(int line, int column, position_encoding encoding) const {
    if (line < 1) {
        return {0, 0};
    }
    const auto number = static_cast<std::size_t>(line - 1);
    const std::string_view text = lines_.line(number);
    const auto byte = static_cast<std::size_t>(std::max(column, 1) - 1);
    // In Windows-1252 each byte of the compiler's is one character of the editor's.
    const std::size_t offset =
        utf8_ ? std::min(byte, text.size()) : offset_of_character(text, byte);
    return {static_cast<std::uint32_t>(number), character_in_line(text, offset, encoding)};
}

std::pair<int, int> compiler_text::place_of(text_position position,
                                            position_encoding encoding) const {
    const std::string_view text = lines_.line(position.line);
    const std::size_t offset = byte_in_line(text, position.character, encoding);
    const std::size_t column = utf8_ ? offset : characters_before(text, offset);
    return {static_cast<int>(position.line) + 1, static_cast<int>(column) + 1};
}

std::string compiler_text::shown(std::string_view compiled) const {
    // A message may quote the source's bytes or hold a text already shown in UTF-8; a text
    // that is no UTF-8 is the source's Windows-1252.
    if (utf8_ || utf8_to_windows_1252(compiled).how != code_page_conversion::result::not_utf8) {
        return std::string(compiled);
    }
    return windows_1252_to_utf8(compiled);
}

}  // namespace scenario::lsp
