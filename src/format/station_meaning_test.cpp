// A station's type sets its area, its end cell and its approach codes; the entry gives back
// the length and the mar that its record wrote.
#include "format/station_meaning.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct written_area_case {
    const char* name;
    std::uint8_t tipo;
    std::int32_t pos;
    std::int32_t lung;
    bool mar;
    std::int64_t inizio;
    std::int64_t fine;
};

class StationAreasReadBack : public testing::TestWithParam<written_area_case> {};

TEST_P(StationAreasReadBack, FollowTheTypeAndComeBackAsWritten) {
    const written_area_case& c = GetParam();
    const station_area area = area_of_station(c.tipo, c.pos, c.lung, c.mar);
    EXPECT_EQ(area.inizio, c.inizio);
    EXPECT_EQ(area.fine, c.fine);

    voce entry;
    entry.tipo = c.tipo;
    entry.valore3 = c.pos;
    entry.valore1 = static_cast<std::int32_t>(area.inizio);
    entry.valore2 = static_cast<std::int32_t>(area.fine);
    const auto written = station_length(entry);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->lung, c.lung);
    EXPECT_EQ(written->lengthened_by_mar, c.mar && keeps_station_mar(c.tipo));
}

INSTANTIATE_TEST_SUITE_P(
    Types, StationAreasReadBack,
    testing::Values(written_area_case{"FirstBuiltinStationType8", 8, 0, 400, false, -400, 400},
                    written_area_case{"CentredWithMarIs50mLonger", 2, 2750, 600, true, 2450, 3100},
                    written_area_case{"CentredWithoutMar", 22, 27550, 400, false, 27350, 27750},
                    written_area_case{"Type5ReachesOnly150mAhead", 5, 5000, 300, true, 4700, 5150},
                    written_area_case{"Type6Likewise", 6, 5000, 300, false, 4700, 5150},
                    written_area_case{"Type7WholeLengthEitherSide", 7, 5000, 300, true, 4700, 5300},
                    written_area_case{"Type28IsCentred", 28, 11950, 400, false, 11750, 12150},
                    written_area_case{"ZeroLength", 4, 5000, 0, false, 5000, 5000}),
    [](const testing::TestParamInfo<written_area_case>& info) {
        return std::string(info.param.name);
    });

TEST(StationTypes, EndCellAndApproachMarkersDependOnTheType) {
    EXPECT_TRUE(has_station_end(24));
    EXPECT_FALSE(has_station_end(25));
    EXPECT_TRUE(has_approach_markers(8));
    EXPECT_FALSE(has_approach_markers(5));
    EXPECT_FALSE(has_approach_markers(6));
    EXPECT_TRUE(has_station_end(6));
    EXPECT_FALSE(has_approach_markers(28));
    EXPECT_FALSE(keeps_station_mar(5));
    EXPECT_FALSE(keeps_station_mar(8));
    EXPECT_TRUE(keeps_station_mar(4));
    EXPECT_TRUE(keeps_station_mar(9));
}

TEST(StationTypes, EndCellCountsBackFromTheEndOfTheArea) {
    EXPECT_EQ(station_end_cell(400), 7);    // the first built-in station
    EXPECT_EQ(station_end_cell(3100), 61);  // the second
    EXPECT_EQ(station_end_cell(3125), 62);  // 61.5 rounds to the even neighbour
}

TEST(StationTypes, AnAreaThatFitsNoLengthOfItsTypeGivesNone) {
    voce entry;
    entry.tipo = 2;
    entry.valore3 = 1000;
    entry.valore1 = 800;
    entry.valore2 = 1300;  // 200 behind, 300 ahead: neither 200 nor 250
    EXPECT_FALSE(station_length(entry).has_value());
}

}  // namespace
}  // namespace scenario
