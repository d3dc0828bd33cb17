// The steps of a plan give back the curvature of the arc that made them, and a curvature
// gives back its digit.
#include "format/plan_meaning.h"

#include <gtest/gtest.h>

#include "format/profile_steps.h"
#include "format/scenario_record.h"

namespace scenario {
namespace {

plan_point row_of(const profilo_linea& plan, std::int32_t riga) {
    return {plan.valore(riga, 0), plan.valore(riga, 1)};
}

TEST(PlanMeaning, EveryStepOfAPlanGivesBackItsCurvature) {
    // Far from the origin too: a long straight first, so that the coordinates are large.
    profile_steps steps(600000);
    steps.set_start(0, 0, 0, 1);
    steps.add_straight_steps(500000);
    steps.add_arc_steps(500100, -curvature_of_digit[0]);
    steps.add_straight_steps(500200);
    steps.add_arc_steps(500300, curvature_of_digit[5]);
    steps.add_arc_steps(500400, -curvature_of_digit[3]);
    const profilo_linea plan = steps.table();
    for (std::int32_t m = 2; m <= 500400; ++m) {
        const double k = step_curvature(row_of(plan, m - 2), row_of(plan, m - 1), row_of(plan, m));
        double expected = 0.0;
        if (m > 500000 && m <= 500100) {
            expected = -curvature_of_digit[0];
        } else if (m > 500200 && m <= 500300) {
            expected = curvature_of_digit[5];
        } else if (m > 500300) {
            expected = -curvature_of_digit[3];
        }
        ASSERT_NEAR(k, expected, 1e-7) << "metre " << m;
    }
}

TEST(PlanMeaning, CurvatureGivesItsDigitEitherWay) {
    for (std::size_t digit = 0; digit < curvature_of_digit.size(); ++digit) {
        EXPECT_EQ(digit_of_curvature(curvature_of_digit[digit]), static_cast<int>(digit) + 1);
        EXPECT_EQ(digit_of_curvature(-curvature_of_digit[digit] * (1 + 1e-6)),
                  static_cast<int>(digit) + 1);
    }
    EXPECT_EQ(digit_of_curvature(0.0), 0);
    EXPECT_EQ(digit_of_curvature(1e-9), 0);
    EXPECT_EQ(digit_of_curvature(0.0003), 0);  // between digits 2 and 3
}

TEST(PlanMeaning, StepFromTwoEqualPointsIsStraight) {
    EXPECT_EQ(step_curvature({1, 1}, {1, 1}, {5, 5}), 0.0);
}

}  // namespace
}  // namespace scenario
