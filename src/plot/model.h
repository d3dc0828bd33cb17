// The picture of a compiled scenario as plain data: what `plot` draws and where, before any
// drawing library sees it. One sheet holds the plan of the line (to scale, north up, with
// kilometre ticks, station names and signals) and, below it, panels on a shared distance
// axis: gradient, speed limit with the maximum-speed boards, and lanes of bands for the
// stations, the slowdowns, the mountain-side stretches, the signals, the cab-signal stretch,
// the indicator boards with their texts, the curves with their radii and the kilometre
// references. The renderer only maps this data
// onto a surface; every decision about what is shown, and where, is taken here, so tests can
// check the geometry without looking at pixels.
//
// Distances along the line are metres from the origin. The picture is drawn from the
// scenario in its author's terms, the description that `inspect --summary` prints
// (inspect/scenario_description.h): every object stands where the description places it, and
// a series range covers its cells' metres. Only the track itself comes from the plan's rows.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/scenario_record.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"
#include "source/status.h"

namespace scenario::plot {

// The compiled files read back, with the plan as its table of rows (the compiler keeps the
// plan as steps; the line file holds every row): what the description of a picture is made
// from, the same tables as the summary of `inspect` reads.
using compiled_scenario = compiled_tables;

struct point {
    double x = 0.0;
    double y = 0.0;
};

// An axis-aligned rectangle; on the sheet `top` is the smaller y.
struct rectangle {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

// Where the parts of the sheet lie, in sheet units: pixels of a PNG, points of an SVG or PDF.
struct sheet_layout {
    double width = 1600.0;
    double height = 1660.0;
    rectangle title{40.0, 14.0, 1520.0, 56.0};
    rectangle plan{60.0, 84.0, 1480.0, 600.0};
    rectangle gradient{120.0, 720.0, 1400.0, 150.0};
    rectangle speed{120.0, 900.0, 1400.0, 200.0};
    rectangle bands{120.0, 1130.0, 1400.0, 360.0};
    rectangle legend{40.0, 1544.0, 1520.0, 104.0};
    // The track may deviate from its drawing by this much: a fraction of a pixel.
    double plan_tolerance = 0.25;
    // Room kept free inside the plan panel around the track, for labels.
    double plan_margin = 40.0;
};

struct extent {
    double min_x = 0.0;
    double min_y = 0.0;
    double max_x = 0.0;
    double max_y = 0.0;
};

// Maps plan metres onto the sheet: the same scale on both axes, north (growing y) up.
struct plan_transform {
    double scale = 1.0;  // sheet units per metre
    point centre_metres;
    point centre_sheet;

    point to_sheet(point metres) const {
        return {centre_sheet.x + (metres.x - centre_metres.x) * scale,
                centre_sheet.y - (metres.y - centre_metres.y) * scale};
    }
};

struct plan_tick {
    std::int64_t metre = 0;
    point at;      // plan metres
    point across;  // unit vector square to the track, to its left
};

struct plan_label {
    std::string text;  // UTF-8
    std::int64_t metre = 0;
    point at;
};

struct plan_mark {
    std::int64_t metre = 0;
    point at;
};

struct plan_view {
    bool has_line = false;
    std::string missing_text;    // shown in place of the plan when there is none
    std::int64_t first_row = 0;  // the rows of the line file that the plan covers
    std::int64_t last_row = -1;
    std::size_t row_count = 0;  // rows with a position, before simplification
    extent bounds;              // of every row in range, not only the kept ones
    std::vector<point> track;   // the simplified polyline, plan metres
    double tolerance_metres = 0.0;
    plan_transform transform;
    double tick_label_step_metres = 1000.0;  // a multiple of the step between ticks
    std::vector<plan_tick> ticks;
    std::vector<plan_label> stations;
    std::vector<plan_mark> signals;
    std::optional<point> origin;
    std::optional<point> line_end;
    double scale_bar_metres = 0.0;
};

// A value that holds from `from_metre` up to `to_metre`.
struct step {
    double from_metre = 0.0;
    double to_metre = 0.0;
    int value = 0;
};

struct speed_board {
    double metre = 0.0;
    int speed = 0;     // the first speed of the board's face, km/h
    std::string text;  // every speed of that face, "105/115/120"
};

struct slowdown_band {
    double from_metre = 0.0;
    double to_metre = 0.0;
    int speed = 0;  // km/h
};

struct warning_board {
    double metre = 0.0;
    int speed = 0;
};

struct station_band {
    double from_metre = 0.0;  // the area, clipped to the range
    double to_metre = 0.0;
    double position_metre = 0.0;
    bool position_in_range = false;
    std::string name;  // UTF-8
    std::string time;  // "hh:mm:ss", empty for a station without a time in the timetable
};

struct mountain_band {
    double from_metre = 0.0;
    double to_metre = 0.0;
    int side = 0;  // 1, 2 or 3, the stretch's side
};

struct indicator_board {
    double metre = 0.0;
    std::string text;  // UTF-8; empty for a board without a text
};

// The stretch equipped with cab signal repetition, clipped to the range.
struct cab_signal_band {
    double from_metre = 0.0;
    double to_metre = 0.0;
    int codes = 0;  // 4 or 9
};

// An arc of one curvature, clipped to the range.
struct curve_band {
    double from_metre = 0.0;
    double to_metre = 0.0;
    int digit = 0;        // of the curve key, 1 to 6; 0 for a curvature of no key
    bool left = false;    // an "s" curve
    double radius = 0.0;  // metres, 1 / curvature
};

// A kilometre reference: at this metre of the line the kilometre posts read `reading` metres.
struct kilometre_mark {
    double metre = 0.0;
    std::int32_t reading = 0;
};

struct distance_view {
    double from_metre = 0.0;  // the shared axis
    double to_metre = 0.0;
    std::optional<double> line_end_metre;  // when the line's end lies in range
    double tick_step_metres = 1000.0;
    std::vector<double> ticks;
    std::vector<step> gradient;  // per mille
    std::vector<step> speed;     // km/h
    std::vector<speed_board> boards;
    std::vector<slowdown_band> slowdowns;
    std::vector<warning_board> warnings;
    std::vector<station_band> stations;
    std::vector<mountain_band> mountains;
    std::vector<double> signals;
    std::vector<indicator_board> indicator_boards;
    std::optional<cab_signal_band> cab_signals;
    std::vector<curve_band> curves;  // none without the line file
    std::vector<kilometre_mark> kilometre_references;
};

enum class legend_symbol {
    track,
    origin,
    kilometre_tick,
    signal,
    station,
    gradient,
    speed_limit,
    speed_board,
    slowdown,
    warning_board,
    station_area,
    mountain_side,
    indicator_board,
    cab_signals,
    curve,
    kilometre_reference,
};

struct legend_entry {
    legend_symbol symbol;
    std::string text;
};

struct plot_model {
    std::string title;
    std::string subtitle;
    plan_view plan;
    distance_view distance;
    std::vector<legend_entry> legend;
};

// The part of the line to draw, in kilometres; a missing bound takes the end of the data.
struct plot_options {
    std::optional<double> from_km;
    std::optional<double> to_km;
};

// The metres that the distance axis covers with no --from/--to: from the origin to the
// start of the grid's last cell.
double data_end_metre(const scenario_description& description);

// Fails, with a message for the user, when the range is empty or leaves the data.
status resolve_range(const scenario_description& description, const plot_options& options,
                     double& from_metre, double& to_metre);

// The description needs a grid of cells; `rows`, the plan's rows, is missing without the
// line file (a compile without the line).
status build_plot_model(const scenario_description& description,
                        const std::optional<profilo_linea>& rows, const plot_options& options,
                        const sheet_layout& sheet, plot_model& model);

// The model piece by piece, built from a resolved range.
void build_plan_view(const scenario_description& description,
                     const std::optional<profilo_linea>& rows, double from_metre, double to_metre,
                     const sheet_layout& sheet, plan_view& plan);
void build_distance_view(const scenario_description& description, double from_metre,
                         double to_metre, distance_view& view);

// A round step (1, 2 or 5 times a power of ten metres, at least 100) that cuts the span into
// at most `most` parts.
double round_step(double span_metres, int most);

}  // namespace scenario::plot
