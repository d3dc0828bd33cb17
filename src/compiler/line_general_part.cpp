// The general part of the line file: the line length that sizes the grid and the plan, the
// kilometre references, the background settings and the cab-signal repetition.
#include <array>
#include <initializer_list>

#include "compiler/line_reader.h"
#include "compiler/line_reading.h"
#include "compiler/unread_fields.h"
#include "format/rounding.h"

namespace scenario {
namespace {

record_outcome read_line_length(line_reading& reading) {
    scenario_record& record = reading.record;
    if (!read_number_keeping_old(reading.cursor, record.voci[entry::length_and_train].valore2)) {
        return record_outcome::returned;
    }
    const std::int32_t length = record.voci[entry::length_and_train].valore2;
    const bool too_long = length > lunghezza_massima;
    if (too_long || length < 0) {
        const error_code_entry& code = too_long ? error_code::line_too_long : error_code::no_room;
        std::string detail = "lunghezza percorso is " + std::to_string(length) + " m: " +
                             (too_long ? "the longest line that can be compiled is 1000000 m"
                                       : "a line cannot have a negative length");
        if (!reading.context.reads_past_errors()) {
            return end_with_error(reading, code, length, std::move(detail));
        }
        // A scan goes on with the largest grid, to find the mistakes that a grid can show.
        note_error_and_go_on(reading, code, length, std::move(detail));
        create_grid(reading.context, lunghezza_massima);
        return record_outcome::returned;
    }
    // A second length setting sizes the grid and the plan afresh.
    create_grid(reading.context, length);
    reading.context.origins.fill(entry::length_and_train, reading.origin(length));
    return record_outcome::next;
}

record_outcome read_values(line_reading& reading, std::initializer_list<std::int32_t*> targets) {
    for (std::int32_t* target : targets) {
        if (!read_number_keeping_old(reading.cursor, *target)) {
            return record_outcome::returned;
        }
    }
    return record_outcome::next;
}

template <std::size_t slot>
record_outcome read_reference(line_reading& reading) {
    voce& reference = reading.record.voci[slot];
    const record_outcome outcome =
        read_values(reading, {&reference.valore1, &reference.valore2, &reference.valore3});
    // Its origin follows it through the ordering: the setting and the position as written.
    reading.context.origins.fill(slot, reading.origin(reference.valore1));
    return outcome;
}

// The three backgrounds go to entry 85 crossed: "due" to valore3, "tre" to valore2.
template <std::int32_t voce::*field>
record_outcome read_background(line_reading& reading) {
    return read_values(reading, {&(reading.record.voci[entry::route].*field)});
}

record_outcome read_cab_signalling(line_reading& reading) {
    voce& entry = reading.record.voci[entry::train];
    if (read_values(reading, {&entry.valore1, &entry.valore2}) != record_outcome::next) {
        return record_outcome::returned;
    }
    // A scan past the compile's stop tells each of the setting's errors; the compile ends at
    // the first.
    const bool scan = reading.context.reads_past_errors();
    bool refused = false;
    if (entry.valore1 % 50 != 0) {
        std::string detail = "ripetizione segnali starts at " + std::to_string(entry.valore1) +
                             " m, which is not a multiple of 50 m";
        if (!scan) {
            return end_with_error(reading, error_code::cab_signalling_start_off_cell, std::nullopt,
                                  std::move(detail));
        }
        note_error_and_go_on(reading, error_code::cab_signalling_start_off_cell, std::nullopt,
                             std::move(detail));
        refused = true;
    }
    if (entry.valore2 % 50 != 0) {
        std::string detail = "ripetizione segnali ends at " + std::to_string(entry.valore2) +
                             " m, which is not a multiple of 50 m";
        if (!scan) {
            return end_with_error(reading, error_code::cab_signalling_end_off_cell, std::nullopt,
                                  std::move(detail));
        }
        note_error_and_go_on(reading, error_code::cab_signalling_end_off_cell, std::nullopt,
                             std::move(detail));
        refused = true;
    }
    if (contains(reading.key, "4") && contains(reading.key, "9")) {
        reading.cursor.warn_at(warning_code::keyword_match, reading.cursor.record_key_place(),
                               "the key " + quoted_field(reading.key) +
                                   " holds both 4 and 9: the 4 counts, so it is read as 4 "
                                   "codes; write 4 or 9, not both");
    }
    if (contains_ignoring_case(reading.key, "4")) {
        entry.valore3 = 4;
    } else if (contains_ignoring_case(reading.key, "9")) {
        entry.valore3 = 9;
    } else {
        return end_with_error(
            reading, error_code::cab_signalling_key, std::nullopt,
            "the key \"" + reading.key + "\" gives no code count: write 4 or 9 in it");
    }
    // An end of 0 means that the line has no equipped stretch.
    if (entry.valore2 == 0) {
        entry.valore3 = 0;
    }
    return refused ? record_outcome::returned : record_outcome::next;
}

// The settings in the order in which a key is tested for them. Only the line length is
// named in either case; the other words must stand in lower case.
constexpr keyword_table<line_reading, 8> settings = {{
    {&keywords::lunghezza_percorso, read_line_length},
    {&keywords::progressiva_tre, read_reference<entry::greatest_reference>},
    {&keywords::progressiva_due, read_reference<entry::middle_reference>},
    {&keywords::progressiva_uno, read_reference<entry::smallest_reference>},
    {&keywords::sfondo_uno, read_background<&voce::valore1>},
    {&keywords::sfondo_due, read_background<&voce::valore3>},
    {&keywords::sfondo_tre, read_background<&voce::valore2>},
    {&keywords::ripetizione_segnali, read_cab_signalling},
}};

struct reference {
    std::int32_t valore1 = 0;
    std::int32_t valore2 = 0;
    std::int32_t valore3 = 0;
    record_origin origin;
};

reference reference_of(const voce& entry, const record_origins* origins, std::size_t slot) {
    return {entry.valore1, entry.valore2, entry.valore3,
            origins != nullptr ? origins->entry(slot) : record_origin{}};
}

}  // namespace

record_outcome read_settings(line_reading& reading) {
    for (std::size_t i = 0; i < settings.size(); ++i) {
        if (settings[i].kind->named_by(reading.key)) {
            note_setting(reading, static_cast<setting_index>(i), *settings[i].kind);
        }
    }
    return read_named_records(reading, settings);
}

void progressive_ordina(scenario_record& record, record_origins* origins) {
    const reference tre =
        reference_of(record.voci[entry::greatest_reference], origins, entry::greatest_reference);
    const reference due =
        reference_of(record.voci[entry::middle_reference], origins, entry::middle_reference);
    const reference uno =
        reference_of(record.voci[entry::smallest_reference], origins, entry::smallest_reference);
    const std::int32_t t1 = tre.valore1;
    const std::int32_t d1 = due.valore1;
    const std::int32_t u1 = uno.valore1;

    std::array<reference, 3> ordered{};  // entries 81, 82, 83; a tie clears all three
    if (low_32_bits(std::int64_t{t1} + d1 + u1) != 0) {
        if (t1 > d1 && t1 > u1) {
            ordered = d1 > u1 ? std::array{tre, due, uno} : std::array{tre, uno, due};
        } else if (d1 > t1 && d1 > u1) {
            ordered = t1 > u1 ? std::array{due, tre, uno} : std::array{due, uno, tre};
        } else if (u1 > t1 && u1 > d1) {
            ordered = t1 > d1 ? std::array{uno, tre, due} : std::array{uno, due, tre};
        }
    } else if (uno.valore2 > 0) {
        // References that all stand at 0 are told apart by their values.
        ordered = {uno, due, tre};
    } else if (due.valore2 > 0) {
        ordered = {due, tre, uno};
    } else if (tre.valore2 > 0) {
        ordered = {tre, due, uno};
    }

    for (std::size_t slot = 0; slot < ordered.size(); ++slot) {
        voce& entry = record.voci[entry::greatest_reference + slot];
        entry.valore1 = ordered[slot].valore1;
        entry.valore2 = ordered[slot].valore2;
        entry.valore3 = ordered[slot].valore3;
        if (entry.valore3 == 1) {
            entry.valore2 = low_32_bits(std::int64_t{entry.valore2} + 100);
        }
        if (origins != nullptr) {
            origins->fill(entry::greatest_reference + slot, ordered[slot].origin);
        }
    }
}

void create_grid(compile_context& context, std::int32_t length) {
    scenario_record& record = context.record;
    record.limite_profilo = length + margine_oltre_linea;
    record.ultima_cella = static_cast<std::int32_t>(nearest(record.limite_profilo / 50.0));
    record.celle.assign(static_cast<std::size_t>(record.ultima_cella) + 1, cella{});
    context.origins.size_grid(record.celle.size());
    if (record.compila_linea != 0) {
        record.profilo.emplace(record.limite_profilo);
    }
}

}  // namespace scenario
