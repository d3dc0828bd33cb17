// The texts of the source and compiled files are single bytes of the system's code page, which
// for the simulator is Windows-1252. Output that must be valid UTF-8 (JSON, pictures,
// messages) shows them through a conversion, and a source written in UTF-8 can have its texts
// converted to the code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace scenario {

// A text of the single-byte code page as UTF-8.
std::string single_byte_to_utf8(const std::string& text);

// True when every byte of the text is 7-bit ASCII, which every code page shows alike.
bool is_ascii(std::string_view text);

// The text read as Windows-1252, in UTF-8: what the simulator shows of it. The five bytes that
// Windows-1252 leaves without a character show as U+FFFD.
std::string windows_1252_to_utf8(std::string_view text);

// A text for output that must be UTF-8, from a message that may quote a source's bytes: a
// text that is UTF-8 already stays as it is, any other is read as Windows-1252.
std::string shown_as_utf8(std::string_view text);

// A UTF-8 text converted to Windows-1252.
struct code_page_conversion {
    enum class result {
        converted,
        not_utf8,  // the text is no valid UTF-8; nothing is converted
        no_place,  // a character has no place in Windows-1252
    };
    result how = result::converted;
    std::string text;         // the converted text, when converted
    std::size_t offset = 0;   // where the character without a place begins, in bytes
    std::size_t length = 0;   // and its length in bytes
    char32_t code_point = 0;  // that character
};
code_page_conversion utf8_to_windows_1252(std::string_view text);

}  // namespace scenario
