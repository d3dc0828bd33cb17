#include "plot/simplify.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/plot_test_scenario.h"

namespace scenario::plot {
namespace {

std::vector<point> plan_points(const profilo_linea& plan) {
    std::vector<point> points;
    for (std::int32_t row = 0; row <= plan.ultima_riga() - 2; ++row) {
        points.push_back({plan.valore(row, 0), plan.valore(row, 1)});
    }
    return points;
}

// Every dropped point lies within the tolerance of the segment that replaces it.
void expect_within_tolerance(const std::vector<point>& points, const std::vector<std::size_t>& kept,
                             double tolerance) {
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.front(), 0u);
    EXPECT_EQ(kept.back(), points.size() - 1);
    double worst = 0.0;
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
        ASSERT_LT(kept[k], kept[k + 1]);
        for (std::size_t i = kept[k]; i <= kept[k + 1]; ++i) {
            worst = std::max(worst,
                             distance_to_segment(points[i], points[kept[k]], points[kept[k + 1]]));
        }
    }
    EXPECT_LE(worst, tolerance);
}

TEST(SimplifyPolyline, PlanWithArcsStaysWithinToleranceWithFarFewerPoints) {
    const std::int32_t length = 120000;
    const std::vector<point> points =
        plan_points(plot_testing::make_plan(length + 7000, plot_testing::sample_arcs(length)));
    // From a tenth of a metre, finer than any sheet draws a plan of this size, to a few
    // metres, about what a quarter pixel stands for on the sheet.
    for (const double tolerance : {0.1, 1.0, 5.0}) {
        SCOPED_TRACE(tolerance);
        const std::vector<std::size_t> kept = simplify_polyline(points, tolerance);
        expect_within_tolerance(points, kept, tolerance);
        EXPECT_LT(kept.size() * 50, points.size()) << kept.size() << " points kept";
    }
}

TEST(SimplifyPolyline, TrackThatDoublesBackKeepsItsTurningPoint) {
    // Out along x to 10 and back to 5: every point lies on the line through the two ends,
    // but the turning point lies 5 away from the segment between them.
    std::vector<point> points;
    for (int x = 0; x <= 10; ++x) {
        points.push_back({static_cast<double>(x), 0.0});
    }
    for (int x = 9; x >= 5; --x) {
        points.push_back({static_cast<double>(x), 0.0});
    }
    const std::vector<std::size_t> kept = simplify_polyline(points, 0.5);
    EXPECT_EQ(kept, (std::vector<std::size_t>{0, 10, 15}));
}

TEST(SimplifyPolyline, ShortAndStraightPolylines) {
    EXPECT_TRUE(simplify_polyline({}, 1.0).empty());
    const std::vector<point> one{{3.0, 4.0}};
    EXPECT_EQ(simplify_polyline(one, 1.0), (std::vector<std::size_t>{0}));
    const std::vector<point> two{{0.0, 0.0}, {0.0, 1.0}};
    EXPECT_EQ(simplify_polyline(two, 1.0), (std::vector<std::size_t>{0, 1}));
    std::vector<point> straight;
    straight.reserve(1000);
    for (int y = 0; y < 1000; ++y) {
        straight.push_back({0.5 * y, static_cast<double>(y)});
    }
    EXPECT_EQ(simplify_polyline(straight, 0.01), (std::vector<std::size_t>{0, 999}));
}

}  // namespace
}  // namespace scenario::plot
