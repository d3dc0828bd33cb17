#include <array>
#include <cctype>
#include <string>
#include <string_view>

#include "compiler/line_reading.h"
#include "compiler/unread_fields.h"

// Warnings about curve records that are read otherwise than they say: a key that holds more
// than the keyword (the whole field is tested, so an "s" anywhere in it makes a left curve,
// and the first of the digits 1 to 6 gives the curvature), and a length that looks like the
// metre where the arc ends. They change nothing that is compiled.
namespace scenario {
namespace {

constexpr std::array<std::string_view, 6> radius_of_digit = {"10000 m", "5000 m", "2500 m",
                                                             "1000 m",  "500 m",  "about 333 m"};
constexpr std::int32_t first_start_told_of_end_as_length = 1000;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "curvas3", "curvaD6": the keyword and nothing else.
bool is_bare_curve_key(std::string_view key) {
    return key.size() == 7 && lower(key[0]) == 'c' && lower(key[1]) == 'u' &&
           lower(key[2]) == 'r' && lower(key[3]) == 'v' && lower(key[4]) == 'a' &&
           (lower(key[5]) == 's' || lower(key[5]) == 'd') && key[6] >= '1' && key[6] <= '6';
}

// The blank-separated word of the key that holds the byte at `at`.
std::string_view word_at(std::string_view key, std::size_t at) {
    std::size_t first = key.rfind(' ', at);
    first = first == std::string_view::npos ? 0 : first + 1;
    const std::size_t end = key.find(' ', at);
    return key.substr(first, end == std::string_view::npos ? std::string_view::npos : end - first);
}

void warn_about_curve_key(line_reading& reading, std::size_t digit, bool left) {
    const std::string_view key = trimmed(reading.key);
    if (is_bare_curve_key(key)) {
        return;
    }
    std::string how = "a curve to the ";
    if (left) {
        const std::size_t s = key.find_first_of("sS");
        how += "left, because it holds an \"s\" (in \"" + std::string(word_at(key, s)) + "\")";
    } else {
        how += "right, because it holds no \"s\"";
    }
    how += ", with the curvature of digit " + std::to_string(digit + 1) + " (radius " +
           std::string(radius_of_digit[digit]) + ")";
    reading.cursor.warn_at(warning_code::keyword_match, reading.cursor.record_key_place(),
                           "the key " + quoted_field(key) +
                               " holds more than the keyword, and the whole field is read: it "
                               "is read as " +
                               how +
                               "; write the keyword alone (curvas1 to curvas6 to the left, "
                               "curvad1 to curvad6 to the right) and put a note on a comment "
                               "line");
}

}  // namespace

void warn_about_curve(line_reading& reading, std::int32_t inizio, std::int32_t length,
                      std::size_t digit, bool left, field_location length_place) {
    warn_about_curve_key(reading, digit, left);
    const std::string head = keywords::curva.the_phrase_at(inizio);
    if (length < 0) {
        reading.cursor.warn_at(warning_code::end_before_start, length_place,
                               head + ": its length " + std::to_string(length) +
                                   " m is negative, so the arc ends before it begins and adds "
                                   "nothing to the plan");
    } else if (inizio >= first_start_told_of_end_as_length && length > inizio) {
        reading.cursor.warn_at(
            warning_code::length_like_position, length_place,
            head + ": the length " + std::to_string(length) +
                " m is greater than the start: it looks like the metre where the arc ends, but "
                "it is read as a length, so the arc runs to metre " +
                std::to_string(std::int64_t{inizio} + length) + "; for an end at metre " +
                std::to_string(length) + " write the length " +
                std::to_string(std::int64_t{length} - inizio));
    }
}

}  // namespace scenario
