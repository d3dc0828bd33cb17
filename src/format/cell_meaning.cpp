#include "format/cell_meaning.h"

#include <limits>

#include "format/rounding.h"

namespace scenario {
namespace {

// A board's left speed counts in hundreds of the packed value: left x 20 = left / 5 x 100.
constexpr int board_left_unit = 100;
constexpr double board_left_factor = static_cast<double>(board_left_unit) / speed_limit_unit;
constexpr double board_right_divisor = speed_limit_unit;
constexpr int board_stripes_left_unit = 10;
constexpr int signal_left_unit = 10;
constexpr int signal_rapp_unit = 10;
constexpr int signal_sx_unit = 3;

bool series_reach(const std::vector<cella>& celle, std::size_t cell) {
    return cell < series_cells(celle.size());
}

}  // namespace

std::optional<int> gradient_per_mille(const std::vector<cella>& celle, std::size_t cell) {
    if (!series_reach(celle, cell)) {
        return std::nullopt;
    }
    return int{celle[cell].extra5} - gradient_offset;
}

std::optional<int> speed_limit_kmh(const std::vector<cella>& celle, std::size_t cell) {
    if (!series_reach(celle, cell)) {
        return std::nullopt;
    }
    return int{celle[cell].extra4} * speed_limit_unit;
}

std::optional<int> adherence(const std::vector<cella>& celle, std::size_t cell) {
    if (!series_reach(celle, cell)) {
        return std::nullopt;
    }
    return int{celle[cell].extra6};
}

bool pack_board_speeds(std::int32_t left, std::int32_t right, std::int16_t& packed) {
    const double value = nearest(right / board_right_divisor + left * board_left_factor);
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    packed = static_cast<std::int16_t>(value);
    return true;
}

std::int16_t pack_board_stripes(std::int32_t left, std::int32_t right) {
    return low_16_bits(std::int64_t{low_16_bits(left)} * board_stripes_left_unit +
                       low_16_bits(right));
}

board_faces unpack_speed_board(const cella& cell) {
    const int packed[3] = {cell.dato1, cell.dato2, cell.dato3};
    board_faces faces;
    for (std::size_t k = 0; k < 3; ++k) {
        faces.left.speeds[k] = packed[k] / board_left_unit * speed_limit_unit;
        faces.right.speeds[k] = packed[k] % board_left_unit * speed_limit_unit;
    }
    faces.left.stripes = cell.dato4 / board_stripes_left_unit;
    faces.right.stripes = cell.dato4 % board_stripes_left_unit;
    return faces;
}

std::int16_t pack_signal_values(std::int32_t s, std::int32_t d) {
    return low_16_bits(std::int64_t{s} * signal_left_unit + d);
}

std::int16_t pack_signal_kinds(std::int32_t rapp, std::int32_t sx, std::int32_t dx) {
    return low_16_bits(std::int64_t{rapp} * signal_rapp_unit + std::int64_t{sx} * signal_sx_unit +
                       dx);
}

signal_groups unpack_signal(const cella& cell) {
    const int packed[3] = {cell.dato1, cell.dato2, cell.dato3};
    signal_groups groups;
    for (std::size_t k = 0; k < 3; ++k) {
        groups.s[k] = packed[k] / signal_left_unit;
        groups.d[k] = packed[k] % signal_left_unit;
    }
    const int kinds = cell.dato4 % signal_rapp_unit;
    groups.rapp = cell.dato4 / signal_rapp_unit;
    groups.sx = kinds / signal_sx_unit;
    groups.dx = kinds % signal_sx_unit;
    return groups;
}

}  // namespace scenario
