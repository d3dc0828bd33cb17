#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "compiler/line_reader.h"
#include "compiler/line_reading.h"

// Checks on the line file's general settings, which change nothing that is compiled: a
// setting given twice (the later one replaces the first), kilometre references that their
// ordering loses, a cab-signal span that ends before it starts or past the end of the line,
// and a line length that looks written in kilometres.
namespace scenario {
namespace {

// A line length in kilometres is at most this many: the longest line is 1000 km.
constexpr std::int32_t longest_length_in_kilometres = 1000;

struct given_reference {
    const voce* values = nullptr;
    field_location place;
    std::string_view name;
};

// A length that, read as kilometres, would hold a record reaching `position`.
bool looks_like_kilometres(std::int32_t length, std::int64_t position) {
    return length > 0 && length <= longest_length_in_kilometres && position > length &&
           std::int64_t{length} * 1000 >= position;
}

bool no_reference(const voce& values) {
    return values.valore1 == 0 && values.valore2 == 0 && values.valore3 == 0;
}

void check_references(line_reading& reading) {
    const std::array<given_reference, 3> read = {{
        {&reading.record.voci[entry::greatest_reference],
         reading.setting_places[static_cast<std::size_t>(setting_index::reference_tre)], "tre"},
        {&reading.record.voci[entry::middle_reference],
         reading.setting_places[static_cast<std::size_t>(setting_index::reference_due)], "due"},
        {&reading.record.voci[entry::smallest_reference],
         reading.setting_places[static_cast<std::size_t>(setting_index::reference_uno)], "uno"},
    }};
    std::array<const given_reference*, 3> given{};
    std::size_t count = 0;
    for (const given_reference& reference : read) {
        if (reference.place.line > 0 && !no_reference(*reference.values)) {
            given[count++] = &reference;
        }
    }
    // The later of two references at one position is told, naming the first.
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = a + 1; b < count; ++b) {
            const given_reference& first =
                given[a]->place.line <= given[b]->place.line ? *given[a] : *given[b];
            const given_reference& later = &first == given[a] ? *given[b] : *given[a];
            if (first.values->valore1 != later.values->valore1) {
                continue;
            }
            const std::int32_t at = later.values->valore1;
            const std::int64_t sum = std::int64_t{read[0].values->valore1} +
                                     read[1].values->valore1 + read[2].values->valore1;
            const std::int32_t greatest = std::max(
                {read[0].values->valore1, read[1].values->valore1, read[2].values->valore1});
            std::string message = "progressiva chilometrica " + std::string(later.name) +
                                  " stands at " + std::to_string(at) +
                                  " m, like progressiva chilometrica " + std::string(first.name) +
                                  ": ";
            if (sum != 0 && at == greatest) {
                message +=
                    "the references are ordered by position, and a tie for the greatest "
                    "clears all three to 0, 0, 0";
            } else {
                message +=
                    "the references are ordered by position, so which of the two comes "
                    "first is left to the order of the keys";
            }
            reading.cursor.warn_at(warning_code::reference_position, later.place,
                                   message + "; give each reference a position of its own");
            reading.errors.relate_latest(reading.cursor.point_at(first.place),
                                         "the other reference at " + std::to_string(at) + " m");
            return;
        }
    }
}

void check_cab_signalling(line_reading& reading) {
    const field_location place =
        reading.setting_places[static_cast<std::size_t>(setting_index::cab_signalling)];
    if (place.line == 0) {
        return;
    }
    const voce& span = reading.record.voci[entry::train];
    const std::string head = "ripetizione segnali from " + std::to_string(span.valore1) + " m to " +
                             std::to_string(span.valore2) + " m";
    // An end of 0 means that the line has no equipped stretch.
    if (span.valore2 != 0 && span.valore2 < span.valore1) {
        reading.cursor.warn_at(warning_code::end_before_start, place,
                               head + ": the end comes before the start; give the start first");
    }
    if (const std::optional<std::int32_t> length = line_end_passed(reading.context, span.valore2)) {
        reading.cursor.warn_at(warning_code::beyond_line_end, place,
                               head + " reaches past the end of the line at " +
                                   std::to_string(*length) + " m (lunghezza percorso)");
    }
}

}  // namespace

void note_setting(line_reading& reading, setting_index which, const keyword& kind) {
    field_location& given = reading.setting_places[static_cast<std::size_t>(which)];
    const field_location here = reading.cursor.record_key_place();
    if (given.line > 0) {
        std::string message = std::string(kind.name) +
                              " is given again: its values replace those given on line " +
                              std::to_string(given.line) + ", which are lost";
        if (which == setting_index::length) {
            message = std::string(kind.name) +
                      " is given again: the grid and the plan are made afresh for this length, "
                      "and the one on line " +
                      std::to_string(given.line) + " is lost";
        }
        reading.cursor.warn_at(warning_code::setting_repeated, here, std::move(message));
        reading.errors.relate_latest(reading.cursor.point_at(given), "given first here");
    }
    given = here;
}

std::optional<std::int32_t> line_end_passed(compile_context& context, std::int64_t end) {
    if (!context.origins.entry(entry::length_and_train).known()) {
        return std::nullopt;
    }
    const std::int32_t length = context.record.voci[entry::length_and_train].valore2;
    if (end <= length) {
        return std::nullopt;
    }
    if (looks_like_kilometres(length, end)) {
        warn_if_length_in_kilometres(context, end);
        return std::nullopt;
    }
    return length;
}

void check_general_settings(line_reading& reading) {
    check_references(reading);
    check_cab_signalling(reading);
}

void warn_if_length_in_kilometres(compile_context& context, std::int64_t position) {
    const std::int32_t length = context.record.voci[entry::length_and_train].valore2;
    const record_origin& setting = context.origins.entry(entry::length_and_train);
    if (!setting.known() || !looks_like_kilometres(length, position)) {
        return;
    }
    // Told once, at the first record beyond the grid.
    const auto& warnings = context.errors.warnings();
    if (std::any_of(warnings.begin(), warnings.end(), [](const recorded_warning& warning) {
            return warning.code == warning_code::length_unit.code;
        })) {
        return;
    }
    context.errors.warn(
        warning_code::length_unit, context.origins.point_of(setting),
        "lunghezza percorso is " + std::to_string(length) +
            " m, far shorter than the records that follow (the first of them "
            "past its end reaches " +
            std::to_string(position) + " m): the length is in metres; for a line of " +
            std::to_string(length) + " km write " + std::to_string(std::int64_t{length} * 1000));
}

}  // namespace scenario
