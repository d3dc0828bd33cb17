// The speed in force over each cell of a compile's line: the speed limit that the grid holds,
// lowered by every slowdown that the train file placed (fastest_run.h).
#pragma once

#include <vector>

#include "compiler/compile_context.h"

namespace scenario {

std::vector<int> speeds_in_force(const compile_context& context);

}  // namespace scenario
