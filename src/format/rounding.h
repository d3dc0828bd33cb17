// Every conversion of a real number to a whole number in a compile, and in reading its values
// back, rounds to the nearest integer, halves to the even neighbour (16.5 gives 16, 17.5 gives
// 18).
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>

namespace scenario {

// nearest(x): the whole number nearest to x, halves to even. The default floating-point
// environment rounds to nearest-even, which std::nearbyint follows.
inline double nearest(double x) {
    return std::nearbyint(x);
}

// The cell of a point object at position p: nearest(p / 50 + 1).
inline std::int64_t cella_di_punto(double p) {
    return static_cast<std::int64_t>(nearest(p / 50.0 + 1.0));
}

// The first cell of a value that holds from p onward: nearest(p / 50).
inline std::int64_t cella_di_inizio(double p) {
    return static_cast<std::int64_t>(nearest(p / 50.0));
}

// The low 8 or 16 bits of a whole number, as the record's narrow fields keep them.
inline std::uint8_t low_8_bits(std::int64_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
inline std::int16_t low_16_bits(std::int64_t value) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}
inline std::int32_t low_32_bits(std::int64_t value) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value & 0xFFFFFFFF));
}

}  // namespace scenario
