// What the plan of the line says about its curves. Each curve key selects a curvature by its
// digit; the reader turns every arc metre by it and every straight metre repeats the step
// before. Read back from the plan's rows, the step at a metre tells the curvature that made
// it, so the arcs of a compiled line can be found again (the summary of a compiled scenario
// lists them).
#pragma once

#include <array>
#include <cstddef>

namespace scenario {

// Curvature in radians per metre for the digits 1 to 6 of a curve key (radii of 10000,
// 5000, 2500, 1000, 500 and about 333 m). An "s" in the key turns it to the left: the
// reader negates it.
inline constexpr std::array<double, 6> curvature_of_digit = {0.0001, 0.0002, 0.0004,
                                                             0.001,  0.002,  0.003};

// A point of the plan, metres.
struct plan_point {
    double x = 0.0;
    double y = 0.0;
};

// The curvature of the step that made row m from rows m - 2 and m - 1: 0 for a straight
// step. The arc step adds k x (dy, -dx) to the straight one; this solves for k.
double step_curvature(plan_point before_last, plan_point last, plan_point next);

// The digit (1 to 6) whose curvature, either way, is within rounding of |k|; 0 when k is no
// curve's (a straight step gives 0 too).
int digit_of_curvature(double k);

}  // namespace scenario
