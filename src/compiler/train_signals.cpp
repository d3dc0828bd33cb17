#include <cstdint>
#include <string>

#include "compiler/rounding.h"
#include "compiler/train_reading.h"

// Signals: the "segnale" record and `memo_segnale`, which makes a cell a signal and marks the
// four approach cells before it.
namespace scenario {
namespace {

// The eleven numbers of a "segnale" record, named as its columns are.
struct signal_fields {
    std::int32_t posizione = 0;
    std::int32_t sx = 0;
    std::int32_t s1 = 0;
    std::int32_t s2 = 0;
    std::int32_t s3 = 0;
    std::int32_t rapp = 0;
    std::int32_t dx = 0;
    std::int32_t d1 = 0;
    std::int32_t d2 = 0;
    std::int32_t d3 = 0;
    std::int32_t tempo = 0;
};

// Approach codes stand every second cell for four steps before the signal.
constexpr int approach_steps = 4;
constexpr std::int64_t approach_reach = 2 * approach_steps;

std::string signal_at(std::int32_t posizione) {
    return "signal at " + std::to_string(posizione) + " m";
}

// Places the signal in cell i, which the caller has found free and far enough from cell 0.
// The left and right groups are packed decimally, two digits a value, and wrap like the
// 16-bit fields they go to.
void memo_segnale(scenario_record& record, std::int64_t i, signal_fields& f) {
    cella& cell = record.celle[i];
    cell.tipo = kind::segnale;
    cell.dato4 = low_16_bits(std::int64_t{f.rapp} * 10 + std::int64_t{f.sx} * 3 + f.dx);
    cell.dato1 = low_16_bits(std::int64_t{f.s1} * 10 + f.d1);
    cell.dato2 = low_16_bits(std::int64_t{f.s2} * 10 + f.d2);
    cell.dato3 = low_16_bits(std::int64_t{f.s3} * 10 + f.d3);
    // A waiting time is never shorter than 101; it is only kept on signals of kind 2.
    if (f.tempo >= 1 && f.tempo <= 100) {
        f.tempo = 101;
    }
    cell.extra1 = f.sx == 2 ? low_8_bits(f.tempo) : 0;
    // Approach cells keep their own objects: only their approach code changes.
    for (int j = 1; j <= approach_steps; ++j) {
        record.celle[i - 2 * j].extra2 = low_8_bits((std::int64_t{f.sx} * 3 + f.dx) * 10 + j);
    }
}

}  // namespace

after_record read_signal(train_reading& reading) {
    signal_fields f;
    if (!read_numbers(reading.cursor, {&f.posizione, &f.sx, &f.s1, &f.s2, &f.s3, &f.rapp, &f.dx,
                                       &f.d1, &f.d2, &f.d3, &f.tempo})) {
        return after_record::returned;
    }
    scenario_record& record = reading.record();
    if (beyond_placement_limit(record, f.posizione, record_margin)) {
        return stop_beyond_grid(reading, "signal", f.posizione, record_margin);
    }
    if (f.posizione < 0) {
        return refuse_no_room(reading, f.posizione,
                              signal_at(f.posizione) + ": the line has no cell before 0 m");
    }
    const std::int64_t i = cella_di_punto(f.posizione);
    if (i - approach_reach < 0) {
        return refuse_no_room(reading, f.posizione,
                              signal_at(f.posizione) +
                                  ": its approach cells would fall before the first cell; a "
                                  "signal needs at least 325 m of line before it");
    }
    if (!record.celle[i].libera()) {
        return end_with_error(reading, 16, f.posizione,
                              signal_at(f.posizione) + ": cell " + std::to_string(i) +
                                  " already holds " + describe_cell(record.celle[i]));
    }
    memo_segnale(record, i, f);
    return stop_after_placed_record(reading, "signal", f.posizione);
}

}  // namespace scenario
