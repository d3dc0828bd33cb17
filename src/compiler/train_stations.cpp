#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "compiler/compiled_texts.h"
#include "compiler/train_reading.h"
#include "format/rounding.h"
#include "format/station_meaning.h"

// Stations: the "stazione" record fills item-table entry k, marks the station's end cell and
// the approach cells before it, and checks the spacing to the previous station.
namespace scenario {
namespace {

constexpr std::int32_t station_spacing = 350;  // between one area and the next
constexpr int approach_steps = 4;
constexpr std::uint8_t first_approach_code = 80;

bool fits_32_bits(std::int64_t value) {
    return value >= std::numeric_limits<std::int32_t>::min() &&
           value <= std::numeric_limits<std::int32_t>::max();
}

// Reads the columns after the length into the entry, in file order; false when a read fails.
bool read_columns(source_cursor& cursor, voce& station, station_as_read& read) {
    if (!cursor.read_uint8(station.stato) || !cursor.read_uint8(station.extra4)) {
        return false;
    }
    read.tab_place = cursor.place();
    if (!cursor.read_uint8(station.extra3)) {
        return false;
    }
    read.mar_place = cursor.place();
    if (!cursor.read_int16(station.numero1) || !cursor.read_int16(station.numero2) ||
        !cursor.read_uint8(station.extra1) || !cursor.read_int16(station.numero3) ||
        !cursor.read_int16(station.numero4) || !cursor.read_int16(station.numero5) ||
        !cursor.read_uint8(station.extra2) || !cursor.read_int32(read.oro)) {
        return false;
    }
    read.time_place = cursor.place();
    return cursor.read_int32(read.orm) && cursor.read_int32(read.ors);
}

std::string station_at(std::int32_t pos) {
    return keywords::stazione.the_phrase_at(pos);
}

// Restores the entry of a station that the record has no room for and refuses it.
record_outcome refuse(train_reading& reading, voce& station, const voce& before, std::int32_t pos,
                      const std::string& why) {
    station = before;
    return refuse_no_room(reading, pos, station_at(pos) + ": " + why);
}

// The station's area, its flags and its cells, once every column is read.
record_outcome place_station(train_reading& reading, voce& station, const voce& before,
                             std::int32_t pos, std::int32_t lung) {
    scenario_record& record = reading.record;
    const station_area area = area_of_station(station.tipo, pos, lung, station.extra3 != 0);
    if (!fits_32_bits(area.inizio) || !fits_32_bits(area.fine)) {
        return refuse(reading, station, before, pos,
                      "its area from " + std::to_string(area.inizio) + " m to " +
                          std::to_string(area.fine) + " m does not fit a 32-bit position");
    }
    const double end_point = station_end_point(static_cast<std::int32_t>(area.fine));
    const bool has_end = has_station_end(station.tipo);
    // The approach cells lie before the end cell: an end cell inside the grid keeps them in.
    if (has_end && end_point > 1 && nearest(end_point) > record.ultima_cella) {
        return refuse(
            reading, station, before, pos,
            "its end cell " + std::to_string(static_cast<std::int64_t>(nearest(end_point))) +
                " lies beyond the grid's last cell, " + std::to_string(record.ultima_cella));
    }
    station.valore1 = static_cast<std::int32_t>(area.inizio);
    station.valore2 = static_cast<std::int32_t>(area.fine);
    if (!keeps_station_mar(station.tipo)) {
        station.extra3 = 0;
    }
    if (lung < shortest_station_with_tab) {
        station.extra4 = 0;
    }
    // The first station keeps mar for its area only.
    if (reading.k == 1) {
        station.extra3 = 0;
        station.extra4 = 0;
    }

    if (has_approach_markers(station.tipo)) {
        for (int j = 1; j <= approach_steps; ++j) {
            const double q = end_point - j;
            if (q > 1) {
                record.celle[static_cast<std::int64_t>(nearest(q))].extra2 =
                    static_cast<std::uint8_t>(first_approach_code + j);
            }
        }
    }
    if (has_end) {
        if (end_point <= 1) {
            return end_with_error(reading, error_code::station_ends_too_early, std::nullopt,
                                  station_at(pos) + ": its area ends at " +
                                      std::to_string(station.valore2) +
                                      " m; a station must end beyond 100 m");
        }
        // The end cell is written whatever it holds.
        const auto end_cell = static_cast<std::int64_t>(nearest(end_point));
        cella& end = record.celle[end_cell];
        if (!end.libera()) {
            reading.cursor.warn_at(warning_code::overwritten, reading.cursor.record_key_place(),
                                   station_at(pos) + ": its end cell " + std::to_string(end_cell) +
                                       " held " + describe_cell(end) +
                                       ", which the station end replaces: that object is lost");
            relate_cell_holder(reading.context, end_cell);
        }
        end.tipo = kind::fine_stazione;
        end.dato1 = low_16_bits(reading.k);
        reading.context.origins.place(static_cast<std::size_t>(end_cell), reading.origin(pos));
    }
    return record_outcome::next;
}

// Stations follow each other at least 350 m apart, and stop below the indicator boards.
record_outcome space_and_count_station(train_reading& reading, const voce& station,
                                       std::int32_t pos) {
    const std::int32_t k = reading.k;
    if (k > 1) {
        const std::int32_t previous_end = reading.record.voci[k - 1].valore2;
        if (std::int64_t{station.valore1} - station_spacing < previous_end) {
            return end_with_error(reading, error_code::stations_too_close, pos,
                                  station_at(pos) + ": its area begins at " +
                                      std::to_string(station.valore1) +
                                      " m, less than 350 m after the previous station's area "
                                      "ends at " +
                                      std::to_string(previous_end) + " m");
        }
    }
    ++reading.k;
    const std::int32_t e = reading.context.prossima_voce_cartello;
    if (reading.k >= e) {
        return end_with_error(
            reading, error_code::item_table_full, std::nullopt,
            station_at(pos) + " is station " + std::to_string(k) + ": with " +
                std::to_string(static_cast<std::int32_t>(entry::first_board_text) - e) +
                " indicator boards the item table holds at most " +
                std::to_string(std::max(0, e - 2)) + " stations");
    }
    return record_outcome::next;
}

}  // namespace

record_outcome read_station(train_reading& reading) {
    scenario_record& record = reading.record;
    source_cursor& cursor = reading.cursor;
    const std::int32_t e = reading.context.prossima_voce_cartello;
    const bool scan = reading.context.reads_past_errors();
    station_as_read read;
    if (!cursor.read_int32(read.pos)) {
        return record_outcome::returned;
    }
    read.pos_place = cursor.place();
    const std::int32_t pos = read.pos;
    // A scan past the compile's stop that has found the item table full reads the stations
    // after it into an entry of its own, for the errors of their own values.
    const bool has_entry = !scan || reading.k < e;
    if (reading.k > e && has_entry) {
        return refuse_no_room(reading, pos,
                              station_at(pos) +
                                  ": the indicator boards fill the item table down to entry " +
                                  std::to_string(e + 1) + "; no entry is left for a station");
    }
    voce scratch;
    voce& station = has_entry ? record.voci[reading.k] : scratch;
    const voce before = station;

    station.valore3 = pos;
    if (beyond_placement_limit(record, pos, station_margin)) {
        return stop_train_beyond_grid(reading, keywords::stazione, pos, station_margin);
    }
    if (pos < 0) {
        return refuse(reading, station, before, pos, "the line has no cell before 0 m");
    }
    // The compile stops at a position off the cells; a scan reads on to tell a length off the
    // hundreds in the same record too.
    bool refused = false;
    if (pos % cell_metres != 0) {
        std::string detail = station_at(pos) + ": the position is not a multiple of 50 m";
        if (!scan) {
            return end_with_error(reading, error_code::station_position_off_cell, pos,
                                  std::move(detail));
        }
        note_error_and_go_on(reading, error_code::station_position_off_cell, pos,
                             std::move(detail));
        refused = true;
    }
    if (!cursor.read_uint8(station.tipo) || !cursor.read_int32(read.lung)) {
        return record_outcome::returned;
    }
    const std::int32_t lung = read.lung;
    if (lung % 100 != 0) {
        return end_with_error(reading, error_code::station_length_off_100, pos,
                              station_at(pos) + ": the length " + std::to_string(lung) +
                                  " m is not a multiple of 100 m");
    }
    if (!read_columns(cursor, station, read) || !cursor.read_field()) {
        return record_outcome::returned;
    }
    const field_location name_place = cursor.place();
    read.name_place = name_place;
    if (refused) {
        return record_outcome::returned;
    }
    station.valore4 = low_32_bits((std::int64_t{read.oro} * 60 + read.orm) * 60 + read.ors);
    store_text(reading, station.testo, name_place, "the name");
    if (!has_entry) {
        return record_outcome::next;
    }
    warn_about_station(reading, station, read);

    if (const record_outcome placed = place_station(reading, station, before, pos, lung);
        placed != record_outcome::next) {
        return placed;
    }
    warn_beyond_line_end(reading, station_at(pos) + ": its area", station.valore2, read.pos_place);
    reading.context.origins.fill(static_cast<std::size_t>(reading.k), reading.origin(pos));
    return space_and_count_station(reading, station, pos);
}

}  // namespace scenario
