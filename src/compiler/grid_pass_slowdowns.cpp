#include <algorithm>
#include <optional>
#include <string>

#include "compiler/grid_pass_points.h"
#include "format/slowdown_geometry.h"

// Through a slowdown and past its end. Every scan here stops at the last cell of the grid:
// the grid's margin beyond the line keeps a well-formed slowdown far from it, but a slowdown
// whose end fell into its own start cell leaves no end to find.
namespace scenario {
namespace {

std::int64_t last_cell(const scenario_record& record) {
    return static_cast<std::int64_t>(record.celle.size()) - 1;
}

// "the rallentamento record at 36500 m (its start in cell 731)", or without origins "slowdown
// starting in cell 731".
std::string slowdown_named(const grid_pass_state& pass, std::int64_t cell, const char* end_word,
                           const char* without_origin) {
    const record_origin& origin = pass.origin_of(cell);
    if (!origin.known()) {
        return std::string(without_origin) + std::to_string(cell);
    }
    return record_origins::name_of(origin) + " (its " + end_word + " in cell " +
           std::to_string(cell) + ")";
}

// Scans from the start to the end of a slow slowdown, placing a point every 8 cells. The
// counter is set after each point so that the next one falls 8 cells after the cell that
// received it; after a failed placement it runs on past 8 and no further point is placed.
// The end cell, or nothing when the scan reaches the last cell without meeting one.
std::optional<std::int64_t> place_points_inside(grid_pass_state& pass, std::int64_t i) {
    const std::int64_t last = last_cell(pass.record);
    int n = 0;
    std::int64_t r = i;
    do {
        if (r >= last) {
            return std::nullopt;
        }
        ++r;
        ++n;
        if (n != cells_between_points_inside) {
            continue;
        }
        if (pass.place_point_if_free(r, i)) {
            n = 0;
        } else if (pass.place_point_if_free(r - 1, i)) {
            n = 1;
        } else if (r + 1 <= last && pass.place_point_if_free(r + 1, i)) {
            n = -1;
        } else {
            pass.record_error(error_code::no_cell_in_slowdown, cell_position(r), pass.origin_of(i),
                              slowdown_named(pass, i, "start", "slowdown starting in cell ") +
                                  ": no free cell around cell " + std::to_string(r) +
                                  " for a point inside it");
        }
    } while (pass.cell(r).tipo != kind::fine_rallentamento);
    return r;
}

// The end of a fast slowdown, found the same way without placing points.
std::optional<std::int64_t> find_end(const scenario_record& record, std::int64_t i) {
    const std::int64_t last = last_cell(record);
    for (std::int64_t r = i + 1; r <= last; ++r) {
        if (record.celle[r].tipo == kind::fine_rallentamento) {
            return r;
        }
    }
    return std::nullopt;
}

// The slowdown whose start is in cell i reaches its end in cell r: when another record placed
// that end (a slowdown beginning inside this one, or this one ending in its own start cell),
// the error stands at this slowdown all the same, with a note at the other.
void relate_other_end(grid_pass_state& pass, std::int64_t i, std::int64_t r) {
    const record_origin& start = pass.origin_of(i);
    const record_origin& end = pass.origin_of(r);
    if (pass.origins != nullptr && start.known() && end.known() &&
        (start.line != end.line || start.file != end.file)) {
        pass.errors.relate_latest(pass.origins->point_of(end),
                                  "the end taken for it, in cell " + std::to_string(r) +
                                      ", is that of " + record_origins::name_of(end));
    }
}

void point_after_end(grid_pass_state& pass, std::int64_t i, std::int64_t r) {
    const std::int64_t until = std::min(r + signal_search_after_end, last_cell(pass.record));
    std::int64_t n = 0;
    for (std::int64_t m = r; m <= until; ++m) {
        if (pass.cell(m).tipo == kind::segnale) {
            n = m - 1;
            break;
        }
    }
    if (n <= 0) {
        return;
    }
    if (pass.place_point_if_free(n, n + 1) || pass.place_point_if_free(n - 1, n + 1)) {
        return;
    }
    // The position names the slowdown's end, not the signal; the error stands at the
    // slowdown whose start the pass followed to this end.
    const record_origin& slowdown = pass.origin_of(i);
    const record_origin& signal = pass.origin_of(n + 1);
    std::string detail = slowdown_named(pass, r, "end", "slowdown ending in cell ") +
                         ": no free cell for the point ahead of ";
    if (slowdown.known() && pass.origin_of(r).known() && pass.origin_of(r).line != slowdown.line) {
        detail = slowdown_named(pass, i, "start", "slowdown starting in cell ") +
                 ", followed to the end in cell " + std::to_string(r) +
                 ": no free cell for the point ahead of ";
    }
    if (slowdown.known() && signal.known()) {
        detail += pass.origins->name_with_line(signal, slowdown.file) + " (in cell " +
                  std::to_string(n + 1) + "): cell " + std::to_string(n - 1) + " holds " +
                  pass.holding(n - 1, slowdown) + " and cell " + std::to_string(n) + " " +
                  pass.holding(n, slowdown);
    } else {
        detail += "the signal in cell " + std::to_string(n + 1);
    }
    pass.record_error(error_code::no_cell_in_slowdown, cell_position(r), slowdown, detail);
    relate_other_end(pass, i, r);
}

}  // namespace

void treat_slowdown_course(grid_pass_state& pass, std::int64_t i) {
    // A fast slowdown gets no points inside, but the first signal after its end gets its
    // point all the same.
    const std::optional<std::int64_t> end = pass.cell(i).dato1 < fastest_slowdown_with_points_inside
                                                ? place_points_inside(pass, i)
                                                : find_end(pass.record, i);
    if (!end) {
        // The slowdown's end fell into its start cell and no later end follows: there is
        // no end to search after. This is the author's error (a slowdown too short for its
        // own cells), and it is reported as a missing place for a point after the end, at the
        // start cell; points already placed inside stay.
        const bool known = pass.origin_of(i).known();
        pass.record_error(
            error_code::no_cell_in_slowdown, cell_position(i), pass.origin_of(i),
            slowdown_named(pass, i, "start", "slowdown starting in cell ") +
                ": no end of slowdown follows up to the last cell, " +
                std::to_string(last_cell(pass.record)) +
                (known ? " (a slowdown shorter than 50 m can end in its own start cell)" : "") +
                ", so no point can be placed after its end");
        return;
    }
    point_after_end(pass, i, *end);
}

}  // namespace scenario
