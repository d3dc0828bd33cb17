// What the fields of a grid cell mean. Every cell carries the per-cell series (gradient,
// speed limit, adherence), kept in one byte each in units of their own, and the mountain
// side and approach code; a cell's point object packs several values into each 16-bit
// field. The readers pack with the functions here, and everything that reads a grid back
// (the views of compiled files, the plot) unpacks with the function beside each packing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "format/scenario_record.h"

namespace scenario {

// Where a cell lies on the line, in metres from the origin. Cell i covers the metres from
// i x 50 to (i + 1) x 50, over which its series values hold; a point object at p went to cell
// nearest(p / 50 + 1), so the object of cell i stands at (i - 1) x 50.
constexpr std::int64_t cell_start_position(std::size_t cell) {
    return static_cast<std::int64_t>(cell) * cell_metres;
}
constexpr std::int64_t object_position(std::size_t cell) {
    return (static_cast<std::int64_t>(cell) - 1) * cell_metres;
}

// `extra5` holds the gradient in per mille plus gradient_offset; `extra4` the speed limit
// in km/h divided by speed_limit_unit.
inline constexpr int gradient_offset = 100;
inline constexpr int speed_limit_unit = 5;

// The readers fill the series from cell 0 up to cell ultima_cella - 3. The last three cells
// keep 0, which is no value: not a gradient of -100 per mille, nor a speed limit of 0 km/h.
inline constexpr std::size_t cells_without_series = 3;

// How many cells, from cell 0, the series reach in a grid of `cell_count` cells.
constexpr std::size_t series_cells(std::size_t cell_count) {
    return cell_count > cells_without_series ? cell_count - cells_without_series : 0;
}

// The series in their units; nothing in the cells that the series do not reach.
std::optional<int> gradient_per_mille(const std::vector<cella>& celle, std::size_t cell);
std::optional<int> speed_limit_kmh(const std::vector<cella>& celle, std::size_t cell);
std::optional<int> adherence(const std::vector<cella>& celle, std::size_t cell);

// The mountain side (`extra3`): 1 or 2, the kind of the stretch the cell lies in, or 3 for a
// stretch that starts 150 m or less after the one before it ends; 0 none.
inline constexpr int no_mountain_side = 0;
inline int mountain_side(const cella& cell) {
    return cell.extra3;
}

// The approach code (`extra2`) of the cells before a signal, (sx x 3 + dx) x 10 + step, and
// before a station's end, 80 + step, where step 1..4 counts back from the object; 0 none.
inline int approach_code(const cella& cell) {
    return cell.extra2;
}

// A maximum-speed board (kind 6) has two faces, left and right, each with three speeds (one
// per category, a, b and c) and a stripe count. dato1..dato3 pack one category each as
// left x 20 + right / 5, so the left speed counts in hundreds of the packed value and the
// right one in its last two digits; dato4 packs the stripes as left x 10 + right. The faces
// come back as they were for speeds that are multiples of 5 below 500 and stripe counts of
// one digit.
struct board_face {
    std::array<int, 3> speeds{};  // km/h, categories a, b, c
    int stripes = 0;

    bool operator==(const board_face&) const = default;
};

struct board_faces {
    board_face left;
    board_face right;
};

// The category's two speeds rounded to a whole number; false when they do not fit the field.
[[nodiscard]] bool pack_board_speeds(std::int32_t left, std::int32_t right, std::int16_t& packed);
// In 16-bit arithmetic, like the field that keeps them.
std::int16_t pack_board_stripes(std::int32_t left, std::int32_t right);
board_faces unpack_speed_board(const cella& cell);

// A signal (kind 1) has a left group, its kind sx (0..2) and three values s1..s3 (0..9), a
// right group, dx and d1..d3 alike, and rapp (0..9), the tens digit of its combined code.
// dato1..dato3 pack s1..s3 with d1..d3 as two decimal digits, s x 10 + d, and dato4 packs
// rapp x 10 + sx x 3 + dx; both wrap like the 16-bit fields. The values come back as they
// were while they stay within those ranges.
struct signal_groups {
    int sx = 0;
    std::array<int, 3> s{};
    int rapp = 0;
    int dx = 0;
    std::array<int, 3> d{};

    bool operator==(const signal_groups&) const = default;
};

std::int16_t pack_signal_values(std::int32_t s, std::int32_t d);
std::int16_t pack_signal_kinds(std::int32_t rapp, std::int32_t sx, std::int32_t dx);
signal_groups unpack_signal(const cella& cell);

}  // namespace scenario
