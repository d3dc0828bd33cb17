#include <algorithm>
#include <string>
#include <utility>

#include "compiler/keywords.h"
#include "compiler/line_reader.h"
#include "compiler/train_reading.h"

// Warnings about values of the train file that no train can have, or that are lost: general
// values set twice or never, speeds of 0 or far above the line's boards, objects beyond the
// end of the line. They change nothing that is compiled.
namespace scenario {
namespace {

struct general_value_words {
    const keyword* kind;
    std::string_view compiled;  // what the train gets when the file never sets it
};

constexpr std::array<general_value_words, general_value_count> general_value_names = {{
    {&keywords::massa_frenata, "a braked mass of 0 %"},
    {&keywords::vetture, "0 coaches"},
    {&keywords::orologio, "a start at 0:00:00"},
    {&keywords::sabbia, "sand 0"},
}};

// Without boards, a speed above this is taken for a mistake.
constexpr std::int32_t fastest_speed_without_boards = 300;
// With boards: a speed more than twice the fastest board's.
constexpr std::int32_t board_speed_ratio_percent = 200;
// A slowdown length no greater than this, a multiple of 5, may be a speed.
constexpr std::int32_t slowest_length_not_a_speed = 300;

std::string joined(const std::vector<std::string>& parts) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            text += i + 1 == parts.size() ? " and " : ", ";
        }
        text += parts[i];
    }
    return text;
}

}  // namespace

void note_general_value(train_reading& reading, general_value which) {
    const auto index = static_cast<std::size_t>(which);
    field_location& set = reading.general_values[index];
    const field_location here = reading.cursor.record_key_place();
    if (set.line > 0) {
        reading.cursor.warn_at(warning_code::setting_repeated, here,
                               std::string(general_value_names[index].kind->name) +
                                   " is set again: this value replaces the one set on line " +
                                   std::to_string(set.line) + ", which is lost");
        reading.errors.relate_latest(reading.cursor.point_at(set), "the value set first");
    }
    set = here;
}

void tell_general_values_not_set(train_reading& reading, source_point header) {
    // A file that sets none of them and runs to no station holds a fragment of a train (a
    // signal or two), not a run: only a general part with a value missing, or a run without
    // one, is told.
    const bool any_set = std::any_of(reading.general_values.begin(), reading.general_values.end(),
                                     [](const field_location& set) { return set.line > 0; });
    if (!any_set && reading.k == 1) {
        return;
    }
    std::vector<std::string> missing;
    for (std::size_t i = 0; i < general_value_count; ++i) {
        if (reading.general_values[i].line == 0) {
            missing.push_back(std::string(general_value_names[i].kind->name) + " (" +
                              std::string(general_value_names[i].compiled) + ")");
        }
    }
    if (missing.empty()) {
        return;
    }
    reading.errors.warn(warning_code::value_not_set, std::move(header),
                        "the train file never sets " + joined(missing) + ": " +
                            (missing.size() == 1 ? "it is" : "they are") +
                            " compiled as 0; write " + (missing.size() == 1 ? "it" : "them") +
                            " after the \"[generale]\" header");
}

void warn_about_speed(train_reading& reading, std::string_view what, std::int32_t speed,
                      field_location place, std::optional<std::int32_t> length) {
    const std::int32_t fastest = reading.context.fastest_board_speed;
    const std::int64_t limit = fastest > 0 ? std::int64_t{fastest} * board_speed_ratio_percent / 100
                                           : fastest_speed_without_boards;
    std::string message;
    if (speed == 0) {
        message = std::string(what) + ": a speed of 0 km/h lets no train run";
    } else if (speed > limit) {
        message = std::string(what) + ": " + std::to_string(speed) + " km/h is far above " +
                  (fastest > 0 ? "the fastest speed on the line's boards, " +
                                     std::to_string(fastest) + " km/h"
                               : "any train's speed");
        if (length && *length > 0 && *length <= slowest_length_not_a_speed && *length % 5 == 0) {
            message += "; over " + std::to_string(*length) +
                       " m it looks like the speed and the length written the other way "
                       "round: the speed comes first, then the length";
        }
    } else {
        return;
    }
    reading.cursor.warn_at(warning_code::speed_value, place, message);
}

void warn_beyond_line_end(train_reading& reading, std::string_view what, std::int64_t end,
                          field_location place) {
    const std::optional<std::int32_t> length = line_end_passed(reading.context, end);
    if (!length) {
        return;
    }
    reading.cursor.warn_at(warning_code::beyond_line_end, place,
                           std::string(what) + " reaches " + std::to_string(end) +
                               " m, past the end of the line at " + std::to_string(*length) +
                               " m (lunghezza percorso)");
}

}  // namespace scenario
