// The general part of the line file: the line length that sizes the grid and the plan, the
// kilometre references, the background settings and the cab-signal repetition.
#include <array>

#include "compiler/line_reader.h"
#include "compiler/line_reading.h"
#include "compiler/rounding.h"

namespace scenario {
namespace {

bool read_line_length(line_reading& reading) {
    scenario_record& record = reading.record;
    if (!read_into(reading.cursor, record.voci[entry::length_and_train].valore2)) {
        return false;
    }
    const std::int32_t length = record.voci[entry::length_and_train].valore2;
    if (length > lunghezza_massima) {
        fail_with(reading, 1, std::nullopt,
                  "lunghezza percorso is " + std::to_string(length) +
                      " m: the longest line that can be compiled is 1000000 m");
        return false;
    }
    if (length < 0) {
        fail_with(reading, error_code::no_room, length,
                  "lunghezza percorso is " + std::to_string(length) +
                      " m: a line cannot have a negative length");
        return false;
    }
    // A second length setting sizes the grid and the plan afresh.
    record.limite_profilo = length + margine_oltre_linea;
    record.ultima_cella = static_cast<std::int32_t>(nearest(record.limite_profilo / 50.0));
    record.celle.assign(static_cast<std::size_t>(record.ultima_cella) + 1, cella{});
    if (record.compila_linea != 0) {
        record.profilo.emplace(record.limite_profilo);
    }
    return true;
}

bool read_reference(source_cursor& cursor, voce& entry) {
    return read_into(cursor, entry.valore1) && read_into(cursor, entry.valore2) &&
           read_into(cursor, entry.valore3);
}

bool read_cab_signalling(line_reading& reading, const std::string& key) {
    voce& entry = reading.record.voci[entry::train];
    if (!read_into(reading.cursor, entry.valore1) || !read_into(reading.cursor, entry.valore2)) {
        return false;
    }
    if (entry.valore1 % 50 != 0) {
        fail_with(reading, 3, std::nullopt,
                  "ripetizione segnali starts at " + std::to_string(entry.valore1) +
                      " m, which is not a multiple of 50 m");
        return false;
    }
    if (entry.valore2 % 50 != 0) {
        fail_with(reading, 4, std::nullopt,
                  "ripetizione segnali ends at " + std::to_string(entry.valore2) +
                      " m, which is not a multiple of 50 m");
        return false;
    }
    if (contains_ignoring_case(key, "4")) {
        entry.valore3 = 4;
    } else if (contains_ignoring_case(key, "9")) {
        entry.valore3 = 9;
    } else {
        fail_with(reading, 5, std::nullopt,
                  "the key \"" + key + "\" gives no code count: write 4 or 9 in it");
        return false;
    }
    // An end of 0 means that the line has no equipped stretch.
    if (entry.valore2 == 0) {
        entry.valore3 = 0;
    }
    return true;
}

struct reference {
    std::int32_t valore1 = 0;
    std::int32_t valore2 = 0;
    std::int32_t valore3 = 0;
};

reference reference_of(const voce& entry) {
    return {entry.valore1, entry.valore2, entry.valore3};
}

}  // namespace

bool read_settings(line_reading& reading, const std::string& key) {
    auto& voci = reading.record.voci;
    source_cursor& cursor = reading.cursor;
    // Every setting whose words the key holds is read, in this order, from the same key.
    if (contains_ignoring_case(key, "lunghezza") && contains_ignoring_case(key, "percorso") &&
        !read_line_length(reading)) {
        return false;
    }
    if (contains(key, "tre") && contains(key, "progressiva") &&
        !read_reference(cursor, voci[entry::greatest_reference])) {
        return false;
    }
    if (contains(key, "due") && contains(key, "progressiva") &&
        !read_reference(cursor, voci[entry::middle_reference])) {
        return false;
    }
    if (contains(key, "uno") && contains(key, "progressiva") &&
        !read_reference(cursor, voci[entry::smallest_reference])) {
        return false;
    }
    if (contains(key, "sfondo") && contains(key, "uno") &&
        !read_into(cursor, voci[entry::route].valore1)) {
        return false;
    }
    if (contains(key, "sfondo") && contains(key, "due") &&
        !read_into(cursor, voci[entry::route].valore3)) {
        return false;
    }
    if (contains(key, "sfondo") && contains(key, "tre") &&
        !read_into(cursor, voci[entry::route].valore2)) {
        return false;
    }
    if (contains(key, "segnali") && contains(key, "ripetizione") &&
        !read_cab_signalling(reading, key)) {
        return false;
    }
    return true;
}

void progressive_ordina(scenario_record& record) {
    const reference tre = reference_of(record.voci[entry::greatest_reference]);
    const reference due = reference_of(record.voci[entry::middle_reference]);
    const reference uno = reference_of(record.voci[entry::smallest_reference]);
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
    }
}

}  // namespace scenario
