// The points that the grid pass adds, and the steps of the pass that treat one slowdown.
// Private to the grid pass.
#pragma once

#include <cstdint>

#include "compiler/error_state.h"
#include "compiler/scenario_record.h"

namespace scenario {

// Every point that the grid pass adds carries this value.
inline constexpr std::int16_t valore_punto = 180;

// Places a point (kind 12, value 180) when the cell is free; false when it is not.
bool place_point_if_free(cella& cell);

// The position of a cell in an error: the cell index times 50.
inline std::int32_t cell_position(std::int64_t cell) {
    return static_cast<std::int32_t>(cell * cell_metres);
}

// The part of the pass that follows a slowdown start in cell i through the slowdown: points
// inside a slow slowdown, then the point ahead of the first signal after its end.
void treat_slowdown_course(scenario_record& record, error_state& errors, std::int64_t i);

}  // namespace scenario
