// A compiled scenario described in its author's terms: every object that the compile
// placed, with the values that its source record wrote under the names of that record's
// fields, at the position the author wrote where the compiled files can tell it, and with
// its cell. `inspect --summary` prints this model as text or JSON, and `diff` compares two of
// them; an editor or a browser can show it as it stands. The model holds no text of its own
// beyond the names in the sources; how it is printed lives beside it (author_views.h).
//
// Positions. A point object (a signal, a board, a slowdown's start and end) written at p
// lies in cell nearest(p / 50 + 1): the compiled files keep only the cell i, and the model
// gives the cell's nominal position (i - 1) x 50, which is p whenever the author wrote a
// multiple of 50. A series value written at p (gradient, speed limit, adherence), a mountain
// side's start and an "abbattimento" point go to cell nearest(p / 50): nominal i x 50.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/cell_meaning.h"
#include "format/plan_meaning.h"
#include "format/scenario_record.h"
#include "format/station_meaning.h"
#include "inspect/compiled_scenario.h"

namespace scenario {

// Where an object lies: its nominal position in metres and, for an object that a cell holds,
// that cell.
struct line_place {
    std::int64_t metre = 0;
    std::optional<std::int64_t> cell;

    bool operator==(const line_place&) const = default;
};

// The place of the point object that cell i holds: (i - 1) x 50.
line_place point_place(std::int64_t cell);
// The place where a value written at p starts, cell nearest(p / 50): i x 50.
line_place start_place(std::int64_t cell);

// The line file's general settings and the train file's general values.
struct general_values {
    std::string route;  // the identity as the item file holds it, UTF-8
    std::string train;
    std::int32_t lunghezza_percorso = 0;  // metres
    std::int32_t percentuale_massa_frenata = 0;
    std::int32_t numero_vetture = 0;
    std::int16_t sabbia = 0;
    std::array<std::int16_t, 3> orologio{};  // hours, minutes, seconds
    // "sfondo uno", "due", "tre", as written (the item file keeps them crossed).
    std::array<std::int32_t, 3> sfondo{};

    bool operator==(const general_values&) const = default;
};

// One "progressiva chilometrica" after the reader has ordered the three: uno the smallest
// position, tre the greatest. A flag of 1 has added 100 to the value.
struct kilometre_reference {
    std::int32_t position = 0;
    std::int32_t value = 0;  // as stored
    std::int32_t flag = 0;

    std::int32_t value_as_written() const { return flag == 1 ? value - 100 : value; }
    bool operator==(const kilometre_reference&) const = default;
};

// "ripetizione segnali": the stretch with cab signal repetition; codes 4 or 9, 0 for none.
struct cab_signal_stretch {
    std::int32_t start = 0;
    std::int32_t end = 0;
    std::int32_t codes = 0;

    bool operator==(const cab_signal_stretch&) const = default;
};

// What the compile stamped into the files: the format stamps and the two scenario codes.
struct compiled_stamps {
    std::int16_t item_format = 0;  // entry 85, 610
    std::int16_t grid_format = 0;  // cell 1, 5121
    std::int32_t weighted_code = 0;
    std::int16_t plain_code = 0;
};

// The grid's reach: cells 0 .. cell_count - 1, 50 m each; the series fill the first
// series_cell_count of them.
struct grid_extent {
    std::int64_t cell_count = 0;
    std::int64_t series_cell_count = 0;
};

// A station: its record's seventeen fields, the area and the cells the compile gave it.
struct station_description {
    std::size_t entry = 0;
    std::string nome;  // UTF-8
    std::int32_t pos = 0;
    std::uint8_t tipo = 0;
    std::optional<station_length_as_written> lung;  // none when the area fits no length
    std::int32_t area_start = 0;
    std::int32_t area_end = 0;
    std::uint8_t tps = 0;
    std::uint8_t tab = 0;  // as kept: cleared for the first station and below 600 m
    std::uint8_t mar = 0;  // as kept: cleared for the first station and types 5 to 8
    std::int16_t first_d2 = 0;
    std::int16_t first_d3 = 0;
    std::uint8_t rap = 0;
    std::int16_t second_d1 = 0;
    std::int16_t second_d2 = 0;
    std::int16_t second_d3 = 0;
    std::uint8_t ac = 0;
    std::int32_t time = 0;                 // seconds from midnight; 0 = no time in the timetable
    std::optional<std::int64_t> end_cell;  // the cell of kind 10 that names this entry
    bool approach_markers = false;         // the type gives the four approach codes

    bool operator==(const station_description&) const = default;
};

struct signal_description {
    line_place at;
    signal_groups values;
    int tempo = 0;  // the waiting time kept (only with sx 2)

    bool operator==(const signal_description&) const = default;
};

struct speed_board_description {
    line_place at;
    board_faces faces;

    bool operator==(const speed_board_description& other) const {
        return at == other.at && faces.left == other.faces.left && faces.right == other.faces.right;
    }
};

struct indicator_board_description {
    line_place at;
    std::int16_t entry = 0;
    std::string text;  // UTF-8

    bool operator==(const indicator_board_description&) const = default;
};

// An "abbattimento" point: one that a record wrote, or one that the compile added around a
// slowdown (always with the value 180).
struct abbattimento_point {
    line_place at;
    std::optional<std::int16_t> value;  // none for a point without a value

    bool operator==(const abbattimento_point&) const = default;
};

// A slowdown: its start and end cells, its warning board 1200 m before the start and the
// four cells before that board (f_ta), and the "abbattimento" points around it.
struct slowdown_description {
    line_place start;
    std::optional<line_place> end;  // none when the end fell into the start's cell (l < 25)
    std::int16_t v = 0;             // km/h
    std::int16_t f_tt = 0;
    std::int16_t d_v = 0;
    std::optional<line_place> warning_board;
    int cells_before_board = 0;  // 4 when f_ta marked them
    std::vector<abbattimento_point> points;

    std::int64_t length() const { return end ? end->metre - start.metre : 0; }
    bool operator==(const slowdown_description&) const = default;
};

// A run of cells over which a series keeps one value: from first_cell x 50 to
// (last_cell + 1) x 50 metres.
struct series_range {
    std::int64_t first_cell = 0;
    std::int64_t last_cell = 0;
    int value = 0;

    bool operator==(const series_range&) const = default;
};

// A mountain-side stretch: the cells its "montagna" record covered, the side, and the
// marker cells (kind 11) that a kind above 10 asked for.
struct mountain_stretch {
    std::int64_t first_cell = 0;
    std::int64_t last_cell = 0;
    int side = 0;
    std::vector<std::int64_t> markers;

    bool operator==(const mountain_stretch&) const = default;
};

// An arc as the plan draws it: the metres inizio + 1 to inizio + length are arc steps of
// one curvature. Arcs that follow each other with one curvature are one arc here.
struct curve_description {
    std::int64_t inizio = 0;
    std::int64_t length = 0;
    int digit = 0;      // 1 to 6; 0 for a curvature of no curve key
    bool left = false;  // an "s" curve
    double curvature = 0.0;

    bool operator==(const curve_description&) const = default;
};

struct plan_description {
    std::int32_t last_row = 0;          // limite_profilo
    std::int32_t last_filled_row = -1;  // the last row with a position
    double min_x = 0.0;
    double max_x = 0.0;
    double min_y = 0.0;
    double max_y = 0.0;
    std::optional<plan_point> line_end;  // the row at the line's length
    std::vector<curve_description> curves;
};

// A cell whose object belongs to none of the objects above (an object of an unknown kind, a
// slowdown's cell without its start ...), shown as it stands.
struct other_object {
    line_place at;
    cella contents;

    bool operator==(const other_object&) const = default;
};

struct scenario_description {
    general_values general;
    std::array<kilometre_reference, 3> references{};  // uno, due, tre
    cab_signal_stretch cab_signals;
    compiled_stamps stamps;
    grid_extent grid;
    std::vector<station_description> stations;
    std::vector<signal_description> signals;
    std::vector<slowdown_description> slowdowns;
    std::vector<speed_board_description> speed_boards;
    std::vector<indicator_board_description> indicator_boards;
    std::vector<abbattimento_point> points;  // those around no slowdown
    std::vector<other_object> other_objects;
    std::vector<series_range> gradients;     // per mille
    std::vector<series_range> speed_limits;  // km/h
    std::vector<series_range> adherence;
    std::vector<mountain_stretch> mountains;
    std::optional<plan_description> plan;  // none without the line file
};

scenario_description describe_scenario(const compiled_tables& tables);

// The description piece by piece, each from the tables.
void describe_general(const compiled_tables& tables, scenario_description& description);
void describe_stations(const compiled_tables& tables, scenario_description& description);
void describe_grid_objects(const compiled_tables& tables, scenario_description& description);
void describe_series(const compiled_tables& tables, scenario_description& description);
plan_description describe_plan(const profilo_linea& profilo, std::int32_t line_length);

// A part of the line: cells, metres, or both; an object is within it when its place is.
// Stretches (a station's area, a slowdown, a series range, a curve) are within it when they
// overlap it.
struct line_window {
    std::optional<std::int64_t> first_cell;
    std::optional<std::int64_t> last_cell;
    std::optional<double> from_metre;
    std::optional<double> to_metre;

    bool holds(const line_place& place) const;
    bool overlaps(std::int64_t from, std::int64_t to, std::int64_t from_cell,
                  std::int64_t to_cell) const;
};

// The description with only what lies within the window; the general values stay.
scenario_description within(const scenario_description& description, const line_window& window);

}  // namespace scenario
