// The points that the grid pass adds, the records whose objects it looks at, and the steps of
// the pass that treat one slowdown. Private to the grid pass.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/error_state.h"
#include "compiler/record_origins.h"
#include "format/scenario_record.h"
#include "format/slowdown_geometry.h"

namespace scenario {

// The position of a cell in an error: the cell index times 50.
inline std::int32_t cell_position(std::int64_t cell) {
    return static_cast<std::int32_t>(cell * cell_metres);
}

// What the pass works on: the grid, the error state and, when known, the records that placed
// the grid's objects.
struct grid_pass_state {
    scenario_record& record;
    error_state& errors;
    record_origins* origins;  // none on a grid built without sources

    cella& cell(std::int64_t i) { return record.celle[static_cast<std::size_t>(i)]; }
    // The record that placed the object of a cell; unknown without origins.
    const record_origin& origin_of(std::int64_t i) const;
    // Places a point (kind 12, value 180) when cell i is free, added for the object of cell
    // `for_cell`; false when the cell is not free.
    bool place_point_if_free(std::int64_t i, std::int64_t for_cell);
    // "an indicator board (the cartello indicatore record at 2900 m on line 6)": what cell i
    // holds, and the record that placed it, seen from the file of `seen_from`.
    std::string holding(std::int64_t i, const record_origin& seen_from) const;
    // Records an error of the pass at the record that placed the object concerned.
    void record_error(const error_code_entry& code, std::int32_t posizione, const record_origin& at,
                      std::string detail);
};

// The part of the pass that follows a slowdown start in cell i through the slowdown: points
// inside a slow slowdown, then the point ahead of the first signal after its end.
void treat_slowdown_course(grid_pass_state& pass, std::int64_t i);

}  // namespace scenario
