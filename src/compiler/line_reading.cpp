#include "compiler/line_reading.h"

#include <utility>

namespace scenario {

record_outcome fail_with(line_reading& reading, std::int32_t codice,
                         std::optional<std::int32_t> posizione, std::string detail) {
    reading.context.errors.record(codice, posizione, reading.cursor.record_start(),
                                  std::move(detail));
    delete_source(reading.context, reading.context.line_source_path());
    return record_outcome::returned;
}

bool beyond_placement_limit(const scenario_record& record, std::int32_t position) {
    return (static_cast<double>(position) + 100.0) / 50.0 > record.ultima_cella;
}

record_outcome stop_beyond_grid(line_reading& reading, std::string_view record_name,
                                std::int32_t position) {
    const std::int64_t last_cell = reading.record.ultima_cella;
    reading.context.errors.record(15, position, reading.cursor.record_start(),
                                  std::string(record_name) + " at " + std::to_string(position) +
                                      " m lies beyond the cell grid, which ends at cell " +
                                      std::to_string(last_cell) + ": no record may stand beyond " +
                                      std::to_string(last_cell * 50 - 100) +
                                      " m; the rest of the line file is not read");
    return record_outcome::end_of_reading;
}

record_outcome refuse_no_room(line_reading& reading, std::string_view record_name,
                              std::int32_t position, std::string_view what) {
    return fail_with(
        reading, error_code::no_room, position,
        std::string(record_name) + " at " + std::to_string(position) + " m: " + std::string(what));
}

bool read_into(source_cursor& cursor, std::int32_t& target) {
    std::int32_t value = 0;
    if (!cursor.read_int32(value)) {
        return false;
    }
    target = value;
    return true;
}

}  // namespace scenario
