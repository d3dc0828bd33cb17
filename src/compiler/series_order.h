// Values that hold from a position onward (gradients, speed limits, adherence) are written
// into the grid in file order from a fill point: each record fills the cells up to its own
// with the value in force before it. A record whose cell the fill point has already reached
// therefore takes effect later than its position says; this tells the author where.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/keywords.h"

namespace scenario {

// The records of one series read so far.
struct series_history {
    bool started = false;
    std::int32_t last_position = 0;

    void note(std::int32_t position) {
        started = true;
        last_position = position;
    }
};

// The warning for a record at `position`, whose value starts at `cell`, with the fill point at
// `fill_point` before it; empty when the record takes effect at its own cell. `kind` is the
// record's ("the velocita' limite record at ..."), `value` its value as the author wrote it
// ("95 km/h").
std::string series_order_warning(const keyword& kind, std::string_view value, std::int32_t position,
                                 std::int64_t cell, std::int64_t fill_point,
                                 const series_history& history);

}  // namespace scenario
