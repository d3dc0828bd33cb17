#include "compiler/line_reading.h"

#include <utility>

#include "compiler/line_reader.h"

namespace scenario {

record_outcome stop_line_beyond_grid(line_reading& reading, const keyword& kind,
                                     std::int32_t position) {
    const std::int64_t last_cell = reading.record.ultima_cella;
    warn_if_length_in_kilometres(reading.context, position);
    return stop_beyond_grid(reading, position,
                            kind.the_phrase_at(position) +
                                " lies beyond the cell grid, which ends at cell " +
                                std::to_string(last_cell) + ": no record may stand beyond " +
                                std::to_string(last_cell * cell_metres - record_margin) +
                                " m; the rest of the line file is not read");
}

}  // namespace scenario
