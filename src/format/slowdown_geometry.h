// Where a slowdown's objects lie around its record. The train reader places the start, the
// end, the warning board and the four cells before the board; the grid pass adds points of
// value 180 ahead of signals and in windows before the start, inside a slow slowdown and
// after its end; the summary of a compiled scenario reads them back as the slowdown's own.
// All three take the distances from here, so that what is read back is what was placed.
#pragma once

#include <array>
#include <cstdint>

namespace scenario {

// The warning board stands 1200 m before the start; a slowdown that begins within the first
// 1500 m has none, and so none of the four cells before it.
inline constexpr std::int32_t slowdown_board_metres = 1200;
inline constexpr std::int32_t last_slowdown_start_without_board = 1500;
inline constexpr int cells_before_slowdown_board = 4;

// Every point that the grid pass adds carries this value.
inline constexpr std::int16_t valore_punto = 180;

// Signals up to 20 cells (1000 m) before a warning board get a point one or two cells ahead
// of them; the look stops where fewer than 3 cells remain before it.
inline constexpr int signal_look_back_cells = 20;
inline constexpr std::int64_t first_signal_looked_at = 3;
inline constexpr int cells_ahead_of_signal = 2;

// Three windows of cells before every slowdown start, each applying only when all its cells
// exist beyond cell 0.
struct point_window {
    int w1, w2, w3;
};
inline constexpr std::array<point_window, 3> point_windows = {
    {{5, 6, 7}, {11, 12, 13}, {18, 19, 20}}};
inline constexpr int furthest_window_cell = 20;
static_assert(point_windows.back().w3 == furthest_window_cell);

// Slowdowns slower than 110 km/h get points inside, one every 8 cells (400 m).
inline constexpr std::int16_t fastest_slowdown_with_points_inside = 110;
inline constexpr int cells_between_points_inside = 8;
// The first signal up to 12 cells (600 m) after the end gets a point ahead of it.
inline constexpr std::int64_t signal_search_after_end = 12;

}  // namespace scenario
