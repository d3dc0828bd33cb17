#include "compiler/grid_pass.h"

#include <array>
#include <string>

#include "compiler/grid_pass_points.h"

namespace scenario {
namespace {

// Signals up to 20 cells (1000 m) before a warning board get a point ahead of them; the look
// stops where fewer than 3 cells remain before the board.
constexpr int look_back_cells = 20;
constexpr std::int64_t first_signal_looked_at = 3;

struct window {
    int w1, w2, w3;
};

// Three windows ahead of every slowdown start, each applying only when all its cells exist
// beyond cell 0.
constexpr std::array<window, 3> windows = {{{5, 6, 7}, {11, 12, 13}, {18, 19, 20}}};

std::string cell_text(std::int64_t cell) {
    return "cell " + std::to_string(cell);
}

void point_ahead_of_signal(scenario_record& record, error_state& errors, std::int64_t s,
                           std::int64_t board) {
    cella& nearer = record.celle[s - 1];
    cella& further = record.celle[s - 2];
    if (place_point_if_free(nearer) || place_point_if_free(further)) {
        return;
    }
    // A point already there is kept, at the lower of its value and 180.
    for (cella* existing : {&nearer, &further}) {
        if (existing->tipo == kind::abbattimento_con_valore) {
            existing->dato1 = static_cast<std::int16_t>(minimo(valore_punto, existing->dato1));
            return;
        }
    }
    errors.record(error_code::no_cell_ahead_of_signal, cell_position(s), source_point{},
                  "signal in " + cell_text(s) + " before the slowdown warning board in " +
                      cell_text(board) + ": no free cell for the point ahead of it (cells " +
                      std::to_string(s - 2) + " and " + std::to_string(s - 1) + " are taken)");
}

void treat_warning_board(scenario_record& record, error_state& errors, std::int64_t i) {
    for (int k = 1; k <= look_back_cells; ++k) {
        if (i - k < first_signal_looked_at) {
            break;
        }
        if (record.celle[i - k].tipo == kind::segnale) {
            point_ahead_of_signal(record, errors, i - k, i);
        }
    }
}

void place_windows(scenario_record& record, error_state& errors, std::int64_t i) {
    for (const window& ahead : windows) {
        if (i <= ahead.w3) {
            continue;
        }
        // Windows never update an existing point: only a free cell takes one.
        if (!place_point_if_free(record.celle[i - ahead.w1]) &&
            !place_point_if_free(record.celle[i - ahead.w2]) &&
            !place_point_if_free(record.celle[i - ahead.w3])) {
            errors.record(error_code::no_cell_ahead_of_slowdown, cell_position(i), source_point{},
                          "slowdown starting in " + cell_text(i) + ": no free cell among cells " +
                              std::to_string(i - ahead.w3) + " to " + std::to_string(i - ahead.w1) +
                              " for a point ahead of it");
        }
    }
}

}  // namespace

bool place_point_if_free(cella& cell) {
    if (!cell.libera()) {
        return false;
    }
    cell.tipo = kind::abbattimento_con_valore;
    cell.dato1 = valore_punto;
    return true;
}

void run_grid_pass(scenario_record& record, error_state& errors) {
    // Cell 0 and the last two cells are never visited; the bound is taken once, and points
    // placed by earlier visits are seen by later ones.
    const std::int64_t last_visited = static_cast<std::int64_t>(record.celle.size()) - 3;
    for (std::int64_t i = 1; i <= last_visited; ++i) {
        switch (record.celle[i].tipo) {
            case kind::avviso_rallentamento:
                treat_warning_board(record, errors, i);
                break;
            case kind::inizio_rallentamento:
                place_windows(record, errors, i);
                treat_slowdown_course(record, errors, i);
                break;
            default:
                break;
        }
    }
}

}  // namespace scenario
