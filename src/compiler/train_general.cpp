#include <cstdint>

#include "compiler/train_reading.h"

// The train's general values: braked mass and coaches in entry 84, sand and the start clock
// in entry 86.
namespace scenario {

after_record read_braked_mass(train_reading& reading) {
    return read_numbers(reading.cursor, {&reading.record().voci[entry::length_and_train].valore1})
               ? after_record::next_record
               : after_record::returned;
}

after_record read_coaches(train_reading& reading) {
    return read_numbers(reading.cursor, {&reading.record().voci[entry::length_and_train].valore3})
               ? after_record::next_record
               : after_record::returned;
}

after_record read_clock(train_reading& reading) {
    voce& general = reading.record().voci[entry::train];
    const bool read = reading.cursor.read_int16(general.numero3) &&
                      reading.cursor.read_int16(general.numero4) &&
                      reading.cursor.read_int16(general.numero5);
    return read ? after_record::next_record : after_record::returned;
}

after_record read_sand(train_reading& reading) {
    return reading.cursor.read_int16(reading.record().voci[entry::train].numero1)
               ? after_record::next_record
               : after_record::returned;
}

}  // namespace scenario
