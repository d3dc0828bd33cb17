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

}  // namespace scenario::view
