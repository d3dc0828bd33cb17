#include "compiler/train_reading.h"

#include "compiler/cell_words.h"

#include <utility>

namespace scenario {

bool read_numbers(source_cursor& cursor, std::initializer_list<std::int32_t*> targets) {
    for (std::int32_t* target : targets) {
        if (!cursor.read_int32(*target)) {
            return false;
        }
    }
    return true;
}

bool beyond_placement_limit(const scenario_record& record, std::int32_t p, int margin) {
    // Computed as a real, as the limit has always been, so that no sum can overflow.
    return (static_cast<double>(p) + margin) / cell_metres > record.ultima_cella;
}

after_record stop_beyond_grid(train_reading& reading, std::string_view what, std::int32_t p,
                              int margin) {
    const std::int64_t last_accepted =
        std::int64_t{reading.record().ultima_cella} * cell_metres - margin;
    reading.errors().record(15, p, reading.cursor.record_start(),
                            std::string(what) + " at " + std::to_string(p) +
                                " m lies beyond the grid: positions up to " +
                                std::to_string(last_accepted) + " m are accepted");
    return after_record::end_of_file;
}

after_record end_with_error(train_reading& reading, std::int32_t codice,
                            std::optional<std::int32_t> posizione, std::string detail) {
    delete_source(reading.context, reading.cursor.path());
    reading.errors().record(codice, posizione, reading.cursor.record_start(), std::move(detail));
    return after_record::returned;
}

after_record refuse_no_room(train_reading& reading, std::int32_t posizione, std::string detail) {
    return end_with_error(reading, error_code::no_room, posizione, std::move(detail));
}

after_record stop_after_placed_record(train_reading& reading, std::string_view what,
                                      std::int32_t posizione) {
    if (reading.errors().codice_errore <= 0) {
        return after_record::next_record;
    }
    // The code stays; only its position moves to this record, and the log says why.
    const std::int32_t codice = reading.errors().codice_errore;
    return end_with_error(reading, codice, posizione,
                          std::string(what) + " at " + std::to_string(posizione) +
                              " m: reading stops after this record because error " +
                              std::to_string(codice) + " is already set");
}

std::string describe_cell(const cella& cell) {
    return describe_cell_object(cell.tipo);
}

}  // namespace scenario
