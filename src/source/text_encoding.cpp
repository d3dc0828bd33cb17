#include "source/text_encoding.h"

#include <algorithm>
#include <cstddef>

namespace scenario {
namespace {

// Enough of the file to tell: a text of single bytes has no zero byte at all, and a UTF-16
// text of Latin letters has one in every other byte.
constexpr std::size_t bytes_looked_at = 512;

bool starts_with_bytes(std::string_view content, std::string_view mark) {
    return content.substr(0, mark.size()) == mark;
}

}  // namespace

text_encoding encoding_of(std::string_view content) {
    if (starts_with_bytes(content, "\xEF\xBB\xBF")) {
        return text_encoding::utf8_with_mark;
    }
    if (starts_with_bytes(content, "\xFF\xFE")) {
        return text_encoding::utf16_little_endian;
    }
    if (starts_with_bytes(content, "\xFE\xFF")) {
        return text_encoding::utf16_big_endian;
    }
    const std::size_t looked_at = std::min(content.size(), bytes_looked_at) & ~std::size_t{1};
    std::size_t zeros_at_even = 0;
    std::size_t zeros_at_odd = 0;
    for (std::size_t i = 0; i < looked_at; i += 2) {
        zeros_at_even += content[i] == '\0' ? 1 : 0;
        zeros_at_odd += content[i + 1] == '\0' ? 1 : 0;
    }
    // Without a mark: a zero byte in most pairs, on the same side of each.
    const std::size_t pairs = looked_at / 2;
    if (pairs > 0 && zeros_at_odd * 2 > pairs && zeros_at_even == 0) {
        return text_encoding::utf16_little_endian;
    }
    if (pairs > 0 && zeros_at_even * 2 > pairs && zeros_at_odd == 0) {
        return text_encoding::utf16_big_endian;
    }
    return text_encoding::single_byte;
}

bool is_utf16(text_encoding encoding) {
    return encoding == text_encoding::utf16_little_endian ||
           encoding == text_encoding::utf16_big_endian;
}

std::string_view encoding_name(text_encoding encoding) {
    switch (encoding) {
        case text_encoding::single_byte:
            return "single bytes";
        case text_encoding::utf8_with_mark:
            return "UTF-8 with a byte-order mark";
        case text_encoding::utf16_little_endian:
            return "UTF-16 (little-endian)";
        case text_encoding::utf16_big_endian:
            return "UTF-16 (big-endian)";
    }
    return "single bytes";
}

}  // namespace scenario
