#include "source/code_page.h"

#include <array>

namespace scenario {
namespace {

// The characters of Windows-1252 at 0x80 to 0x9F, where it differs from Latin-1; 0 marks the
// five bytes without a character. Every other byte is the Unicode character of its value.
constexpr std::array<char16_t, 32> high_controls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t no_character = 0xFFFD;

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

char32_t windows_1252_character(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        const char16_t c = high_controls[byte - 0x80];
        return c == 0 ? no_character : c;
    }
    return byte;
}

// The byte of a character in Windows-1252; none (-1) when it has no place there.
int windows_1252_byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<int>(c);
    }
    for (std::size_t i = 0; i < high_controls.size(); ++i) {
        if (high_controls[i] != 0 && high_controls[i] == c) {
            return static_cast<int>(0x80 + i);
        }
    }
    return -1;
}

// Decodes one UTF-8 character at `at`; its length, or 0 for a malformed sequence (overlong
// forms, surrogates and values above U+10FFFF included).
std::size_t decode_utf8(std::string_view text, std::size_t at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        c = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
        least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
        least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (at + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return 0;
    }
    return length;
}

}  // namespace

std::string single_byte_to_utf8(const std::string& text) {
    // The compiled texts are single bytes of the system code page; bytes above 127 are
    // shown as the Latin-1 characters of the same value.
    std::string utf8;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

bool is_ascii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

std::string windows_1252_to_utf8(std::string_view text) {
    std::string utf8;
    for (const char c : text) {
        append_utf8(utf8, windows_1252_character(static_cast<unsigned char>(c)));
    }
    return utf8;
}

code_page_conversion utf8_to_windows_1252(std::string_view text) {
    code_page_conversion conversion;
    // The whole text is checked first: a text that is no UTF-8 is left alone, however far in
    // the fault lies.
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = decode_utf8(text, at, c);
        if (length == 0) {
            conversion.how = code_page_conversion::result::not_utf8;
            conversion.offset = at;
            return conversion;
        }
        at += length;
    }
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = decode_utf8(text, at, c);
        const int byte = windows_1252_byte(c);
        if (byte < 0) {
            conversion.how = code_page_conversion::result::no_place;
            conversion.text.clear();
            conversion.offset = at;
            conversion.length = length;
            conversion.code_point = c;
            return conversion;
        }
        conversion.text += static_cast<char>(byte);
        at += length;
    }
    return conversion;
}

std::string shown_as_utf8(std::string_view text) {
    if (utf8_to_windows_1252(text).how != code_page_conversion::result::not_utf8) {
        return std::string(text);
    }
    return windows_1252_to_utf8(text);
}

}  // namespace scenario
