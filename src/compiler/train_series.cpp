#include <cstdint>
#include <string>

#include "compiler/rounding.h"
#include "compiler/train_reading.h"

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

std::string at(std::string_view what, std::int32_t p) {
    return std::string(what) + " at " + std::to_string(p) + " m";
}

}  // namespace

after_record read_speed_limit(train_reading& reading) {
    std::int32_t p = 0;
    std::int32_t s = 0;
    if (!read_numbers(reading.cursor, {&p, &s})) {
        return after_record::returned;
    }
    scenario_record& record = reading.record();
    if (beyond_placement_limit(record, p, record_margin)) {
        return stop_beyond_grid(reading, "speed limit", p, record_margin);
    }
    if (p < 0) {
        return refuse_no_room(reading, p,
                              at("speed limit", p) + ": the line has no cell before 0 m");
    }
    if (!speed_fits(s)) {
        return refuse_no_room(reading, p,
                              at("speed limit", p) + ": " + std::to_string(s) +
                                  " km/h does not fit; speeds run from 0 to 1275 km/h");
    }
    const std::int64_t n = cella_di_inizio(p);
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
    return after_record::next_record;
}

after_record read_adherence(train_reading& reading) {
    std::int32_t p = 0;
    std::int32_t a = 0;
    if (!read_numbers(reading.cursor, {&p, &a})) {
        return after_record::returned;
    }
    scenario_record& record = reading.record();
    if (beyond_placement_limit(record, p, record_margin)) {
        return stop_beyond_grid(reading, "adherence", p, record_margin);
    }
    if (p < 0) {
        return refuse_no_room(reading, p, at("adherence", p) + ": the line has no cell before 0 m");
    }
    const std::int64_t n = cella_di_inizio(p);
    if (n > 0) {
        // Records out of order advance the fill point one cell each; once it has reached the
        // last cell, a record that would write has no cell left.
        if (reading.adherence_fill >= record.ultima_cella) {
            return refuse_no_room(
                reading, p,
                at("adherence", p) + ": the adherence series already reaches the last cell, " +
                    std::to_string(record.ultima_cella) + " (records out of order?)");
        }
        do {
            record.celle[reading.adherence_fill].extra6 = low_8_bits(reading.current_adherence);
            ++reading.adherence_fill;
        } while (reading.adherence_fill < n);
    }
    reading.current_adherence = a;
    return after_record::next_record;
}

// The last value of each series runs on to the third cell from the end; the last three cells
// keep what they hold. At least one cell is written, never one beyond the grid.
void fill_speed_tail(train_reading& reading) {
    scenario_record& record = reading.record();
    do {
        if (reading.speed_fill > record.ultima_cella) {
            break;
        }
        record.celle[reading.speed_fill].extra4 = speed_fifth(reading.current_speed);
        ++reading.speed_fill;
    } while (reading.speed_fill < record.ultima_cella - 2);
}

void fill_adherence_tail(train_reading& reading) {
    scenario_record& record = reading.record();
    do {
        if (reading.adherence_fill > record.ultima_cella) {
            break;
        }
        record.celle[reading.adherence_fill].extra6 = low_8_bits(reading.current_adherence);
        ++reading.adherence_fill;
    } while (reading.adherence_fill < record.ultima_cella - 2);
}

}  // namespace scenario
