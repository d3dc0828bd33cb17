#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "compiler/train_reading.h"
#include "format/cell_meaning.h"
#include "format/rounding.h"

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
constexpr std::int64_t approach_reach = std::int64_t{2} * approach_steps;

std::string signal_at(std::int32_t posizione) {
    return keywords::segnale.the_phrase_at(posizione);
}

// Places the signal in cell i, which the caller has found free and far enough from cell 0.
// The left and right groups are packed decimally, two digits a value, and wrap like the
// 16-bit fields they go to.
void memo_segnale(scenario_record& record, std::int64_t i, signal_fields& f) {
    cella& cell = record.celle[i];
    cell.tipo = kind::segnale;
    cell.dato4 = pack_signal_kinds(f.rapp, f.sx, f.dx);
    cell.dato1 = pack_signal_values(f.s1, f.d1);
    cell.dato2 = pack_signal_values(f.s2, f.d2);
    cell.dato3 = pack_signal_values(f.s3, f.d3);
    // A waiting time is never shorter than 101; it is only kept on signals of kind 2.
    if (f.tempo >= 1 && f.tempo <= 100) {
        f.tempo = 101;
    }
    cell.extra1 = f.sx == 2 ? low_8_bits(f.tempo) : 0;
    // Approach cells keep their own objects: only their approach code changes.
    for (std::int64_t j = 1; j <= approach_steps; ++j) {
        record.celle[i - 2 * j].extra2 = low_8_bits((std::int64_t{f.sx} * 3 + f.dx) * 10 + j);
    }
}

// Where each of the eleven fields stands, indexed by its column.
namespace column {
enum : std::size_t { posizione, sx, s1, s2, s3, rapp, dx, d1, d2, d3, tempo };
}  // namespace column
using field_places = std::array<field_location, 11>;

// Values outside the ranges of the record's columns are stored, but their packed codes no
// longer keep the values apart.
void warn_about_codes(source_cursor& cursor, const signal_fields& f, const cella& cell,
                      const field_places& places) {
    const std::string head = signal_at(f.posizione) + ": ";
    const std::string kind_code = ", so the code rapp x 10 + sx x 3 + dx, stored as " +
                                  std::to_string(cell.dato4) + ", no longer tells them apart";
    const auto check = [&](std::size_t i, std::string_view name, std::int32_t value, int highest,
                           const std::string& consequence) {
        if (value < 0 || value > highest) {
            cursor.warn_at(warning_code::signal_value_range, places[i],
                           head + std::string(name) + " " + std::to_string(value) +
                               " is outside 0 to " + std::to_string(highest) + consequence);
        }
    };
    check(column::sx, "sx", f.sx, 2, kind_code);
    check(column::rapp, "rapp", f.rapp, 9, kind_code);
    check(column::dx, "dx", f.dx, 2, kind_code);
    const auto pair = [&](std::string_view left, std::string_view right, std::int16_t stored) {
        return ", so the value " + std::string(left) + " x 10 + " + std::string(right) +
               ", stored as " + std::to_string(stored) + ", no longer tells the two apart";
    };
    check(column::s1, "s1", f.s1, 9, pair("s1", "d1", cell.dato1));
    check(column::s2, "s2", f.s2, 9, pair("s2", "d2", cell.dato2));
    check(column::s3, "s3", f.s3, 9, pair("s3", "d3", cell.dato3));
    check(column::d1, "d1", f.d1, 9, pair("s1", "d1", cell.dato1));
    check(column::d2, "d2", f.d2, 9, pair("s2", "d2", cell.dato2));
    check(column::d3, "d3", f.d3, 9, pair("s3", "d3", cell.dato3));
}

// A waiting time is 0 or 101 to 255, and only signals of kind 2 keep one.
void warn_about_tempo(source_cursor& cursor, const signal_fields& f, std::int32_t tempo,
                      const cella& cell, const field_places& places) {
    const std::string head = signal_at(f.posizione) + ": waiting time " + std::to_string(tempo);
    if (tempo == 0) {
        return;
    }
    if (f.sx != 2) {
        cursor.warn_at(warning_code::signal_tempo, places[column::tempo],
                       head +
                           " is ignored: only a signal whose sx is 2 keeps one (this one "
                           "has sx " +
                           std::to_string(f.sx) + ")");
    } else if (tempo >= 1 && tempo <= 100) {
        cursor.warn_at(warning_code::signal_tempo, places[column::tempo],
                       head + " is below 101; it is raised to 101");
    } else if (tempo < 0 || tempo > 255) {
        cursor.warn_at(warning_code::signal_tempo, places[column::tempo],
                       head +
                           " is outside 0 to 255; only its low 8 bits are kept: it is "
                           "stored as " +
                           std::to_string(cell.extra1));
    }
}

}  // namespace

record_outcome read_signal(train_reading& reading) {
    signal_fields f;
    const std::array<std::int32_t*, 11> targets = {
        &f.posizione, &f.sx, &f.s1, &f.s2, &f.s3, &f.rapp, &f.dx, &f.d1, &f.d2, &f.d3, &f.tempo};
    field_places places{};
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (!reading.cursor.read_int32(*targets[i])) {
            return record_outcome::returned;
        }
        places[i] = reading.cursor.place();
    }
    scenario_record& record = reading.record;
    if (beyond_placement_limit(record, f.posizione, record_margin)) {
        return stop_train_beyond_grid(reading, keywords::segnale, f.posizione, record_margin);
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
        return end_at_taken_cell(reading, error_code::signal_cell_taken, f.posizione,
                                 signal_at(f.posizione) + ": cell " + std::to_string(i) +
                                     " already holds " + describe_cell(record.celle[i]),
                                 i);
    }
    const std::int32_t tempo_as_read = f.tempo;
    memo_segnale(record, i, f);
    reading.context.origins.place(static_cast<std::size_t>(i), reading.origin(f.posizione));
    warn_about_codes(reading.cursor, f, record.celle[i], places);
    warn_about_tempo(reading.cursor, f, tempo_as_read, record.celle[i], places);
    return stop_after_placed_record(reading, keywords::segnale, f.posizione);
}

}  // namespace scenario
