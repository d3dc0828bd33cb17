// The page's data from a compile that has just run: its record as the tables that the
// compiled files would hold, the origins of its objects and its diagnostics. `view` and
// `watch --serve` make their pages through it, from the same compile that `compile` runs.
#pragma once

#include <string>
#include <vector>

#include "compiler/compile_context.h"
#include "compiler/diagnostic_list.h"
#include "source/status.h"

namespace scenario::view {

// The JSON of the page's data (view_data.h) from the compile and its diagnostics. Fails when
// the compile made no grid.
status view_data_of_compile(const compile_context& context,
                            const std::vector<diagnostic>& diagnostics, std::string& json);

// The diagnostics alone, as the page lists them (a JSON array): for a compile that made no
// grid, whose errors an open page must still show.
std::string diagnostics_of_compile(const compile_context& context,
                                   const std::vector<diagnostic>& diagnostics);

// The data of an earlier compile with the diagnostics of a later one that made nothing to
// show, and why: the page keeps its drawing and says that it is not the scenario's any more.
std::string stale_view_data(const std::string& earlier, const std::string& diagnostics,
                            const std::string& reason);

}  // namespace scenario::view
