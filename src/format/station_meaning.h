// What a station's type does, and a station entry read back as its record wrote it. The
// type sets the station's area around its position, and whether the station gets an end
// cell (kind 10) and the four approach codes before it; the area and the flags that the
// reader keeps follow from the record's position, type, length and mar. Everything that
// reads a compiled station back (the summary of a compiled scenario, a comparison of two)
// asks here rather than repeating the rules.
#pragma once

#include <cstdint>
#include <optional>

#include "format/scenario_record.h"

namespace scenario {

// How a type sets the area: types 5 and 6 from the position minus the length to 150 m
// beyond the position; types 7 and 8 a whole length either side; every other type centred,
// half the length either side, 50 m longer at the far end when mar is set.
enum class station_area_rule {
    centred,
    behind_to_150_ahead,
    length_either_side,
};

station_area_rule area_rule_of(std::uint8_t tipo);

// Types below 25 get an end cell; of these, all but 5 and 6 also get the approach codes.
bool has_station_end(std::uint8_t tipo);
bool has_approach_markers(std::uint8_t tipo);
// mar only lengthens a centred area: types 5 to 8 do not keep it.
bool keeps_station_mar(std::uint8_t tipo);
// A station shorter than this keeps no tab flag.
inline constexpr std::int32_t shortest_station_with_tab = 600;

// The area in metres, computed wide: the sums of two 32-bit fields need not fit 32 bits.
struct station_area {
    std::int64_t inizio = 0;
    std::int64_t fine = 0;
};

station_area area_of_station(std::uint8_t tipo, std::int64_t pos, std::int64_t lung, bool mar);

// The end cell counts back from the end of the area: nearest(fine / 50 - 1), the point
// fine / 50 - 1 rounded. The approach codes 81 to 84 go into the cells nearest(point - j),
// j = 1 to 4, above cell 1.
double station_end_point(std::int32_t fine);
std::int64_t station_end_cell(std::int32_t fine);

// The length that the record wrote (lung.), and whether its mar lengthened the area by
// 50 m, recovered from the entry's type, position and area. Nothing when the area fits no
// length of the type (an entry that the reader did not write).
struct station_length_as_written {
    std::int32_t lung = 0;
    bool lengthened_by_mar = false;

    bool operator==(const station_length_as_written&) const = default;
};

std::optional<station_length_as_written> station_length(const voce& station);

}  // namespace scenario
