#include <cstdint>
#include <string>

#include "compiler/train_reading.h"
#include "format/rounding.h"

// "abbattimento" points placed by the train file: with a value (kind 12) or without (kind 13).
namespace scenario {

record_outcome read_abbattimento(train_reading& reading) {
    std::int32_t p = 0;
    std::int32_t w = 0;
    if (!read_numbers(reading.cursor, {&p, &w})) {
        return record_outcome::returned;
    }
    scenario_record& record = reading.record;
    const std::string what = keywords::abbattimento.the_phrase_at(p);
    if (beyond_placement_limit(record, p, record_margin)) {
        return stop_train_beyond_grid(reading, keywords::abbattimento, p, record_margin);
    }
    if (p < 0) {
        return refuse_no_room(reading, p, what + ": the line has no cell before 0 m");
    }
    // Unlike the other point objects, this one counts its cell from p / 50.
    const std::int64_t i = cella_di_inizio(p);
    cella& cell = record.celle[i];
    if (!cell.libera()) {
        return end_at_taken_cell(
            reading, error_code::abbattimento_cell_taken, p,
            what + ": cell " + std::to_string(i) + " already holds " + describe_cell(cell), i);
    }
    reading.context.origins.place(static_cast<std::size_t>(i), reading.origin(p));
    if (w > 0) {
        cell.tipo = kind::abbattimento_con_valore;
        cell.dato1 = low_16_bits(w);
    } else {
        cell.tipo = kind::abbattimento_senza_valore;
    }
    return record_outcome::next;
}

}  // namespace scenario
