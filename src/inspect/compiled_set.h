// Whether three compiled files are one compile's. A compile replaces its files one after the
// other, so a compile that failed or was killed part-way, or one without the line, can leave
// a new file beside old ones; and a file can be copied in from elsewhere. What the files hold
// ties them together: the item file holds the line's length, which fixes the number of cells
// of the grid and the rows of the plan, and the stamps of the item file and of the grid's
// cell 1 (the format stamps, and the two scenario codes computed from the route and the
// train the item file holds). A set that breaks one of these ties is refused, naming the file
// out of step, rather than shown as one scenario.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "inspect/compiled_scenario.h"
#include "source/status.h"

namespace scenario {

// Success when the tables read from `files` can be one compile's; otherwise a failure
// (a file that is not what it should be) that names the file and what does not fit.
status check_compiled_set(const compiled_scenario_files& files, const compiled_tables& tables);

// One file read alone: a grid of a number of cells, or a plan of a number of rows, that no
// line from 0 to 1000000 m gives is no compiled file.
status check_grid_cells(const std::string& path, std::size_t cells);
status check_plan_rows(const std::string& path, std::int32_t last_row);

}  // namespace scenario
