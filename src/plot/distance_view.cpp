// The panels on the distance axis: the per-cell series as steps, the point objects of the
// grid at their positions, and the stations' areas from the item table. Everything is clipped
// to the range; an element wholly outside it is left out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <utility>

#include "plot/model.h"
#include "source/code_page.h"

namespace scenario::plot {
namespace {

constexpr int most_axis_ticks = 20;
// extra5 holds the gradient plus 100; extra4 the speed limit divided by 5.
constexpr int gradient_offset = 100;
constexpr int speed_unit = 5;
// A maximum-speed board packs the two faces of each category as left * 20 + right / 5: the
// left speed counts in hundreds of the packed value, the right one in its last two digits.
constexpr int board_left_unit = 100;

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
    return (static_cast<double>(cell) - 1.0) * cell_metres;
}
double cell_start(std::size_t cell) {
    return static_cast<double>(cell) * cell_metres;
}

// The reader fills the series up to three cells before the last one; those three keep 0,
// which is no value, not a gradient of -100 per mille or a speed limit of 0.
std::size_t series_cells(const std::vector<cella>& celle) {
    return celle.size() >= 3 ? celle.size() - 3 : 0;
}

// Runs of equal values over cells [0, count), as steps inside the range; `value` of nothing
// leaves the cell out of every run.
std::vector<step> runs(const std::vector<cella>& celle, std::size_t count, const range& shown,
                       const std::function<std::optional<int>(const cella&)>& value) {
    std::vector<step> steps;
    std::size_t i = 0;
    while (i < count) {
        const std::optional<int> v = value(celle[i]);
        std::size_t j = i + 1;
        while (j < count && value(celle[j]) == v) {
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

speed_board board_of(const cella& cell, double metre) {
    const int faces[3] = {cell.dato1, cell.dato2, cell.dato3};
    int left[3];
    int right[3];
    for (int k = 0; k < 3; ++k) {
        left[k] = faces[k] / board_left_unit * speed_unit;
        right[k] = faces[k] % board_left_unit * speed_unit;
    }
    const int* face = (left[0] != 0 || left[1] != 0 || left[2] != 0) ? left : right;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d", face[0], face[1], face[2]);
    return {metre, face[0], text};
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
            view.boards.push_back(board_of(cell, metre));
        }
    }
}

// A station that the train passes without a scheduled time holds 0.
std::string clock_text(std::int32_t seconds) {
    if (seconds <= 0) {
        return "";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", seconds / 3600, seconds / 60 % 60);
    return text;
}

void add_stations(const compiled_scenario& record, const range& shown, distance_view& view) {
    for (const int k : station_entries(record)) {
        const voce& station = record.voci[k];
        const auto part = shown.clip(std::min(station.valore1, station.valore2),
                                     std::max(station.valore1, station.valore2));
        if (!part) {
            continue;
        }
        view.stations.push_back({part->first, part->second, static_cast<double>(station.valore3),
                                 shown.holds(station.valore3), k,
                                 single_byte_to_utf8(station.testo), clock_text(station.valore4)});
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
    const std::size_t filled = series_cells(celle);
    view.gradient = runs(celle, filled, shown, [](const cella& c) -> std::optional<int> {
        return int{c.extra5} - gradient_offset;
    });
    view.speed = runs(celle, filled, shown, [](const cella& c) -> std::optional<int> {
        return int{c.extra4} * speed_unit;
    });
    for (const step& s : runs(celle, celle.size(), shown, [](const cella& c) -> std::optional<int> {
             if (c.extra3 == 0) {
                 return std::nullopt;
             }
             return int{c.extra3};
         })) {
        view.mountains.push_back({s.from_metre, s.to_metre, s.value});
    }
    add_slowdowns(celle, shown, view);
    add_point_objects(celle, shown, view);
    add_stations(record, shown, view);
}

}  // namespace scenario::plot
