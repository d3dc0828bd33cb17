#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "compiler/train_reading.h"
#include "format/rounding.h"

// The speed-limit and adherence series. Each record closes the stretch of the value in force
// before it: the cells from the fill point up to the record's cell receive that value, and
// the record's own value waits for the next record or for the tail at the end of the file.
namespace scenario {
namespace {

// The grid keeps a speed as its fifth in one byte.
std::uint8_t speed_fifth(std::int32_t speed) {
    return static_cast<std::uint8_t>(static_cast<int>(nearest(speed / 5.0)));
}

bool speed_fits(std::int32_t speed) {
    const double fifth = nearest(speed / 5.0);
    return fifth >= 0 && fifth <= 255;
}

// A series should start at position 0: the cells before its first record get the value in
// force before any record, 0. Later records should come in order, one cell each.
struct series_kind {
    const keyword* kind;
    std::string_view zero;  // the value before any record, as the author reads it
};
constexpr series_kind speed_series{&keywords::velocita, "0 km/h"};
constexpr series_kind adherence_series{&keywords::aderenza, "adherence 0"};

void warn_about_series(train_reading& reading, series_history& history, series_kind kind,
                       const std::string& value, std::int32_t p, std::int64_t n,
                       std::int64_t fill_point, field_location position_place) {
    const keyword& what = *kind.kind;
    if (!history.started && n > 0) {
        reading.cursor.warn_at(warning_code::series_start, position_place,
                               what.the_phrase_at(p) + " is the first of its series: cells 0 to " +
                                   std::to_string(n - 1) + " (up to " + std::to_string(n * 50) +
                                   " m) get " + std::string(kind.zero) +
                                   "; start the series at position 0");
    }
    std::string order = series_order_warning(what, value, p, n, fill_point, history);
    if (!order.empty()) {
        reading.cursor.warn_at(warning_code::series_order, position_place, std::move(order));
    }
    history.note(p);
}

}  // namespace

record_outcome read_speed_limit(train_reading& reading) {
    std::int32_t p = 0;
    std::int32_t s = 0;
    if (!reading.cursor.read_int32(p)) {
        return record_outcome::returned;
    }
    const field_location position_place = reading.cursor.place();
    if (!reading.cursor.read_int32(s)) {
        return record_outcome::returned;
    }
    const field_location speed_place = reading.cursor.place();
    scenario_record& record = reading.record;
    if (beyond_placement_limit(record, p, record_margin)) {
        return stop_train_beyond_grid(reading, keywords::velocita, p, record_margin);
    }
    if (p < 0) {
        return refuse_no_room(
            reading, p, keywords::velocita.the_phrase_at(p) + ": the line has no cell before 0 m");
    }
    if (!speed_fits(s)) {
        return refuse_no_room(reading, p,
                              keywords::velocita.the_phrase_at(p) + ": " + std::to_string(s) +
                                  " km/h does not fit; speeds run from 0 to 1275 km/h");
    }
    const std::int64_t n = cella_di_inizio(p);
    if (s % 5 != 0) {
        reading.cursor.warn_at(warning_code::speed_not_multiple_of_5, speed_place,
                               keywords::velocita.the_phrase_at(p) + ": " + std::to_string(s) +
                                   " km/h is not a multiple of 5; it is stored as " +
                                   std::to_string(speed_fifth(s) * 5) + " km/h");
    }
    warn_about_series(reading, reading.speeds, speed_series, std::to_string(s) + " km/h", p, n,
                      reading.speed_fill, position_place);
    warn_about_speed(reading, keywords::velocita.the_phrase_at(p), s, speed_place);
    if (n > 0) {
        // At least one cell is written, even when the record's cell is behind the fill
        // point; the fill never passes the last cell.
        do {
            if (reading.speed_fill >= record.ultima_cella) {
                break;
            }
            record.celle[reading.speed_fill].extra4 = speed_fifth(reading.current_speed);
            ++reading.speed_fill;
        } while (reading.speed_fill < n);
    }
    reading.current_speed = s;
    reading.context.run.speed_limits.push_back({p, s, reading.cursor.record_key_place().line});
    return record_outcome::next;
}

record_outcome read_adherence(train_reading& reading) {
    std::int32_t p = 0;
    std::int32_t a = 0;
    if (!reading.cursor.read_int32(p)) {
        return record_outcome::returned;
    }
    const field_location position_place = reading.cursor.place();
    if (!reading.cursor.read_int32(a)) {
        return record_outcome::returned;
    }
    const field_location value_place = reading.cursor.place();
    scenario_record& record = reading.record;
    if (beyond_placement_limit(record, p, record_margin)) {
        return stop_train_beyond_grid(reading, keywords::aderenza, p, record_margin);
    }
    if (p < 0) {
        return refuse_no_room(
            reading, p, keywords::aderenza.the_phrase_at(p) + ": the line has no cell before 0 m");
    }
    const std::int64_t n = cella_di_inizio(p);
    if (a < 0 || a > 255) {
        reading.cursor.warn_at(warning_code::adherence_range, value_place,
                               keywords::aderenza.the_phrase_at(p) + ": " + std::to_string(a) +
                                   " is outside 0 to 255; only its low 8 bits are "
                                   "kept: it is stored as " +
                                   std::to_string(low_8_bits(a)));
    }
    warn_about_series(reading, reading.adherences, adherence_series,
                      "adherence " + std::to_string(a), p, n, reading.adherence_fill,
                      position_place);
    if (n > 0) {
        // Records out of order advance the fill point one cell each; once it has reached the
        // last cell, a record that would write has no cell left.
        if (reading.adherence_fill >= record.ultima_cella) {
            return refuse_no_room(reading, p,
                                  keywords::aderenza.the_phrase_at(p) +
                                      ": the adherence series already reaches the last cell, " +
                                      std::to_string(record.ultima_cella) +
                                      " (records out of order?)");
        }
        do {
            record.celle[reading.adherence_fill].extra6 = low_8_bits(reading.current_adherence);
            ++reading.adherence_fill;
        } while (reading.adherence_fill < n);
    }
    reading.current_adherence = a;
    return record_outcome::next;
}

// The last value of each series runs on to the third cell from the end; the last three cells
// keep what they hold. At least one cell is written, never one beyond the grid.
void fill_speed_tail(train_reading& reading) {
    scenario_record& record = reading.record;
    do {
        if (reading.speed_fill > record.ultima_cella) {
            break;
        }
        record.celle[reading.speed_fill].extra4 = speed_fifth(reading.current_speed);
        ++reading.speed_fill;
    } while (reading.speed_fill < record.ultima_cella - 2);
}

void fill_adherence_tail(train_reading& reading) {
    scenario_record& record = reading.record;
    do {
        if (reading.adherence_fill > record.ultima_cella) {
            break;
        }
        record.celle[reading.adherence_fill].extra6 = low_8_bits(reading.current_adherence);
        ++reading.adherence_fill;
    } while (reading.adherence_fill < record.ultima_cella - 2);
}

}  // namespace scenario
