#include <cstdint>
#include <string>

#include "compiler/train_reading.h"

// The train's general values: braked mass and coaches in entry 84, sand and the start clock
// in entry 86.
namespace scenario {
namespace {

constexpr std::int16_t hours_per_day = 24;
constexpr std::int16_t minutes_per_hour = 60;

bool is_time_of_day(std::int16_t hours, std::int16_t minutes, std::int16_t seconds) {
    return hours >= 0 && hours < hours_per_day && minutes >= 0 && minutes < minutes_per_hour &&
           seconds >= 0 && seconds < minutes_per_hour;
}

}  // namespace

record_outcome read_braked_mass(train_reading& reading) {
    note_general_value(reading, general_value::braked_mass);
    return read_numbers(reading.cursor, {&reading.record.voci[entry::length_and_train].valore1})
               ? record_outcome::next
               : record_outcome::returned;
}

record_outcome read_coaches(train_reading& reading) {
    note_general_value(reading, general_value::coaches);
    return read_numbers(reading.cursor, {&reading.record.voci[entry::length_and_train].valore3})
               ? record_outcome::next
               : record_outcome::returned;
}

record_outcome read_clock(train_reading& reading) {
    note_general_value(reading, general_value::clock);
    voce& general = reading.record.voci[entry::train];
    if (!reading.cursor.read_int16(general.numero3)) {
        return record_outcome::returned;
    }
    const field_location hours_place = reading.cursor.place();
    if (!reading.cursor.read_int16(general.numero4) ||
        !reading.cursor.read_int16(general.numero5)) {
        return record_outcome::returned;
    }
    // Stored as written, three numbers: the simulator takes them for a time of day.
    if (!is_time_of_day(general.numero3, general.numero4, general.numero5)) {
        reading.cursor.warn_at(warning_code::clock_time, hours_place,
                               "orologio " + std::to_string(general.numero3) + " " +
                                   std::to_string(general.numero4) + " " +
                                   std::to_string(general.numero5) +
                                   " is not a time of day (hours 0 to 23, minutes and seconds 0 "
                                   "to 59); it is stored as written");
    }
    return record_outcome::next;
}

record_outcome read_sand(train_reading& reading) {
    note_general_value(reading, general_value::sand);
    return reading.cursor.read_int16(reading.record.voci[entry::train].numero1)
               ? record_outcome::next
               : record_outcome::returned;
}

}  // namespace scenario
