#include "compiler/train_reading.h"

#include <utility>

#include "compiler/line_reader.h"
#include "format/cell_words.h"

namespace scenario {

record_outcome stop_train_beyond_grid(train_reading& reading, const keyword& kind, std::int32_t p,
                                      int margin) {
    const std::int64_t last_accepted =
        std::int64_t{reading.record.ultima_cella} * cell_metres - margin;
    warn_if_length_in_kilometres(reading.context, p);
    return stop_beyond_grid(reading, p,
                            kind.the_phrase_at(p) + " lies beyond the grid: positions up to " +
                                std::to_string(last_accepted) + " m are accepted");
}

record_outcome stop_after_placed_record(train_reading& reading, const keyword& kind,
                                        std::int32_t posizione) {
    const std::int32_t codice = reading.errors.codice_errore;
    // A scan past the compile's stop reads on whatever error it has found.
    if (codice <= 0 || reading.context.reads_past_errors()) {
        return record_outcome::next;
    }
    // The code stays; only its position moves to this record, and the log says why. Every
    // code recorded is in the table; one set by hand is taken to carry a position.
    const error_code_entry* code = find_error_code(codice);
    const error_code_entry kept = code != nullptr ? *code : error_code_entry{codice, true, ""};
    return end_with_error(reading, kept, posizione,
                          kind.the_phrase_at(posizione) +
                              ": reading stops after this record because error " +
                              std::to_string(codice) + " is already set");
}

std::string describe_cell(const cella& cell) {
    return describe_cell_object(cell.tipo);
}

}  // namespace scenario
