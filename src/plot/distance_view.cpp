// The panels on the distance axis, from the description of the scenario: the series ranges
// as steps, the objects at their places, and the stations' areas. Everything is clipped to
// the range; an element wholly outside it is left out.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <optional>
#include <utility>

#include "inspect/author_fields.h"
#include "plot/model.h"

namespace scenario::plot {
namespace {

constexpr int most_axis_ticks = 20;

struct range {
    double from = 0.0;
    double to = 0.0;

    bool holds(double metre) const { return metre >= from && metre <= to; }
    // The part of [a, b] inside the range, or nothing when they do not meet.
    std::optional<std::pair<double, double>> clip(double a, double b) const {
        const double low = std::max(a, from);
        const double high = std::min(b, to);
        if (low > high || (low == high && a != b)) {
            return std::nullopt;
        }
        return std::pair{low, high};
    }
};

double metre_of(const line_place& place) {
    return static_cast<double>(place.metre);
}

// The part of a series range inside the range: a range covers its cells' 50 metres each.
std::optional<std::pair<double, double>> clip_cells(const range& shown, const series_range& r) {
    return shown.clip(static_cast<double>(range_from_metre(r)),
                      static_cast<double>(range_to_metre(r)));
}

std::vector<step> steps_of(const std::vector<series_range>& ranges, const range& shown) {
    std::vector<step> steps;
    for (const series_range& r : ranges) {
        if (const auto part = clip_cells(shown, r)) {
            steps.push_back({part->first, part->second, r.value});
        }
    }
    return steps;
}

// The board as its left face shows it, or its right face when it has no left one.
speed_board board_as_shown(const speed_board_description& board) {
    const board_face& face =
        board.faces.left.speeds != std::array<int, 3>{} ? board.faces.left : board.faces.right;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d", face.speeds[0], face.speeds[1], face.speeds[2]);
    return {metre_of(board.at), face.speeds[0], text};
}

// A slowdown runs from its start to its end; one whose end fell into its start's cell has no
// length. Its warning board shows the slowdown's speed.
void add_slowdowns(const scenario_description& description, const range& shown,
                   distance_view& view) {
    for (const slowdown_description& slowdown : description.slowdowns) {
        const double start = metre_of(slowdown.start);
        if (const auto part = shown.clip(start, metre_of(slowdown.end.value_or(slowdown.start)))) {
            view.slowdowns.push_back({part->first, part->second, slowdown.v});
        }
        if (slowdown.warning_board && shown.holds(metre_of(*slowdown.warning_board))) {
            view.warnings.push_back({metre_of(*slowdown.warning_board), slowdown.v});
        }
    }
}

void add_signals_and_boards(const scenario_description& description, const range& shown,
                            distance_view& view) {
    for (const signal_description& signal : description.signals) {
        if (shown.holds(metre_of(signal.at))) {
            view.signals.push_back(metre_of(signal.at));
        }
    }
    for (const speed_board_description& board : description.speed_boards) {
        if (shown.holds(metre_of(board.at))) {
            view.boards.push_back(board_as_shown(board));
        }
    }
}

void add_stations(const scenario_description& description, const range& shown,
                  distance_view& view) {
    for (const station_description& station : description.stations) {
        const auto part = shown.clip(std::min(station.area_start, station.area_end),
                                     std::max(station.area_start, station.area_end));
        if (part) {
            view.stations.push_back({part->first, part->second, static_cast<double>(station.pos),
                                     shown.holds(station.pos), station.nome, time_text(station)});
        }
    }
}

// The indicator boards, the cab-signal stretch, the kilometre references and the curves.
void add_described_objects(const scenario_description& description, const range& shown,
                           distance_view& view) {
    for (const indicator_board_description& board : description.indicator_boards) {
        const auto metre = static_cast<double>(board.at.metre);
        if (shown.holds(metre)) {
            view.indicator_boards.push_back({metre, board.text});
        }
    }
    const cab_signal_stretch& cab = description.cab_signals;
    if (cab.codes != 0 && cab.end > cab.start) {
        if (const auto part = shown.clip(cab.start, cab.end)) {
            view.cab_signals = cab_signal_band{part->first, part->second, cab.codes};
        }
    }
    for (const kilometre_reference& reference : description.references) {
        // A reference of all zeros is one that the author did not set (or that the ordering
        // cleared).
        const bool set = reference.position != 0 || reference.value != 0 || reference.flag != 0;
        if (set && shown.holds(reference.position)) {
            view.kilometre_references.push_back(
                {static_cast<double>(reference.position), reference.value});
        }
    }
    if (!description.plan) {
        return;
    }
    for (const curve_description& curve : description.plan->curves) {
        const auto from = static_cast<double>(curve.inizio);
        const auto to = static_cast<double>(curve.inizio + curve.length);
        if (const auto part = shown.clip(from, to)) {
            view.curves.push_back({part->first, part->second, curve.digit, curve.left,
                                   1.0 / std::fabs(curve.curvature)});
        }
    }
}

}  // namespace

void build_distance_view(const scenario_description& description, double from_metre,
                         double to_metre, distance_view& view) {
    view = distance_view{};
    view.from_metre = from_metre;
    view.to_metre = to_metre;
    const range shown{from_metre, to_metre};
    const double line_end = description.general.lunghezza_percorso;
    if (shown.holds(line_end)) {
        view.line_end_metre = line_end;
    }
    view.tick_step_metres = round_step(to_metre - from_metre, most_axis_ticks);
    for (double tick = std::ceil(from_metre / view.tick_step_metres) * view.tick_step_metres;
         tick <= to_metre; tick += view.tick_step_metres) {
        view.ticks.push_back(tick);
    }

    view.gradient = steps_of(description.gradients, shown);
    view.speed = steps_of(description.speed_limits, shown);
    for (const mountain_stretch& stretch : description.mountains) {
        if (const auto part =
                clip_cells(shown, {stretch.first_cell, stretch.last_cell, stretch.side})) {
            view.mountains.push_back({part->first, part->second, stretch.side});
        }
    }
    add_slowdowns(description, shown, view);
    add_signals_and_boards(description, shown, view);
    add_stations(description, shown, view);
    add_described_objects(description, shown, view);
}

}  // namespace scenario::plot
