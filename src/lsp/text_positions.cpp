#include "lsp/text_positions.h"

#include <algorithm>
#include <limits>

namespace scenario::lsp {
namespace {

bool is_continuation(unsigned char byte) {
    return (byte & 0xc0) == 0x80;
}

// The length in bytes of the UTF-8 character at `at`. A byte that starts no well-formed
// character counts alone, as one character of one code unit.
std::size_t character_bytes(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
    }
    if (length > text.size() - at) {
        return 1;
    }
    for (std::size_t next = 1; next < length; ++next) {
        if (!is_continuation(static_cast<unsigned char>(text[at + next]))) {
            return 1;
        }
    }
    return length;
}

// Code units of one character: a character beyond the 16-bit plane is a surrogate pair.
std::uint32_t units_of(std::size_t bytes, position_encoding encoding) {
    if (encoding == position_encoding::utf8) {
        return static_cast<std::uint32_t>(bytes);
    }
    return bytes == 4 ? 2 : 1;
}

}  // namespace

std::size_t byte_in_line(std::string_view line, std::uint32_t character,
                         position_encoding encoding) {
    std::size_t at = 0;
    std::uint64_t counted = 0;
    while (at < line.size()) {
        const std::size_t bytes = character_bytes(line, at);
        const std::uint32_t units = units_of(bytes, encoding);
        if (counted + units > character) {
            break;  // the character holds the position: its start
        }
        counted += units;
        at += bytes;
    }
    return at;
}

std::uint32_t character_in_line(std::string_view line, std::size_t byte,
                                position_encoding encoding) {
    std::size_t at = 0;
    std::uint64_t counted = 0;
    const std::size_t end = std::min(byte, line.size());
    while (at < end) {
        const std::size_t bytes = character_bytes(line, at);
        if (at + bytes > end) {
            break;
        }
        counted += units_of(bytes, encoding);
        at += bytes;
    }
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(counted, std::numeric_limits<std::uint32_t>::max()));
}

line_index::line_index(std::string_view text) : text_(text) {
    starts_.push_back(0);
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
            ++at;
        }
        if (text[at] == '\n' || text[at] == '\r') {
            starts_.push_back(at + 1);
        }
    }
}

std::string_view line_index::line(std::size_t number) const {
    if (number >= starts_.size()) {
        return {};
    }
    const std::size_t start = starts_[number];
    std::size_t end = number + 1 < starts_.size() ? starts_[number + 1] : text_.size();
    if (end > start && text_[end - 1] == '\n') {
        --end;
    }
    if (end > start && text_[end - 1] == '\r') {
        --end;
    }
    return text_.substr(start, end - start);
}

std::size_t line_index::offset_of(text_position position, position_encoding encoding) const {
    if (position.line >= starts_.size()) {
        return text_.size();
    }
    return starts_[position.line] + byte_in_line(line(position.line), position.character, encoding);
}

text_position line_index::position_of(std::size_t offset, position_encoding encoding) const {
    offset = std::min(offset, text_.size());
    // The last line that starts at or before the offset.
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    const auto number = static_cast<std::size_t>(after - starts_.begin()) - 1;
    const std::uint32_t character =
        character_in_line(line(number), offset - starts_[number], encoding);
    const std::size_t largest = std::numeric_limits<std::uint32_t>::max();
    return {static_cast<std::uint32_t>(std::min(number, largest)), character};
}

}  // namespace scenario::lsp
