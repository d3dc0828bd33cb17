// The grid pass: after both sources are read, it adds "abbattimento" points (kind 12,
// value 180) ahead of signals before slowdown warning boards, ahead of every slowdown
// start, inside slow slowdowns and just ahead of the first signal after a slowdown.
#pragma once

#include <cstdint>

#include "compiler/error_state.h"
#include "compiler/record_origins.h"
#include "format/scenario_record.h"

namespace scenario {

// minimo(x, y): y when x > y, otherwise x.
inline std::int32_t minimo(std::int32_t x, std::int32_t y) {
    return x > y ? y : x;
}

// With the origins of the grid's objects, errors stand at the record that placed the object
// concerned and name it; the points added take the origin of the object they are added for.
void run_grid_pass(scenario_record& record, error_state& errors, record_origins* origins = nullptr);

}  // namespace scenario
