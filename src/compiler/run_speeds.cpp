#include "compiler/run_speeds.h"

#include <cstdint>
#include <utility>

#include "compiler/fastest_run.h"
#include "format/cell_meaning.h"

namespace scenario {

std::vector<int> speeds_in_force(const compile_context& context) {
    const std::vector<cella>& celle = context.record.celle;
    std::vector<int> limits(series_cells(celle.size()));
    for (std::size_t i = 0; i < limits.size(); ++i) {
        limits[i] = *speed_limit_kmh(celle, i);
    }
    std::vector<slowdown_stretch> slowdowns;
    for (const written_slowdown& slowdown : context.run.slowdowns) {
        slowdowns.push_back({slowdown.x, std::int64_t{slowdown.x} + slowdown.l, slowdown.v});
    }
    return speeds_in_force(std::move(limits), slowdowns);
}

}  // namespace scenario
