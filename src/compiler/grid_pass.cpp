#include "compiler/grid_pass.h"

#include <array>
#include <string>
#include <utility>

#include "compiler/grid_pass_points.h"
#include "format/cell_words.h"
#include "format/slowdown_geometry.h"

namespace scenario {
namespace {

std::string cell_text(std::int64_t cell) {
    return "cell " + std::to_string(cell);
}

// An author's point ahead of a signal before a slowdown warning board keeps at most the
// value 180 of the points the pass adds there: a greater value is lost.
void tell_point_value_lowered(grid_pass_state& pass, std::int64_t point, std::int64_t s) {
    const record_origin& author = pass.origin_of(point);
    if (pass.origins == nullptr || !author.known() || author.added_by_grid_pass) {
        return;
    }
    pass.errors.warn(warning_code::overwritten, pass.origins->point_of(author),
                     record_origins::name_of(author) + " (cell " + std::to_string(point) +
                         "): its value " + std::to_string(pass.cell(point).dato1) +
                         " is lowered to 180: it stands ahead of a signal within 1000 m before "
                         "a slowdown warning board, where the compile puts a point of value "
                         "180");
    const record_origin& signal = pass.origin_of(s);
    if (signal.known()) {
        pass.errors.relate_latest(pass.origins->point_of(signal), "the signal");
    }
}

void point_ahead_of_signal(grid_pass_state& pass, std::int64_t s, std::int64_t board) {
    if (pass.place_point_if_free(s - 1, s) || pass.place_point_if_free(s - 2, s)) {
        return;
    }
    // A point already there is kept, at the lower of its value and 180.
    for (const std::int64_t existing : {s - 1, s - 2}) {
        cella& cell = pass.cell(existing);
        if (cell.tipo == kind::abbattimento_con_valore) {
            if (cell.dato1 > valore_punto) {
                tell_point_value_lowered(pass, existing, s);
            }
            cell.dato1 = static_cast<std::int16_t>(minimo(valore_punto, cell.dato1));
            return;
        }
    }
    const record_origin& signal = pass.origin_of(s);
    if (!signal.known()) {
        pass.record_error(
            error_code::no_cell_ahead_of_signal, cell_position(s), signal,
            "signal in " + cell_text(s) + " before the slowdown warning board in " +
                cell_text(board) + ": no free cell for the point ahead of it (cells " +
                std::to_string(s - 2) + " and " + std::to_string(s - 1) + " are taken)");
        return;
    }
    const record_origin& slowdown = pass.origin_of(board);
    const std::string slowdown_name = slowdown.known()
                                          ? pass.origins->name_with_line(slowdown, signal.file) +
                                                " (its warning "
                                                "board in " +
                                                cell_text(board) + ")"
                                          : "the slowdown warning board in " + cell_text(board);
    pass.record_error(error_code::no_cell_ahead_of_signal, cell_position(s), signal,
                      record_origins::name_of(signal) + " (" + cell_text(s) +
                          ") stands within 1000 m before " + slowdown_name +
                          ": no free cell is left for the point ahead of the signal: cell " +
                          std::to_string(s - 2) + " holds " + pass.holding(s - 2, signal) +
                          " and cell " + std::to_string(s - 1) + " " + pass.holding(s - 1, signal));
}

void treat_warning_board(grid_pass_state& pass, std::int64_t i) {
    for (int k = 1; k <= signal_look_back_cells; ++k) {
        if (i - k < first_signal_looked_at) {
            break;
        }
        if (pass.cell(i - k).tipo == kind::segnale) {
            point_ahead_of_signal(pass, i - k, i);
        }
    }
}

void place_windows(grid_pass_state& pass, std::int64_t i) {
    for (const point_window& ahead : point_windows) {
        if (i <= ahead.w3) {
            continue;
        }
        // Windows never update an existing point: only a free cell takes one.
        if (pass.place_point_if_free(i - ahead.w1, i) ||
            pass.place_point_if_free(i - ahead.w2, i) ||
            pass.place_point_if_free(i - ahead.w3, i)) {
            continue;
        }
        const record_origin& slowdown = pass.origin_of(i);
        const std::string cells =
            "cells " + std::to_string(i - ahead.w3) + " to " + std::to_string(i - ahead.w1);
        if (!slowdown.known()) {
            pass.record_error(error_code::no_cell_ahead_of_slowdown, cell_position(i), slowdown,
                              "slowdown starting in " + cell_text(i) + ": no free cell among " +
                                  cells + " for a point ahead of it");
            continue;
        }
        pass.record_error(
            error_code::no_cell_ahead_of_slowdown, cell_position(i), slowdown,
            record_origins::name_of(slowdown) + " (its start in " + cell_text(i) +
                "): no free cell among " + cells + " for a point ahead of it: they hold " +
                pass.holding(i - ahead.w3, slowdown) + ", " + pass.holding(i - ahead.w2, slowdown) +
                " and " + pass.holding(i - ahead.w1, slowdown));
    }
}

}  // namespace

const record_origin& grid_pass_state::origin_of(std::int64_t i) const {
    static const record_origin unknown{};
    return origins != nullptr ? origins->cell(static_cast<std::size_t>(i)) : unknown;
}

bool grid_pass_state::place_point_if_free(std::int64_t i, std::int64_t for_cell) {
    cella& target = cell(i);
    if (!target.libera()) {
        return false;
    }
    target.tipo = kind::abbattimento_con_valore;
    target.dato1 = valore_punto;
    if (origins != nullptr) {
        record_origin added = origins->cell(static_cast<std::size_t>(for_cell));
        added.added_by_grid_pass = true;
        origins->place(static_cast<std::size_t>(i), added);
    }
    return true;
}

std::string grid_pass_state::holding(std::int64_t i, const record_origin& seen_from) const {
    const cella& held = record.celle[static_cast<std::size_t>(i)];
    std::string text = describe_cell_object(held.tipo);
    const record_origin& origin = origin_of(i);
    if (!origin.known() || held.tipo == kind::libera) {
        return text;
    }
    if (origin.added_by_grid_pass) {
        return text + " added for " + origins->name_with_line(origin, seen_from.file);
    }
    return text + " (" + origins->name_with_line(origin, seen_from.file) + ")";
}

void grid_pass_state::record_error(const error_code_entry& code, std::int32_t posizione,
                                   const record_origin& at, std::string detail) {
    const source_point where = origins != nullptr ? origins->point_of(at) : source_point{};
    errors.record(code, posizione, where, std::move(detail));
}

void run_grid_pass(scenario_record& record, error_state& errors, record_origins* origins) {
    grid_pass_state pass{record, errors, origins};
    // Cell 0 and the last two cells are never visited; the bound is taken once, and points
    // placed by earlier visits are seen by later ones.
    const std::int64_t last_visited = static_cast<std::int64_t>(record.celle.size()) - 3;
    for (std::int64_t i = 1; i <= last_visited; ++i) {
        switch (record.celle[i].tipo) {
            case kind::avviso_rallentamento:
                treat_warning_board(pass, i);
                break;
            case kind::inizio_rallentamento:
                place_windows(pass, i);
                treat_slowdown_course(pass, i);
                break;
            default:
                break;
        }
    }
}

}  // namespace scenario
