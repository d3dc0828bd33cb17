#include "compiler/fastest_run.h"

#include <gtest/gtest.h>

#include <cmath>

#include <optional>
#include <vector>

#include "compiler/timetable_runs.h"

namespace scenario {
namespace {

// 72 km/h is 20 m/s: a 50 m cell takes 2.5 s.
TEST(FastestRun, BoundRunsEveryMetreAtTheSpeedOfItsCell) {
    const std::vector<int> speeds = {72, 72, 36, 36};
    struct run_case {
        std::int64_t from;
        std::int64_t to;
        double seconds;
    };
    for (const run_case& c : std::vector<run_case>{
             {0, 100, 5.0}, {0, 150, 10.0}, {25, 125, 6.25}, {100, 200, 10.0}, {60, 60, 0.0}}) {
        const std::optional<double> seconds = run_seconds(speeds, c.from, c.to, std::nullopt);
        ASSERT_TRUE(seconds) << c.from << ".." << c.to;
        EXPECT_NEAR(*seconds, c.seconds, 1e-6) << c.from << ".." << c.to;
    }
}

TEST(FastestRun, NoTimeOverACellWithoutSpeedBeyondTheCellsOrBackwards) {
    const std::vector<int> speeds = {72, 0, 72};
    EXPECT_FALSE(run_seconds(speeds, 0, 120, std::nullopt));
    EXPECT_TRUE(run_seconds(speeds, 100, 150, std::nullopt));
    EXPECT_FALSE(run_seconds(speeds, 100, 151, std::nullopt));
    EXPECT_FALSE(run_seconds(speeds, 120, 110, std::nullopt));
    EXPECT_FALSE(run_seconds(speeds, -10, 40, std::nullopt));
}

TEST(FastestRun, SlowdownLowersEveryCellItReachesInto) {
    const std::vector<int> in_force =
        speeds_in_force({100, 100, 100, 100, 100}, {{60, 110, 30}, {200, 200, 10}, {0, 50, 0}});
    EXPECT_EQ(in_force, (std::vector<int>{100, 30, 30, 100, 100}));
    EXPECT_EQ(speeds_in_force({100, 100}, {{90, 5000, 40}}), (std::vector<int>{100, 40}));
}

// From rest to rest at 1 m/s2 over 200 m with no limit in reach: two halves of
// sqrt(2 x 100 / 1) s each.
TEST(FastestRun, BrakingRunAcceleratesAndStopsAtItsRates) {
    const std::vector<int> speeds(4, 500);
    const std::optional<double> seconds = run_seconds(speeds, 0, 200, train_rates{1.0, 1.0});
    ASSERT_TRUE(seconds);
    EXPECT_NEAR(*seconds, 2 * std::sqrt(200.0), 0.05);
    // Never faster than the bound, and slower where it must start and stop.
    const std::vector<int> line(200, 100);
    const double bound = *run_seconds(line, 0, 9000, std::nullopt);
    const double braking = *run_seconds(line, 0, 9000, train_rates{});
    EXPECT_GT(braking, bound + 30);
    EXPECT_FALSE(run_seconds(line, 0, 100, train_rates{0.0, 1.0}));
}

TEST(FastestRun, BrakingRunSlowsDownBeforeALowerLimit) {
    std::vector<int> speeds(100, 144);  // 40 m/s
    for (std::size_t cell = 50; cell < 60; ++cell) {
        speeds[cell] = 36;  // 10 m/s from 2500 to 3000 m
    }
    const std::vector<double> times = *run_times(speeds, 0, 5000, train_rates{1.0, 1.0});
    // Inside the low stretch the train runs at 10 m/s at most: 500 m take 50 s or more.
    EXPECT_GE(times[3000] - times[2500], 50.0 - 1e-6);
}

TEST(TimetableRuns, MarginsAndPassingTimesAreCountedFromTheLastTimetabledPlace) {
    const std::vector<int> speeds(100, 72);  // 20 m/s everywhere: 1000 m take 50 s
    const std::vector<timetable_place> places = {
        {0, 1000}, {1000, 0}, {2000, 1200}, {3000, 1210}, {4000, 0}};
    const std::vector<place_timing> timings = time_places(speeds, places, train_rates{});
    ASSERT_EQ(timings.size(), places.size());
    EXPECT_FALSE(timings[0].leg_start);
    EXPECT_NEAR(*timings[1].bound, 50, 1e-6);
    EXPECT_NEAR(*timings[1].earliest(places), 1050, 1e-6);
    EXPECT_FALSE(timings[1].bound_margin);
    EXPECT_NEAR(*timings[2].bound_margin, 100, 1e-6);
    EXPECT_LT(*timings[2].braking_margin, *timings[2].bound_margin);
    EXPECT_EQ(*timings[3].leg_start, 2u);
    EXPECT_NEAR(*timings[3].bound_margin, -40, 1e-6);
    EXPECT_NEAR(*timings[4].earliest(places), 1260, 1e-6);
}

}  // namespace
}  // namespace scenario
