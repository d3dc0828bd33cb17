#include "compiler/compiled_texts.h"

#include <cstdio>
#include <utility>

#include "source/code_page.h"
#include "source/visible_text.h"

namespace scenario {
namespace {

std::string code_point_text(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
}

// The text as the author's terminal shows it: as written when it is UTF-8, else its bytes read
// in the code page.
std::string shown_to_author(std::string_view text) {
    const code_page_conversion conversion = utf8_to_windows_1252(text);
    return conversion.how == code_page_conversion::result::not_utf8 ? windows_1252_to_utf8(text)
                                                                    : std::string(text);
}

void warn_about_bytes(source_reading& reading, std::string_view text, field_location place,
                      const std::string& head) {
    const bool utf8 = utf8_to_windows_1252(text).how != code_page_conversion::result::not_utf8;
    std::string message = head + " \"" + shown_to_author(text) +
                          "\" holds bytes beyond 7-bit ASCII, and the simulator shows text in "
                          "its single-byte code page, Windows-1252: it shows \"" +
                          windows_1252_to_utf8(text) + "\"";
    if (utf8 && !reading.context.options.utf8_texts) {
        message += "; the text is UTF-8, which compile --utf8 converts to that code page";
    } else if (!utf8 && reading.context.options.utf8_texts) {
        message += "; the text is no UTF-8, so --utf8 leaves its bytes as they are";
    }
    reading.cursor.warn_at(warning_code::text_bytes, place, std::move(message));
}

// A control character in a text is kept as written (the bytes of the compiled file are the
// author's), but no author means one: the simulator draws it as a box or nothing, a picture or
// a terminal cannot show it as it is. The field is marked at the first one.
void warn_about_control(source_reading& reading, std::string_view text, field_location place,
                        const std::string& head) {
    std::size_t first = 0;
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (is_control_byte(static_cast<unsigned char>(text[at]))) {
            first = count == 0 ? at : first;
            ++count;
        }
    }
    if (count == 0) {
        return;
    }
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(text[first]));
    const field_location at{place.line, place.column + static_cast<int>(first)};
    reading.cursor.warn_at(
        warning_code::text_control, at,
        head + " \"" + visible_text(text) + "\" holds " +
            (count == 1 ? std::string("a control character")
                        : std::to_string(count) + " control characters") +
            " (the first, byte " + byte + ", at its character " + std::to_string(first + 1) +
            "), which the simulator cannot show; it is compiled as written: write the text "
            "without it");
}

}  // namespace

void store_text(source_reading& reading, std::string& target, field_location text_place,
                std::string_view what) {
    target = reading.record.riga;
    const std::string head = reading.cursor.record_phrase() + ": " + std::string(what);
    warn_about_control(reading, target, text_place, head);
    if (is_ascii(target)) {
        return;
    }
    if (!reading.context.options.utf8_texts) {
        warn_about_bytes(reading, target, text_place, head);
        return;
    }
    const code_page_conversion conversion = utf8_to_windows_1252(target);
    switch (conversion.how) {
        case code_page_conversion::result::converted:
            target = conversion.text;
            return;
        case code_page_conversion::result::not_utf8:
            warn_about_bytes(reading, target, text_place, head);
            return;
        case code_page_conversion::result::no_place: {
            const std::string character = target.substr(conversion.offset, conversion.length);
            reading.errors.refuse_text(
                reading.cursor.point_at(
                    {text_place.line, text_place.column + static_cast<int>(conversion.offset)}),
                head + " \"" + target + "\" holds \"" + character + "\" (" +
                    code_point_text(conversion.code_point) +
                    "), which has no place in Windows-1252, the simulator's code page: nothing "
                    "is written; write the text without it");
            return;
        }
    }
}

}  // namespace scenario
