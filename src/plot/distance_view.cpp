// The panels on the distance axis: the per-cell series as steps, the point objects of the
// grid at their positions, and the stations' areas from the item table. Everything is clipped
// to the range; an element wholly outside it is left out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "format/cell_meaning.h"
#include "format/item_meaning.h"
#include "inspect/scenario_description.h"
#include "plot/model.h"
#include "source/code_page.h"

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

double object_metre(std::size_t cell) {
    return static_cast<double>(object_position(cell));
}
double cell_start(std::size_t cell) {
    return static_cast<double>(cell_start_position(cell));
}

// Runs of equal values over the cells, as steps inside the range; a cell of no value is left
// out of every run.
std::vector<step> runs(const std::vector<cella>& celle, const range& shown,
                       const std::function<std::optional<int>(std::size_t)>& value) {
    std::vector<step> steps;
    std::size_t i = 0;
    while (i < celle.size()) {
        const std::optional<int> v = value(i);
        std::size_t j = i + 1;
        while (j < celle.size() && value(j) == v) {
            ++j;
        }
        if (v) {
            if (const auto part = shown.clip(cell_start(i), cell_start(j))) {
                steps.push_back({part->first, part->second, *v});
            }
        }
        i = j;
    }
    return steps;
}

// The board as its left face shows it, or its right face when it has no left one.
speed_board board_as_shown(const cella& cell, double metre) {
    const board_faces faces = unpack_speed_board(cell);
    const board_face& face = faces.left.speeds != std::array<int, 3>{} ? faces.left : faces.right;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d", face.speeds[0], face.speeds[1], face.speeds[2]);
    return {metre, face.speeds[0], text};
}

// A slowdown runs from its start to the next end; a start with another start before any end
// is a slowdown of no length, whose end shares its cell.
void add_slowdowns(const std::vector<cella>& celle, const range& shown, distance_view& view) {
    for (std::size_t i = 1; i < celle.size(); ++i) {
        if (celle[i].tipo != kind::inizio_rallentamento) {
            continue;
        }
        std::size_t end = i;
        for (std::size_t j = i + 1; j < celle.size(); ++j) {
            if (celle[j].tipo == kind::fine_rallentamento) {
                end = j;
                break;
            }
            if (celle[j].tipo == kind::inizio_rallentamento) {
                break;
            }
        }
        if (const auto part = shown.clip(object_metre(i), object_metre(end))) {
            view.slowdowns.push_back({part->first, part->second, celle[i].dato1});
        }
    }
}

void add_point_objects(const std::vector<cella>& celle, const range& shown, distance_view& view) {
    for (std::size_t i = 1; i < celle.size(); ++i) {
        const double metre = object_metre(i);
        if (!shown.holds(metre)) {
            continue;
        }
        const cella& cell = celle[i];
        if (cell.tipo == kind::segnale) {
            view.signals.push_back(metre);
        } else if (cell.tipo == kind::avviso_rallentamento) {
            view.warnings.push_back({metre, cell.dato1});
        } else if (cell.tipo == kind::indicatore_v_max) {
            view.boards.push_back(board_as_shown(cell, metre));
        }
    }
}

void add_stations(const compiled_scenario& record, const range& shown, distance_view& view) {
    for (const std::size_t k : station_entries(record.voci, record.celle)) {
        const voce& station = record.voci[k];
        const auto part = shown.clip(std::min(station.valore1, station.valore2),
                                     std::max(station.valore1, station.valore2));
        if (!part) {
            continue;
        }
        const std::optional<std::int32_t> time = timetabled_time(station);
        view.stations.push_back({part->first, part->second, static_cast<double>(station.valore3),
                                 shown.holds(station.valore3), single_byte_to_utf8(station.testo),
                                 time ? clock_text(*time) : ""});
    }
}

// What the author's-terms description of the scenario says of the indicator boards, the
// cab-signal stretch, the kilometre references and the curves: the plot shows the same.
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

void build_distance_view(const compiled_scenario& record, double from_metre, double to_metre,
                         distance_view& view) {
    view = distance_view{};
    view.from_metre = from_metre;
    view.to_metre = to_metre;
    const range shown{from_metre, to_metre};
    const double line_end = record.voci[entry::length_and_train].valore2;
    if (shown.holds(line_end)) {
        view.line_end_metre = line_end;
    }
    view.tick_step_metres = round_step(to_metre - from_metre, most_axis_ticks);
    for (double tick = std::ceil(from_metre / view.tick_step_metres) * view.tick_step_metres;
         tick <= to_metre; tick += view.tick_step_metres) {
        view.ticks.push_back(tick);
    }

    const std::vector<cella>& celle = record.celle;
    view.gradient =
        runs(celle, shown, [&celle](std::size_t i) { return gradient_per_mille(celle, i); });
    view.speed = runs(celle, shown, [&celle](std::size_t i) { return speed_limit_kmh(celle, i); });
    for (const step& s : runs(celle, shown, [&celle](std::size_t i) -> std::optional<int> {
             const int side = mountain_side(celle[i]);
             if (side == no_mountain_side) {
                 return std::nullopt;
             }
             return side;
         })) {
        view.mountains.push_back({s.from_metre, s.to_metre, s.value});
    }
    add_slowdowns(celle, shown, view);
    add_point_objects(celle, shown, view);
    add_stations(record, shown, view);
    add_described_objects(describe_scenario(record), shown, view);
}

}  // namespace scenario::plot
