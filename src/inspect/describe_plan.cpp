// The plan of the line read back: its extent, where the line ends, and its arcs, found again
// from the curvature of each step.
#include <algorithm>
#include <cmath>
#include <limits>

#include "inspect/scenario_description.h"

namespace scenario {
namespace {

// A step turned by less than half the smallest curve key's curvature is a straight step.
constexpr double straight_below = curvature_of_digit[0] / 2;
// Two steps belong to one arc when their curvatures differ by less than this part.
constexpr double same_arc = 1e-3;

bool filled(const profilo_linea& profilo, std::int32_t riga) {
    return profilo.tag(riga, 0) != profile_tag::vuoto && profilo.tag(riga, 1) != profile_tag::vuoto;
}

plan_point row(const profilo_linea& profilo, std::int32_t riga) {
    return {profilo.valore(riga, 0), profilo.valore(riga, 1)};
}

void add_arc_metre(std::vector<curve_description>& curves, std::int32_t m, double k) {
    if (!curves.empty()) {
        curve_description& last = curves.back();
        if (last.inizio + last.length == m - 1 &&
            std::fabs(k - last.curvature) <= same_arc * std::fabs(last.curvature)) {
            ++last.length;
            return;
        }
    }
    curves.push_back({m - 1, 1, digit_of_curvature(k), k < 0, k});
}

}  // namespace

plan_description describe_plan(const profilo_linea& profilo, std::int32_t line_length) {
    plan_description plan;
    plan.last_row = profilo.ultima_riga();
    plan.min_x = plan.min_y = std::numeric_limits<double>::max();
    plan.max_x = plan.max_y = std::numeric_limits<double>::lowest();
    for (std::int32_t m = 0; m <= plan.last_row; ++m) {
        if (!filled(profilo, m)) {
            continue;
        }
        const plan_point here = row(profilo, m);
        plan.last_filled_row = m;
        plan.min_x = std::min(plan.min_x, here.x);
        plan.max_x = std::max(plan.max_x, here.x);
        plan.min_y = std::min(plan.min_y, here.y);
        plan.max_y = std::max(plan.max_y, here.y);
        if (m >= 2 && filled(profilo, m - 1) && filled(profilo, m - 2)) {
            const double k = step_curvature(row(profilo, m - 2), row(profilo, m - 1), here);
            if (std::fabs(k) >= straight_below) {
                add_arc_metre(plan.curves, m, k);
            }
        }
    }
    if (plan.last_filled_row < 0) {
        plan.min_x = plan.max_x = plan.min_y = plan.max_y = 0.0;
    }
    if (line_length >= 0 && line_length <= plan.last_row && filled(profilo, line_length)) {
        plan.line_end = row(profilo, line_length);
    }
    return plan;
}

}  // namespace scenario
