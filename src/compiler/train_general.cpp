#include <cstdint>

#include "compiler/train_reading.h"

// The train's general values: braked mass and coaches in entry 84, sand and the start clock
// in entry 86.
namespace scenario {

record_outcome read_braked_mass(train_reading& reading) {
    return read_numbers(reading.cursor, {&reading.record.voci[entry::length_and_train].valore1})
               ? record_outcome::next
               : record_outcome::returned;
}

record_outcome read_coaches(train_reading& reading) {
    return read_numbers(reading.cursor, {&reading.record.voci[entry::length_and_train].valore3})
               ? record_outcome::next
               : record_outcome::returned;
}

record_outcome read_clock(train_reading& reading) {
    voce& general = reading.record.voci[entry::train];
    const bool read = reading.cursor.read_int16(general.numero3) &&
                      reading.cursor.read_int16(general.numero4) &&
                      reading.cursor.read_int16(general.numero5);
    return read ? record_outcome::next : record_outcome::returned;
}

record_outcome read_sand(train_reading& reading) {
    return reading.cursor.read_int16(reading.record.voci[entry::train].numero1)
               ? record_outcome::next
               : record_outcome::returned;
}

}  // namespace scenario
