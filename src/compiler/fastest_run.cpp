#include "compiler/fastest_run.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "format/scenario_record.h"

namespace scenario {
namespace {

constexpr double kmh_per_metre_per_second = 3.6;

double metres_per_second(int kmh) {
    return kmh / kmh_per_metre_per_second;
}

std::size_t cell_of_metre(std::int64_t metre) {
    return static_cast<std::size_t>(metre / cell_metres);
}

// Every cell from the one of `from` to the one of the last metre before `to` has a speed.
bool every_cell_has_speed(const std::vector<int>& speeds, std::int64_t from, std::int64_t to) {
    if (from < 0 || to < from) {
        return false;
    }
    if (to == from) {
        return true;
    }
    const std::size_t last = cell_of_metre(to - 1);
    if (last >= speeds.size()) {
        return false;
    }
    for (std::size_t cell = cell_of_metre(from); cell <= last; ++cell) {
        if (speeds[cell] <= 0) {
            return false;
        }
    }
    return true;
}

std::vector<double> bound_times(const std::vector<int>& speeds, std::int64_t from,
                                std::int64_t to) {
    std::vector<double> times(static_cast<std::size_t>(to - from + 1));
    for (std::int64_t metre = from; metre < to; ++metre) {
        const std::size_t i = static_cast<std::size_t>(metre - from);
        times[i + 1] = times[i] + 1.0 / metres_per_second(speeds[cell_of_metre(metre)]);
    }
    return times;
}

// The highest speed at every metre boundary: no more than the speed of the cells on either
// side, reachable from rest at `from` at the acceleration rate, and low enough to stop at `to`
// at the braking rate. Between two boundaries the rate is constant, so each metre takes twice
// its length over the sum of the speeds at its ends.
std::vector<double> braking_times(const std::vector<int>& speeds, std::int64_t from,
                                  std::int64_t to, const train_rates& rates) {
    const std::size_t count = static_cast<std::size_t>(to - from + 1);
    std::vector<double> top(count);
    for (std::size_t i = 1; i + 1 < count; ++i) {
        const std::int64_t metre = from + static_cast<std::int64_t>(i);
        top[i] = metres_per_second(
            std::min(speeds[cell_of_metre(metre - 1)], speeds[cell_of_metre(metre)]));
    }
    for (std::size_t i = 1; i < count; ++i) {
        top[i] = std::min(top[i], std::sqrt(top[i - 1] * top[i - 1] + 2 * rates.acceleration));
    }
    for (std::size_t i = count - 1; i-- > 0;) {
        top[i] = std::min(top[i], std::sqrt(top[i + 1] * top[i + 1] + 2 * rates.braking));
    }
    std::vector<double> times(count);
    for (std::size_t i = 1; i < count; ++i) {
        times[i] = times[i - 1] + 2.0 / (top[i - 1] + top[i]);
    }
    return times;
}

}  // namespace

std::vector<int> speeds_in_force(std::vector<int> cell_limits,
                                 const std::vector<slowdown_stretch>& slowdowns) {
    if (cell_limits.empty()) {
        return cell_limits;
    }
    for (const slowdown_stretch& slowdown : slowdowns) {
        if (slowdown.kmh <= 0 || slowdown.to <= slowdown.from || slowdown.to <= 0) {
            continue;
        }
        const std::size_t first = cell_of_metre(std::max<std::int64_t>(slowdown.from, 0));
        const std::size_t last = std::min(cell_of_metre(slowdown.to - 1), cell_limits.size() - 1);
        for (std::size_t cell = first; cell <= last; ++cell) {
            cell_limits[cell] = std::min(cell_limits[cell], slowdown.kmh);
        }
    }
    return cell_limits;
}

std::optional<std::vector<double>> run_times(const std::vector<int>& speeds, std::int64_t from,
                                             std::int64_t to,
                                             const std::optional<train_rates>& rates) {
    if (!every_cell_has_speed(speeds, from, to)) {
        return std::nullopt;
    }
    if (!rates) {
        return bound_times(speeds, from, to);
    }
    if (rates->acceleration <= 0 || rates->braking <= 0) {
        return std::nullopt;
    }
    return braking_times(speeds, from, to, *rates);
}

std::optional<double> run_seconds(const std::vector<int>& speeds, std::int64_t from,
                                  std::int64_t to, const std::optional<train_rates>& rates) {
    const std::optional<std::vector<double>> times = run_times(speeds, from, to, rates);
    if (!times) {
        return std::nullopt;
    }
    return times->back();
}

}  // namespace scenario
