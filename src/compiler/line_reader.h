// The line file reader, the first half of `memorizza_dati`: it reads the line source file
// into the item table's general entries, creates the cell grid and, when the line itself is
// compiled, the plan of the line, and places gradients, mountain-side stretches and boards.
#pragma once

#include <cstdint>

#include "compiler/compile_context.h"

namespace scenario {

enum class line_half_end {
    train_follows,  // the end of the line file was reached (or a record beyond the grid)
    returned,       // reading stopped with a data error: the train file is not read
};

line_half_end read_line_file(compile_context& context);

// Orders the three kilometre references of entries 81 to 83 (greatest first), and their
// origins with them when given.
void progressive_ordina(scenario_record& record, record_origins* origins = nullptr);

// Creates the cell grid (and, when the line itself is compiled, the plan) of a line of the
// length, afresh, with its record of origins.
void create_grid(compile_context& context, std::int32_t length);

}  // namespace scenario
