#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "compiler/train_reading.h"
#include "format/rounding.h"
#include "format/slowdown_geometry.h"

// Temporary slowdowns: the "rallentamento" record and `memo_rallentamento`, which places the
// slowdown's start, end and warning board and marks the four cells before the board.
namespace scenario {
namespace {

// The six numbers of a "rallentamento" record, named as its columns are.
struct slowdown_fields {
    std::int32_t x = 0;  // where the slowdown begins
    std::int32_t v = 0;  // speed through it
    std::int32_t l = 0;  // its length
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;  // non-zero: mark the four cells before the warning board
    std::int32_t d_v = 0;
};

// The board's distance as the positions are computed, in doubles.
constexpr double board_distance = slowdown_board_metres;

std::string slowdown_at(std::int32_t x) {
    return keywords::rallentamento.the_phrase_at(x);
}

std::string taken(const scenario_record& record, std::int64_t cell) {
    return "cell " + std::to_string(cell) + " already holds " + describe_cell(record.celle[cell]);
}

// A slowdown at 1000 m or beyond whose length is greater than its start most likely gives
// where it ends.
constexpr std::int32_t first_start_told_of_end_as_length = 1000;

std::string slowdown_span(const slowdown_read& other) {
    return "the slowdown at " + std::to_string(other.x) + " m (" + std::to_string(other.x) +
           " to " + std::to_string(other.end) + " m)";
}

// What in a slowdown's values no slowdown can mean, and a slowdown that begins inside another:
// the grid pass pairs each start with the next end after it, so the two are mixed up.
void warn_about_slowdown_values(train_reading& reading, const slowdown_fields& f,
                                const std::array<field_location, 3>& places, std::int64_t start,
                                std::int64_t end) {
    const std::string what = slowdown_at(f.x);
    warn_about_speed(reading, what, f.v, places[1], f.l);
    const std::int64_t end_position = std::int64_t{f.x} + f.l;
    if (f.l < 0) {
        reading.cursor.warn_at(warning_code::end_before_start, places[2],
                               what + ": its length " + std::to_string(f.l) +
                                   " m is negative, so it ends at " + std::to_string(end_position) +
                                   " m, before it begins");
    } else if (f.x >= first_start_told_of_end_as_length && f.l > f.x) {
        reading.cursor.warn_at(warning_code::length_like_position, places[2],
                               what + ": the length " + std::to_string(f.l) +
                                   " m is greater than the start: it looks like the position "
                                   "where the slowdown ends, but it is read as a length, so "
                                   "the slowdown runs to " +
                                   std::to_string(end_position) + " m; for an end at " +
                                   std::to_string(f.l) + " m write the length " +
                                   std::to_string(std::int64_t{f.l} - f.x));
    } else {
        warn_beyond_line_end(reading, what + ": its end", end_position, places[2]);
    }
    const slowdown_read read{start, end, f.x, end_position, reading.cursor.record_key_place()};
    for (const slowdown_read& other : reading.slowdowns) {
        const bool inside_other = start > other.start_cell && start <= other.end_cell;
        const bool other_inside = other.start_cell > start && other.start_cell <= end;
        if (!inside_other && !other_inside) {
            continue;
        }
        std::string message = inside_other ? what + " begins inside " + slowdown_span(other)
                                           : slowdown_span(other) + " begins inside this one (" +
                                                 std::to_string(f.x) + " to " +
                                                 std::to_string(end_position) + " m)";
        message +=
            ": the compile pairs each start with the next end after it, so the points it adds "
            "inside and after the slowdowns go to the wrong stretches; make the two one "
            "slowdown, or end one before the other begins";
        reading.cursor.warn_at(warning_code::slowdown_overlap, places[0], std::move(message));
        reading.errors.relate_latest(reading.cursor.point_at(other.place), "the other slowdown");
        break;
    }
    reading.slowdowns.push_back(read);
}

void mark_slowdown_cell(cella& cell, std::uint8_t tipo, const slowdown_fields& f) {
    cell.tipo = tipo;
    if (f.d_v != 0) {
        cell.dato2 = low_16_bits(f.d_v);
    }
}

}  // namespace

record_outcome read_slowdown(train_reading& reading) {
    slowdown_fields f;
    std::array<field_location, 3> places{};  // of x, v and l
    std::array<std::int32_t*, 3> first = {&f.x, &f.v, &f.l};
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (!reading.cursor.read_int32(*first[i])) {
            return record_outcome::returned;
        }
        places[i] = reading.cursor.place();
    }
    if (!read_numbers(reading.cursor, {&f.f_tt, &f.f_ta, &f.d_v})) {
        return record_outcome::returned;
    }
    scenario_record& record = reading.record;
    if (beyond_placement_limit(record, f.x, record_margin)) {
        return stop_train_beyond_grid(reading, keywords::rallentamento, f.x, record_margin);
    }
    if (f.x < 0) {
        return refuse_no_room(reading, f.x, slowdown_at(f.x) + ": the line has no cell before 0 m");
    }
    // x + l as a real: the sum of two 32-bit fields may not fit 32 bits.
    const double end_position = static_cast<double>(f.x) + f.l;
    const std::int64_t end = cella_di_punto(end_position);
    if (end < 0 || end > record.ultima_cella) {
        return refuse_no_room(reading, f.x,
                              slowdown_at(f.x) + ": its end at " +
                                  std::to_string(static_cast<std::int64_t>(end_position)) +
                                  " m falls in cell " + std::to_string(end) +
                                  ", outside the grid's cells 0 to " +
                                  std::to_string(record.ultima_cella));
    }
    const std::int64_t start = cella_di_punto(f.x);
    warn_about_slowdown_values(reading, f, places, start, end);
    reading.context.run.slowdowns.push_back(
        {f.x, f.v, f.l, f.f_tt, reading.cursor.record_key_place().line});
    const bool has_board = f.x > last_slowdown_start_without_board;
    const std::int64_t board = cella_di_punto(f.x - board_distance);
    if (has_board && !record.celle[board].libera()) {
        return end_at_taken_cell(reading, error_code::warning_board_cell_taken, f.x,
                                 slowdown_at(f.x) + ": its warning board's " + taken(record, board),
                                 board);
    }
    if (!record.celle[start].libera()) {
        return end_at_taken_cell(reading, error_code::slowdown_start_cell_taken, f.x,
                                 slowdown_at(f.x) + ": its start's " + taken(record, start), start);
    }
    if (!record.celle[end].libera()) {
        return end_at_taken_cell(reading, error_code::slowdown_end_cell_taken, f.x,
                                 slowdown_at(f.x) + ": its end's " + taken(record, end), end);
    }

    // The end first: a slowdown of length 0 has one cell, and it shows the start.
    mark_slowdown_cell(record.celle[end], kind::fine_rallentamento, f);
    mark_slowdown_cell(record.celle[start], kind::inizio_rallentamento, f);
    if (has_board) {
        mark_slowdown_cell(record.celle[board], kind::avviso_rallentamento, f);
        record.celle[board].dato1 = low_16_bits(f.v);
    }
    for (const std::int64_t cell : {start, end}) {
        record.celle[cell].dato1 = low_16_bits(f.v);
        record.celle[cell].dato3 = low_16_bits(f.f_tt);
    }
    record_origins& origins = reading.context.origins;
    const record_origin origin = reading.origin(f.x);
    for (const std::int64_t cell : {end, start}) {
        origins.place(static_cast<std::size_t>(cell), origin);
    }
    if (has_board) {
        origins.place(static_cast<std::size_t>(board), origin);
    }

    // The four cells count from nearest((x - 1200) / 50), which rounding can make the board's
    // own cell: the slowdown then stays written and fails here.
    if (has_board && f.f_ta != 0) {
        const std::int64_t b = cella_di_inizio(f.x - board_distance);
        for (int step = 0; step < cells_before_slowdown_board; ++step) {
            if (!record.celle[b - step].libera()) {
                return end_with_error(reading, error_code::cells_before_warning_board_taken, f.x,
                                      slowdown_at(f.x) +
                                          ": of the four cells before its warning "
                                          "board, " +
                                          taken(record, b - step));
            }
        }
        for (int step = 0; step < cells_before_slowdown_board; ++step) {
            cella& cell = record.celle[b - step];
            cell.tipo = kind::prima_dell_avviso;
            origins.place(static_cast<std::size_t>(b - step), origin);
            cell.dato1 = static_cast<std::int16_t>(step + 1);
            if (f.d_v != 0) {
                cell.dato2 = static_cast<std::int16_t>(step + 1);
            }
        }
    }
    return stop_after_placed_record(reading, keywords::rallentamento, f.x);
}

}  // namespace scenario
