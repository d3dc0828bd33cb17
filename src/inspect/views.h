// What `inspect` prints of one compiled file: the whole table as JSON, with the record's
// field names, or, for a grid, a table with one row per cell. The summary of a whole
// scenario in its authors' terms is author_views.h.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "format/scenario_record.h"
#include "source/code_page.h"

namespace scenario {

// Cells of a grid, or rows of a plan.
struct cell_range {
    std::int64_t first = 0;
    std::int64_t last = -1;  // inclusive; -1 = to the last cell
};

void print_items_json(std::ostream& out, const std::array<voce, numero_voci>& voci);
void print_grid_json(std::ostream& out, const std::vector<cella>& celle, cell_range range);
void print_line_json(std::ostream& out, const profilo_linea& profilo, cell_range rows);

void print_grid_csv(std::ostream& out, const std::vector<cella>& celle, cell_range range);

}  // namespace scenario
