#include "compiler/timetable_runs.h"

namespace scenario {
namespace {

// The timetabled place after `start`, or the last place when none follows.
std::size_t leg_end(const std::vector<timetable_place>& places, std::size_t start) {
    for (std::size_t i = start + 1; i < places.size(); ++i) {
        if (places[i].time > 0) {
            return i;
        }
    }
    return places.size() - 1;
}

std::optional<double> time_at(const std::optional<std::vector<double>>& times, std::int64_t from,
                              std::int64_t position) {
    if (!times || position < from || static_cast<std::size_t>(position - from) >= times->size()) {
        return std::nullopt;
    }
    return (*times)[static_cast<std::size_t>(position - from)];
}

}  // namespace

std::optional<double> place_timing::earliest(const std::vector<timetable_place>& places) const {
    if (!leg_start || !bound || *leg_start >= places.size()) {
        return std::nullopt;
    }
    return places[*leg_start].time + *bound;
}

std::vector<place_timing> time_places(const std::vector<int>& speeds,
                                      const std::vector<timetable_place>& places,
                                      const train_rates& rates) {
    std::vector<place_timing> timings(places.size());
    std::optional<std::size_t> start;
    std::optional<std::vector<double>> bound;
    std::optional<std::vector<double>> braking;
    for (std::size_t i = 0; i < places.size(); ++i) {
        place_timing& timing = timings[i];
        if (start) {
            const std::int64_t from = places[*start].position;
            timing.leg_start = start;
            timing.bound = time_at(bound, from, places[i].position);
            timing.braking = time_at(braking, from, places[i].position);
            const std::int32_t allowed = places[i].time - places[*start].time;
            if (places[i].time > 0 && allowed >= 0) {
                if (timing.bound) {
                    timing.bound_margin = allowed - *timing.bound;
                }
                if (timing.braking) {
                    timing.braking_margin = allowed - *timing.braking;
                }
            }
        }
        if (places[i].time > 0) {
            // The next leg runs from here to the next timetabled place, where it stops.
            start = i;
            const std::int64_t from = places[i].position;
            const std::int64_t to = places[leg_end(places, i)].position;
            bound = run_times(speeds, from, to, std::nullopt);
            braking = run_times(speeds, from, to, rates);
        }
    }
    return timings;
}

}  // namespace scenario
