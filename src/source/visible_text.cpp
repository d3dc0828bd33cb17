#include "source/visible_text.h"

namespace scenario {
namespace {

constexpr char hex_digits[] = "0123456789abcdef";

void append_hex(std::string& out, unsigned char byte) {
    out += hex_digits[byte >> 4];
    out += hex_digits[byte & 0x0F];
}

}  // namespace

bool is_control_byte(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

std::string visible_text(std::string_view utf8, bool keep_line_breaks) {
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size(); ++at) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        const bool kept = byte == '\t' || (keep_line_breaks && byte == '\n');
        if (is_control_byte(byte) && !kept) {
            shown += "\\x";
            append_hex(shown, byte);
            continue;
        }
        // U+0080 to U+009F are 0xC2 followed by 0x80 to 0x9F.
        if (byte == 0xC2 && at + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[at + 1]);
            if (next >= 0x80 && next <= 0x9F) {
                shown += "\\u00";
                append_hex(shown, next);
                ++at;
                continue;
            }
        }
        shown += static_cast<char>(byte);
    }
    return shown;
}

}  // namespace scenario
