// The line file reader, the first half of `memorizza_dati`: it reads the line source file
// into the item table's general entries, creates the cell grid and, when the line itself is
// compiled, the plan of the line, and places gradients, mountain-side stretches and boards.
#pragma once

#include <cstdint>
#include <optional>

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

// At a record beyond the grid (code 15): when the line is so short that its length looks
// written in kilometres, the author is told at the length setting.
void warn_if_length_in_kilometres(compile_context& context, std::int64_t position);

// Whether an object or stretch that reaches `end` is to be told that it lies past the end of
// the line: the line's length when so. None when the line file gave no length (a scan past
// the compile's stop reads on a grid of its own), when `end` lies within the line, or when
// the length looks written in kilometres, which is then told once, at the length setting.
std::optional<std::int32_t> line_end_passed(compile_context& context, std::int64_t end);

// Creates the cell grid (and, when the line itself is compiled, the plan) of a line of the
// length, afresh, with its record of origins.
void create_grid(compile_context& context, std::int32_t length);

}  // namespace scenario
