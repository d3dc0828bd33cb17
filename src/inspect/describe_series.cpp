// The series of the grid as runs of cells with one value: the gradient, the speed limit and
// the adherence over the cells that the series reach, and the mountain side over every cell.
#include "inspect/scenario_description.h"

namespace scenario {
namespace {

// The runs of equal values among cells 0 .. count - 1; `skip` leaves a value out (a cell
// without a mountain side belongs to no stretch).
template <typename value_of>
std::vector<series_range> runs_of(std::int64_t count, value_of value, std::optional<int> skip) {
    std::vector<series_range> runs;
    for (std::int64_t i = 0; i < count; ++i) {
        const int v = value(static_cast<std::size_t>(i));
        if (!runs.empty() && runs.back().value == v && runs.back().last_cell == i - 1) {
            runs.back().last_cell = i;
        } else if (!skip || v != *skip) {
            runs.push_back({i, i, v});
        }
    }
    return runs;
}

}  // namespace

void describe_series(const compiled_tables& tables, scenario_description& description) {
    const std::vector<cella>& celle = tables.celle;
    const std::int64_t reach = description.grid.series_cell_count;
    description.gradients = runs_of(
        reach, [&](std::size_t i) { return *gradient_per_mille(celle, i); }, std::nullopt);
    description.speed_limits = runs_of(
        reach, [&](std::size_t i) { return *speed_limit_kmh(celle, i); }, std::nullopt);
    description.adherence = runs_of(
        reach, [&](std::size_t i) { return *adherence(celle, i); }, std::nullopt);

    const std::vector<series_range> sides = runs_of(
        static_cast<std::int64_t>(celle.size()),
        [&](std::size_t i) { return mountain_side(celle[i]); }, no_mountain_side);
    for (const series_range& side : sides) {
        mountain_stretch stretch{side.first_cell, side.last_cell, side.value, {}};
        for (std::int64_t i = side.first_cell; i <= side.last_cell; ++i) {
            if (celle[static_cast<std::size_t>(i)].tipo == kind::marcatore_montagna) {
                stretch.markers.push_back(i);
            }
        }
        description.mountains.push_back(std::move(stretch));
    }
}

}  // namespace scenario
