// Mountain-side stretches: the kind of each stretch goes into `extra3` of its cells, and a
// stretch that asks for markers gets one in every fourth empty cell.
#include <string>
#include <utility>

#include "compiler/line_reader.h"
#include "compiler/line_reading.h"
#include "format/rounding.h"

namespace scenario {
namespace {

// A stretch that begins this close after the end of the one before it continues it.
constexpr std::int64_t continuation_gap = 150;
constexpr std::int32_t marker_offset = 10;

void memo_montagna(line_reading& reading, std::int32_t inizio, std::int32_t fine,
                   std::int32_t tipo) {
    const bool markers = tipo > marker_offset;
    if (markers) {
        tipo -= marker_offset;
    }
    const std::int32_t n = ++reading.numero_montagne;
    reading.montagne_inizio[n] = inizio;
    reading.montagne_fine[n] = fine;
    if (n > 1 &&
        low_32_bits(std::int64_t{inizio} - reading.montagne_fine[n - 1]) <= continuation_gap) {
        tipo = 3;
    }

    const std::int64_t first_cell = cella_di_inizio(inizio);
    const auto last_cell = static_cast<std::int64_t>(nearest(fine / 50.0 - 1.0));
    std::int64_t count = 0;
    for (std::int64_t i = first_cell; i <= last_cell; ++i) {
        cella& cell = reading.record.celle[static_cast<std::size_t>(i)];
        cell.extra3 = low_8_bits(tipo);
        ++count;
        if (markers && count % 4 == 0 && cell.tipo == kind::libera && (i - 4) * 50 < fine) {
            cell.tipo = kind::marcatore_montagna;
            reading.context.origins.place(static_cast<std::size_t>(i), reading.origin(inizio));
        }
    }
}

// Stretches are meant in increasing order; one that begins before the stretch read before it
// also counts as continuing that stretch, which changes its kind to 3.
void warn_about_mountain_order(line_reading& reading, std::int32_t inizio, std::int32_t tipo,
                               field_location start_place) {
    const std::int32_t n = reading.numero_montagne;
    if (n == 0 || inizio >= reading.montagne_inizio[n]) {
        return;
    }
    std::string message = keywords::montagna.the_phrase_at(inizio) +
                          " comes after the stretch at " +
                          std::to_string(reading.montagne_inizio[n]) +
                          " m: list the stretches in increasing order of position";
    const std::int32_t own_kind = tipo > marker_offset ? tipo - marker_offset : tipo;
    const bool continues =
        low_32_bits(std::int64_t{inizio} - reading.montagne_fine[n]) <= continuation_gap;
    if (continues && own_kind != 3) {
        message +=
            "; beginning no more than 150 m after that stretch's end, it counts as "
            "continuing it and its kind " +
            std::to_string(own_kind) + " becomes 3";
    }
    reading.cursor.warn_at(warning_code::mountain_order, start_place, std::move(message));
}

// The kinds that the guide gives: 1 and 2, and 3, which the reader gives a continuing
// stretch, each with 10 added for markers.
bool is_documented_kind(std::int32_t tipo) {
    const std::int32_t own = tipo > marker_offset ? tipo - marker_offset : tipo;
    return own >= 1 && own <= 3;
}

void warn_about_mountain_values(line_reading& reading, std::int32_t inizio, std::int32_t fine,
                                std::int32_t tipo, field_location start_place) {
    const std::string head =
        "montagna from " + std::to_string(inizio) + " m to " + std::to_string(fine) + " m";
    if (!is_documented_kind(tipo)) {
        reading.cursor.warn_at(
            warning_code::mountain_kind, start_place,
            head + ": kind " + std::to_string(tipo) +
                " is none of 1, 2 and 3 (11 to 13 with markers); it is "
                "stored as " +
                std::to_string(low_8_bits(tipo > marker_offset ? tipo - marker_offset : tipo)) +
                " in every cell of the stretch");
    }
    if (fine < inizio) {
        reading.cursor.warn_at(warning_code::end_before_start, start_place,
                               head +
                                   ": the end comes before the start, so the stretch covers "
                                   "no cell; give the start first");
        return;
    }
    if (const std::optional<std::int32_t> length = line_end_passed(reading.context, fine)) {
        reading.cursor.warn_at(warning_code::beyond_line_end, start_place,
                               head + " reaches past the end of the line at " +
                                   std::to_string(*length) + " m (lunghezza percorso)");
    }
}

}  // namespace

record_outcome read_mountain(line_reading& reading) {
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t tipo = 0;
    if (!reading.cursor.read_int32(inizio)) {
        return record_outcome::returned;
    }
    const field_location start_place = reading.cursor.place();
    if (!reading.cursor.read_int32(fine) || !reading.cursor.read_int32(tipo)) {
        return record_outcome::returned;
    }
    if (beyond_placement_limit(reading.record, inizio, record_margin)) {
        return stop_line_beyond_grid(reading, keywords::montagna, inizio);
    }
    if (inizio < 0) {
        return refuse_no_room(
            reading, inizio,
            keywords::montagna.the_phrase_at(inizio) + ": the line starts at metre 0");
    }
    if (reading.numero_montagne >= massimo_montagne) {
        return refuse_no_room(reading, inizio,
                              keywords::montagna.the_phrase_at(inizio) +
                                  ": a line has at most 80 mountain-side stretches");
    }
    const auto last_cell = static_cast<std::int64_t>(nearest(fine / 50.0 - 1.0));
    if (last_cell > reading.record.ultima_cella) {
        return refuse_no_room(reading, inizio,
                              keywords::montagna.the_phrase_at(inizio) + ": the stretch ends at " +
                                  std::to_string(fine) + " m, beyond the last cell of the grid, " +
                                  std::to_string(reading.record.ultima_cella));
    }
    warn_about_mountain_order(reading, inizio, tipo, start_place);
    warn_about_mountain_values(reading, inizio, fine, tipo, start_place);
    memo_montagna(reading, inizio, fine, tipo);
    return record_outcome::next;
}

}  // namespace scenario
