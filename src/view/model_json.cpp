// The drawing model of `plot` as the page's data: arrays of plain numbers and texts, one array
// per layer, in the order the model holds them. The plan adds what a sheet does not need: its
// track thinned at finer and finer tolerances, each point with its metre of the line, so that
// the page draws any part of the line at its own scale from the coarsest level that is fine
// enough.
#include <cmath>

#include "plot/simplify.h"
#include "view/view_json.h"

namespace scenario::view {
namespace {

// The finest level: a few centimetres are below a pixel at any useful zoom.
constexpr double finest_tolerance_metres = 0.05;
// Each level is this many times finer than the one before it.
constexpr double level_ratio = 8.0;

json step_array(const std::vector<plot::step>& steps) {
    json array = json::array();
    for (const plot::step& s : steps) {
        array.push_back({s.from_metre, s.to_metre, s.value});
    }
    return array;
}

// The rows of the plan with a position, from row 0 on: the line file leaves its last rows
// empty.
std::vector<plot::point> plan_rows(const profilo_linea& profilo) {
    std::vector<plot::point> rows;
    for (std::int32_t row = 0; row <= profilo.ultima_riga(); ++row) {
        const plot::point p{profilo.valore(row, 0), profilo.valore(row, 1)};
        if (profilo.tag(row, 0) == profile_tag::vuoto ||
            profilo.tag(row, 1) == profile_tag::vuoto || !std::isfinite(p.x) ||
            !std::isfinite(p.y)) {
            break;
        }
        rows.push_back(p);
    }
    return rows;
}

json level_json(const std::vector<plot::point>& rows, double tolerance) {
    json metres = json::array();
    json xs = json::array();
    json ys = json::array();
    for (const std::size_t i : plot::simplify_polyline(rows, tolerance)) {
        metres.push_back(i);
        xs.push_back(centimetres(rows[i].x));
        ys.push_back(centimetres(rows[i].y));
    }
    return {{"tolerance", tolerance},
            {"m", std::move(metres)},
            {"x", std::move(xs)},
            {"y", std::move(ys)}};
}

}  // namespace

double centimetres(double metres) {
    return std::round(metres * 100.0) / 100.0;
}

json distance_json(const plot::distance_view& d) {
    json boards = json::array();
    for (const plot::speed_board& b : d.boards) {
        boards.push_back({b.metre, b.speed, b.text});
    }
    json slowdowns = json::array();
    for (const plot::slowdown_band& s : d.slowdowns) {
        slowdowns.push_back({s.from_metre, s.to_metre, s.speed});
    }
    json warnings = json::array();
    for (const plot::warning_board& w : d.warnings) {
        warnings.push_back({w.metre, w.speed});
    }
    json stations = json::array();
    for (const plot::station_band& s : d.stations) {
        stations.push_back({s.from_metre, s.to_metre, s.position_metre, s.name, s.time});
    }
    json mountains = json::array();
    for (const plot::mountain_band& m : d.mountains) {
        mountains.push_back({m.from_metre, m.to_metre, m.side});
    }
    json indicator_boards = json::array();
    for (const plot::indicator_board& b : d.indicator_boards) {
        indicator_boards.push_back({b.metre, b.text});
    }
    json curves = json::array();
    for (const plot::curve_band& c : d.curves) {
        curves.push_back({c.from_metre, c.to_metre, c.digit, c.left, centimetres(c.radius)});
    }
    json references = json::array();
    for (const plot::kilometre_mark& k : d.kilometre_references) {
        references.push_back({k.metre, k.reading});
    }
    json cab = nullptr;
    if (d.cab_signals) {
        cab = {d.cab_signals->from_metre, d.cab_signals->to_metre, d.cab_signals->codes};
    }
    json line_end = nullptr;
    if (d.line_end_metre) {
        line_end = *d.line_end_metre;
    }
    return {{"from", d.from_metre},
            {"to", d.to_metre},
            {"line_end", line_end},
            {"gradient", step_array(d.gradient)},
            {"speed", step_array(d.speed)},
            {"boards", std::move(boards)},
            {"slowdowns", std::move(slowdowns)},
            {"warnings", std::move(warnings)},
            {"stations", std::move(stations)},
            {"mountains", std::move(mountains)},
            {"signals", d.signals},
            {"indicator_boards", std::move(indicator_boards)},
            {"cab_signals", std::move(cab)},
            {"curves", std::move(curves)},
            {"kilometre_references", std::move(references)}};
}

json plan_json(const plot::plan_view& plan, const compiled_tables& tables) {
    if (!plan.has_line || !tables.profilo) {
        return {{"missing", plan.missing_text}};
    }
    const std::vector<plot::point> rows = plan_rows(*tables.profilo);
    json levels = json::array();
    // The coarsest level is the sheet's own; a line whose rows are all within the finest
    // tolerance of one another still gets it.
    double tolerance = plan.tolerance_metres;
    do {
        levels.push_back(level_json(rows, tolerance));
        tolerance /= level_ratio;
    } while (tolerance >= finest_tolerance_metres);

    json stations = json::array();
    for (const plot::plan_label& s : plan.stations) {
        stations.push_back({s.text, s.metre, centimetres(s.at.x), centimetres(s.at.y)});
    }
    json signals = json::array();
    for (const plot::plan_mark& s : plan.signals) {
        signals.push_back({s.metre, centimetres(s.at.x), centimetres(s.at.y)});
    }
    return {{"bounds",
             {centimetres(plan.bounds.min_x), centimetres(plan.bounds.min_y),
              centimetres(plan.bounds.max_x), centimetres(plan.bounds.max_y)}},
            {"levels", std::move(levels)},
            {"stations", std::move(stations)},
            {"signals", std::move(signals)}};
}

}  // namespace scenario::view
