// What `inspect` prints of a compiled file: the whole table as JSON, with the record's
// field names; a summary; or, for a grid, a table with one row per cell.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "compiler/scenario_record.h"
#include "source/code_page.h"

namespace scenario {

struct cell_range {
    std::int64_t first = 0;
    std::int64_t last = -1;  // inclusive; -1 = to the last cell
};

void print_items_json(std::ostream& out, const std::array<voce, numero_voci>& voci);
void print_grid_json(std::ostream& out, const std::vector<cella>& celle, cell_range range);
void print_line_json(std::ostream& out, const profilo_linea& profilo);

void print_items_summary(std::ostream& out, const std::array<voce, numero_voci>& voci);
void print_grid_summary(std::ostream& out, const std::vector<cella>& celle);
void print_line_summary(std::ostream& out, const profilo_linea& profilo);

void print_grid_csv(std::ostream& out, const std::vector<cella>& celle, cell_range range);

}  // namespace scenario
