// How fast a train can run between two places of the line, for the timetable check, the
// timetable view and the driver's documents. The line is given as the speed in force over each
// 50 m cell: the speed limit of the cell, lowered wherever a slowdown reaches into it.
//
// Two models of the run:
// - the bound: the train runs every metre at the speed in force there, with no acceleration
//   and no braking. No train can beat it, so a timetable that it cannot keep cannot be kept.
// - the braking run: the train starts from rest, accelerates and brakes at fixed rates, never
//   exceeds the speed in force and stops at the end: a closer estimate of a real run.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace scenario {

// A slowdown's stretch: from `from` to `to` metres, at `kmh`.
struct slowdown_stretch {
    std::int64_t from = 0;
    std::int64_t to = 0;
    int kmh = 0;
};

// The speed limits of the cells, each lowered to the speed of every slowdown that covers a
// part of it. A slowdown of speed 0 or below, or without length, lowers nothing.
std::vector<int> speeds_in_force(std::vector<int> cell_limits,
                                 const std::vector<slowdown_stretch>& slowdowns);

// The rates of the braking run, in metres per second per second.
struct train_rates {
    double acceleration = 0.3;
    double braking = 0.5;
};

// The seconds taken to reach each metre from `from` up to `to` (index 0 is `from`, 0 s):
// under the bound when `rates` is empty, else the braking run. Nothing when `to` < `from`,
// when a cell on the way has no speed (0 or below) or lies beyond the cells given.
std::optional<std::vector<double>> run_times(const std::vector<int>& speeds, std::int64_t from,
                                             std::int64_t to,
                                             const std::optional<train_rates>& rates);

// The time of the whole run, under the bound or the braking run.
std::optional<double> run_seconds(const std::vector<int>& speeds, std::int64_t from,
                                  std::int64_t to, const std::optional<train_rates>& rates);

}  // namespace scenario
