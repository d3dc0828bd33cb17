// The point objects of the grid, each in its author's terms. A slowdown's record made up to
// seven cells (start, end, warning board and the four cells before it); a station's end cell
// and a mountain stretch's markers belong to their station and stretch. Every cell that none
// of them claims is shown as it stands.
#include <algorithm>
#include <optional>
#include <vector>

#include "format/slowdown_geometry.h"
#include "inspect/scenario_description.h"
#include "source/code_page.h"

namespace scenario {
namespace {

// The warning board stands 24 cells before the start; the four cells before the board hold 1
// to 4 counting back from it.
constexpr std::int64_t board_before_start = slowdown_board_metres / cell_metres;
constexpr std::int64_t cells_before_board = cells_before_slowdown_board;
// Where the grid pass adds points around a slowdown: ahead of the signals before the warning
// board (a point one or two cells before each), in the windows before the start, inside the
// slowdown, and ahead of the first signal after its end.
constexpr std::int64_t reach_before_board = signal_look_back_cells + cells_ahead_of_signal;
constexpr std::int64_t reach_before_start = furthest_window_cell;
constexpr std::int64_t reach_after_end = signal_search_after_end;
// The value of every point that the compile adds.
constexpr std::int16_t added_value = valore_punto;

struct grid_reader {
    const compiled_tables& tables;
    scenario_description& description;
    std::vector<bool> claimed;

    const std::vector<cella>& celle() const { return tables.celle; }
    std::int64_t count() const { return static_cast<std::int64_t>(tables.celle.size()); }
    const cella& at(std::int64_t i) const { return tables.celle[static_cast<std::size_t>(i)]; }
    bool is(std::int64_t i, std::uint8_t tipo) const {
        return i >= 0 && i < count() && at(i).tipo == tipo;
    }
    void claim(std::int64_t i) { claimed[static_cast<std::size_t>(i)] = true; }
};

bool same_slowdown_values(const cella& start, const cella& end) {
    return start.dato1 == end.dato1 && start.dato2 == end.dato2 && start.dato3 == end.dato3;
}

// The end cell of each slowdown start. A start takes the first end after it that no later
// start has taken, one with its own values (speed, d_v, f_tt) before any other: taken from
// the last start back, a slowdown that begins inside another gets its own end, and one
// shorter than a cell, whose end fell into its start cell, gets none.
std::vector<std::optional<std::int64_t>> pair_slowdown_ends(
    const grid_reader& grid, const std::vector<std::int64_t>& starts) {
    std::vector<std::optional<std::int64_t>> ends(starts.size());
    std::vector<bool> taken(static_cast<std::size_t>(grid.count()));
    for (std::size_t n = starts.size(); n-- > 0;) {
        const std::int64_t i = starts[n];
        std::optional<std::int64_t> any_end;
        for (std::int64_t r = i + 1; r < grid.count(); ++r) {
            if (!grid.is(r, kind::fine_rallentamento) || taken[static_cast<std::size_t>(r)]) {
                continue;
            }
            if (same_slowdown_values(grid.at(i), grid.at(r))) {
                ends[n] = r;
                break;
            }
            if (!any_end) {
                any_end = r;
            }
        }
        if (!ends[n]) {
            ends[n] = any_end;
        }
        if (ends[n]) {
            taken[static_cast<std::size_t>(*ends[n])] = true;
        }
    }
    return ends;
}

void read_slowdown(grid_reader& grid, std::int64_t i, std::optional<std::int64_t> end) {
    const cella& start = grid.at(i);
    slowdown_description slowdown;
    slowdown.start = point_place(i);
    slowdown.v = start.dato1;
    slowdown.d_v = start.dato2;
    slowdown.f_tt = start.dato3;
    grid.claim(i);
    if (end) {
        slowdown.end = point_place(*end);
        grid.claim(*end);
    }
    const std::int64_t board = i - board_before_start;
    if (grid.is(board, kind::avviso_rallentamento)) {
        slowdown.warning_board = point_place(board);
        grid.claim(board);
        for (std::int64_t j = 1; j <= cells_before_board; ++j) {
            if (grid.is(board - j, kind::prima_dell_avviso) && grid.at(board - j).dato1 == j) {
                ++slowdown.cells_before_board;
                grid.claim(board - j);
            }
        }
    }
    grid.description.slowdowns.push_back(std::move(slowdown));
}

// The slowdown whose reach holds the cell, the first one when two reach it.
slowdown_description* slowdown_reaching(scenario_description& description, std::int64_t cell) {
    for (slowdown_description& slowdown : description.slowdowns) {
        const std::int64_t start = *slowdown.start.cell;
        const std::int64_t first = slowdown.warning_board
                                       ? *slowdown.warning_board->cell - reach_before_board
                                       : start - reach_before_start;
        const std::int64_t last = (slowdown.end ? *slowdown.end->cell : start) + reach_after_end;
        if (cell >= first && cell <= last) {
            return &slowdown;
        }
    }
    return nullptr;
}

void read_point(grid_reader& grid, std::int64_t i) {
    const cella& cell = grid.at(i);
    abbattimento_point point;
    point.at = start_place(i);
    if (cell.tipo == kind::abbattimento_con_valore) {
        point.value = cell.dato1;
    }
    grid.claim(i);
    // The compile adds points of value 180 only: a point without a value, or with another
    // value, is one that the author wrote, and stands under its own kind.
    const bool added = cell.tipo == kind::abbattimento_con_valore && cell.dato1 == added_value;
    if (slowdown_description* slowdown = added ? slowdown_reaching(grid.description, i) : nullptr) {
        slowdown->points.push_back(point);
    } else {
        grid.description.points.push_back(point);
    }
}

void read_point_object(grid_reader& grid, std::int64_t i) {
    const cella& cell = grid.at(i);
    scenario_description& description = grid.description;
    switch (cell.tipo) {
        case kind::segnale:
            description.signals.push_back({point_place(i), unpack_signal(cell), cell.extra1});
            break;
        case kind::indicatore_v_max:
            description.speed_boards.push_back({point_place(i), unpack_speed_board(cell)});
            break;
        case kind::cartello_indicatore: {
            const bool in_table = cell.dato1 >= 0 && cell.dato1 < numero_voci;
            description.indicator_boards.push_back(
                {point_place(i), cell.dato1,
                 in_table ? single_byte_to_utf8(
                                grid.tables.voci[static_cast<std::size_t>(cell.dato1)].testo)
                          : std::string()});
            break;
        }
        default:
            return;
    }
    grid.claim(i);
}

// Station ends that name a station, and markers inside a mountain stretch.
void claim_parts(grid_reader& grid) {
    for (const station_description& station : grid.description.stations) {
        if (station.end_cell) {
            grid.claim(*station.end_cell);
        }
    }
    for (const mountain_stretch& stretch : grid.description.mountains) {
        for (const std::int64_t marker : stretch.markers) {
            grid.claim(marker);
        }
    }
}

}  // namespace

void describe_grid_objects(const compiled_tables& tables, scenario_description& description) {
    grid_reader grid{tables, description, std::vector<bool>(tables.celle.size())};
    std::vector<std::int64_t> starts;
    for (std::int64_t i = 0; i < grid.count(); ++i) {
        if (grid.is(i, kind::inizio_rallentamento)) {
            starts.push_back(i);
        }
    }
    const std::vector<std::optional<std::int64_t>> ends = pair_slowdown_ends(grid, starts);
    for (std::size_t n = 0; n < starts.size(); ++n) {
        read_slowdown(grid, starts[n], ends[n]);
    }
    for (std::int64_t i = 0; i < grid.count(); ++i) {
        if (grid.is(i, kind::abbattimento_con_valore) ||
            grid.is(i, kind::abbattimento_senza_valore)) {
            read_point(grid, i);
        } else {
            read_point_object(grid, i);
        }
    }
    claim_parts(grid);
    for (std::int64_t i = 0; i < grid.count(); ++i) {
        if (grid.at(i).tipo != kind::libera && !grid.claimed[static_cast<std::size_t>(i)]) {
            description.other_objects.push_back({point_place(i), grid.at(i)});
        }
    }
}

}  // namespace scenario
