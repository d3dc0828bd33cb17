#include "source/code_page.h"

namespace scenario {

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

}  // namespace scenario
