// The timetable against the fastest run: for each place along the line (a station, a change of
// the speed limit, a kilometre post), how long the fastest run takes to reach it from the last
// timetabled station before it, and, at a timetabled station, how much time the timetable
// leaves to spare. A timetabled station's time is the time the train leaves it (arrives, at
// the last one), so the time allowed between two stations includes the stop at the second:
// a timetable that the bound cannot keep cannot be kept with any stop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "compiler/fastest_run.h"

namespace scenario {

// A place along the line, in order of position; `time` in seconds from midnight, 0 for a place
// without a timetabled time.
struct timetable_place {
    std::int64_t position = 0;
    std::int32_t time = 0;
};

struct place_timing {
    // The timetabled place that the run to this one starts from; none before the first.
    std::optional<std::size_t> leg_start;
    // Seconds from the leg's start: under the bound, and in the braking run that stops at the
    // next timetabled place (or at the last place).
    std::optional<double> bound;
    std::optional<double> braking;
    // At a timetabled place after the first whose time is later than the leg start's: the
    // time allowed less the run's time, under each model.
    std::optional<double> bound_margin;
    std::optional<double> braking_margin;

    // The clock time at which the bound passes: the leg start's time plus `bound`.
    std::optional<double> earliest(const std::vector<timetable_place>& places) const;
};

std::vector<place_timing> time_places(const std::vector<int>& speeds,
                                      const std::vector<timetable_place>& places,
                                      const train_rates& rates);

}  // namespace scenario
