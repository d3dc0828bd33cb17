#include "plot/model.h"

#include <cmath>
#include <cstdio>

namespace scenario::plot {
namespace {

std::string kilometres(double metre) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", metre / 1000.0);
    return text;
}

std::vector<legend_entry> standard_legend() {
    return {
        {legend_symbol::track, "track (plan to scale, north up)"},
        {legend_symbol::origin, "origin of the line"},
        {legend_symbol::kilometre_tick, "kilometre tick"},
        {legend_symbol::signal, "signal"},
        {legend_symbol::station, "station"},
        {legend_symbol::gradient, "gradient, per mille"},
        {legend_symbol::speed_limit, "speed limit, km/h"},
        {legend_symbol::speed_board, "maximum-speed board"},
        {legend_symbol::slowdown, "slowdown, with its speed"},
        {legend_symbol::warning_board, "slowdown warning board"},
        {legend_symbol::station_area, "station area, name and time"},
        {legend_symbol::mountain_side, "mountain side"},
        {legend_symbol::indicator_board, "indicator board, with its text"},
        {legend_symbol::cab_signals, "cab signal repetition, 4 or 9 codes"},
        {legend_symbol::curve, "curve, radius in m (s: to the left)"},
        {legend_symbol::kilometre_reference, "kilometre reference, the posts' reading"},
    };
}

}  // namespace

double data_end_metre(const scenario_description& description) {
    if (description.grid.cell_count == 0) {
        return 0.0;
    }
    return static_cast<double>(description.grid.cell_count - 1) * cell_metres;
}

status resolve_range(const scenario_description& description, const plot_options& options,
                     double& from_metre, double& to_metre) {
    const double end = data_end_metre(description);
    from_metre = options.from_km ? *options.from_km * 1000.0 : 0.0;
    to_metre = options.to_km ? *options.to_km * 1000.0 : end;
    if (!std::isfinite(from_metre) || !std::isfinite(to_metre)) {
        return status::invalid_input("--from and --to take kilometres as plain numbers");
    }
    if (from_metre < 0.0) {
        return status::invalid_input("--from " + kilometres(from_metre) +
                                     " km lies before the origin of the line (0 km)");
    }
    if (to_metre > end) {
        return status::invalid_input("--to " + kilometres(to_metre) +
                                     " km lies beyond the grid, which ends at " + kilometres(end) +
                                     " km");
    }
    if (from_metre >= to_metre) {
        return status::invalid_input("the range from " + kilometres(from_metre) + " km to " +
                                     kilometres(to_metre) +
                                     " km is empty: --from must lie before --to");
    }
    return status::success();
}

double round_step(double span_metres, int most) {
    double step = 100.0;
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (span_metres / (step * factor) <= most) {
                return step * factor;
            }
        }
        step *= 10.0;
    }
}

status build_plot_model(const scenario_description& description,
                        const std::optional<profilo_linea>& rows, const plot_options& options,
                        const sheet_layout& sheet, plot_model& model) {
    double from_metre = 0.0;
    double to_metre = 0.0;
    if (const status range = resolve_range(description, options, from_metre, to_metre);
        !range.ok()) {
        return range;
    }
    model = plot_model{};
    build_plan_view(description, rows, from_metre, to_metre, sheet, model.plan);
    build_distance_view(description, from_metre, to_metre, model.distance);

    const general_values& general = description.general;
    model.title = general.route + ", train " + general.train + ": line length " +
                  std::to_string(general.lunghezza_percorso) + " m";
    model.subtitle = "from km " + kilometres(from_metre) + " to km " + kilometres(to_metre) + "; " +
                     std::to_string(description.grid.cell_count) + " cells of 50 m";
    if (model.plan.has_line) {
        model.subtitle += "; plan drawn with " + std::to_string(model.plan.track.size()) + " of " +
                          std::to_string(model.plan.row_count) + " points";
    }
    model.legend = standard_legend();
    return status::success();
}

}  // namespace scenario::plot
