// The plan panel: the track from the rows of the line file, simplified for the sheet, with
// the stations and signals of the description beside it. Row m of the plan is metre m of the
// line.
#include <algorithm>
#include <cmath>

#include "plot/model.h"
#include "plot/simplify.h"

namespace scenario::plot {
namespace {

constexpr int most_plan_ticks = 40;
constexpr int most_plan_tick_labels = 20;

// The rows from `first` on, as points, up to `last` or the first row without a position:
// the line file leaves its last two rows empty. A row that holds no finite number ends the
// plan there too, as nothing after it could be placed on the sheet.
std::vector<point> rows_in_range(const profilo_linea& profilo, std::int64_t first,
                                 std::int64_t last) {
    std::vector<point> points;
    last = std::min<std::int64_t>(last, profilo.ultima_riga());
    for (std::int64_t row = first; row <= last; ++row) {
        const auto r = static_cast<std::int32_t>(row);
        const point p{profilo.valore(r, 0), profilo.valore(r, 1)};
        if (profilo.tag(r, 0) == profile_tag::vuoto || profilo.tag(r, 1) == profile_tag::vuoto ||
            !std::isfinite(p.x) || !std::isfinite(p.y)) {
            break;
        }
        points.push_back(p);
    }
    return points;
}

extent bounds_of(const std::vector<point>& points) {
    extent box{points.front().x, points.front().y, points.front().x, points.front().y};
    for (const point& p : points) {
        box.min_x = std::min(box.min_x, p.x);
        box.min_y = std::min(box.min_y, p.y);
        box.max_x = std::max(box.max_x, p.x);
        box.max_y = std::max(box.max_y, p.y);
    }
    return box;
}

// The largest of 1, 2 and 5 times a power of ten that is not above `most`.
double round_length_below(double most) {
    double length = std::pow(10.0, std::floor(std::log10(most)));
    for (const double factor : {5.0, 2.0}) {
        if (length * factor <= most) {
            return length * factor;
        }
    }
    return length;
}

plan_transform fit_to_panel(const extent& box, const sheet_layout& sheet) {
    const double room_x = sheet.plan.width - 2 * sheet.plan_margin;
    const double room_y = sheet.plan.height - 2 * sheet.plan_margin;
    const double span_x = box.max_x - box.min_x;
    const double span_y = box.max_y - box.min_y;
    double scale = 1.0;
    if (span_x > 0.0 && span_y > 0.0) {
        scale = std::min(room_x / span_x, room_y / span_y);
    } else if (span_x > 0.0) {
        scale = room_x / span_x;
    } else if (span_y > 0.0) {
        scale = room_y / span_y;
    }
    return {scale,
            {(box.min_x + box.max_x) / 2, (box.min_y + box.max_y) / 2},
            {sheet.plan.left + sheet.plan.width / 2, sheet.plan.top + sheet.plan.height / 2}};
}

// The unit vector square to the track at index i, to the left of the direction of travel.
point across_track(const std::vector<point>& points, std::size_t i) {
    const std::size_t before = i > 0 ? i - 1 : i;
    const std::size_t after = i + 1 < points.size() ? i + 1 : i;
    const double dx = points[after].x - points[before].x;
    const double dy = points[after].y - points[before].y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return {1.0, 0.0};
    }
    return {-dy / length, dx / length};
}

}  // namespace

void build_plan_view(const scenario_description& description,
                     const std::optional<profilo_linea>& rows, double from_metre, double to_metre,
                     const sheet_layout& sheet, plan_view& plan) {
    plan = plan_view{};
    if (!rows) {
        plan.missing_text = "no plan: the line file was not compiled";
        return;
    }
    const auto first = static_cast<std::int64_t>(std::ceil(from_metre));
    const auto last = static_cast<std::int64_t>(std::floor(to_metre));
    const std::vector<point> points = rows_in_range(*rows, first, last);
    if (points.empty()) {
        plan.missing_text = "no plan: the line file has no rows in this range";
        return;
    }
    plan.has_line = true;
    plan.first_row = first;
    plan.last_row = first + static_cast<std::int64_t>(points.size()) - 1;
    plan.row_count = points.size();
    plan.bounds = bounds_of(points);
    plan.transform = fit_to_panel(plan.bounds, sheet);
    plan.tolerance_metres = sheet.plan_tolerance / plan.transform.scale;
    for (const std::size_t i : simplify_polyline(points, plan.tolerance_metres)) {
        plan.track.push_back(points[i]);
    }

    // Everything beside the track stands at a whole metre, whose row gives its position.
    const auto row_point = [&](std::int64_t metre) -> std::optional<point> {
        if (metre < plan.first_row || metre > plan.last_row) {
            return std::nullopt;
        }
        return points[static_cast<std::size_t>(metre - plan.first_row)];
    };

    const auto step = static_cast<std::int64_t>(round_step(to_metre - from_metre, most_plan_ticks));
    plan.tick_label_step_metres = round_step(to_metre - from_metre, most_plan_tick_labels);
    for (std::int64_t metre = (plan.first_row + step - 1) / step * step; metre <= plan.last_row;
         metre += step) {
        if (metre > 0) {
            const auto i = static_cast<std::size_t>(metre - plan.first_row);
            plan.ticks.push_back({metre, points[i], across_track(points, i)});
        }
    }
    for (const station_description& station : description.stations) {
        if (const auto at = row_point(station.pos)) {
            plan.stations.push_back({station.nome, station.pos, *at});
        }
    }
    for (const signal_description& signal : description.signals) {
        if (const auto at = row_point(signal.at.metre)) {
            plan.signals.push_back({signal.at.metre, *at});
        }
    }
    plan.origin = row_point(0);
    plan.line_end = row_point(description.general.lunghezza_percorso);
    const double panel_metres = (sheet.plan.width - 2 * sheet.plan_margin) / plan.transform.scale;
    plan.scale_bar_metres = round_length_below(panel_metres / 5);
}

}  // namespace scenario::plot
