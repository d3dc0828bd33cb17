#include "format/plan_meaning.h"

#include <cmath>

namespace scenario {
namespace {

// A step computed in double precision carries a rounding error of about one unit in the
// last place of the coordinates, some 1e-10 m on the longest line: far below the difference
// between two curvatures, and far below the smallest curvature itself.
constexpr double relative_tolerance = 1e-3;

}  // namespace

double step_curvature(plan_point before_last, plan_point last, plan_point next) {
    const double dx = last.x - before_last.x;
    const double dy = last.y - before_last.y;
    const double squared = dx * dx + dy * dy;
    if (squared == 0.0) {
        return 0.0;
    }
    const double turn_x = next.x - last.x - dx;
    const double turn_y = next.y - last.y - dy;
    return (turn_x * dy - turn_y * dx) / squared;
}

int digit_of_curvature(double k) {
    const double size = std::fabs(k);
    for (std::size_t digit = 0; digit < curvature_of_digit.size(); ++digit) {
        if (std::fabs(size - curvature_of_digit[digit]) <=
            relative_tolerance * curvature_of_digit[digit]) {
            return static_cast<int>(digit) + 1;
        }
    }
    return 0;
}

}  // namespace scenario
