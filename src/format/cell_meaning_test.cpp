// A cell's fields in their meaning: the series in their units and "no value" in the three
// cells they never reach, and the packed values of boards and signals, which unpack to what
// was packed while the values stay in their ranges.
#include "format/cell_meaning.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace scenario {
namespace {

struct series_case {
    const char* name;
    std::function<std::optional<int>(const std::vector<cella>&, std::size_t)> value;
    std::uint8_t cella::*field;
    std::uint8_t stored;
    int meaning;
};

class Series : public testing::TestWithParam<series_case> {};

TEST_P(Series, HoldAValueUpToTheThirdCellFromTheEndAndNoneAfter) {
    const series_case& c = GetParam();
    // Ten cells, as the readers leave them: cells 0 to 6 filled, 7 to 9 left at 0.
    std::vector<cella> celle(10);
    for (std::size_t i = 0; i < 7; ++i) {
        celle[i].*c.field = c.stored;
    }
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(c.value(celle, i), c.meaning) << "cell " << i;
    }
    for (std::size_t i = 7; i < 10; ++i) {
        EXPECT_EQ(c.value(celle, i), std::nullopt) << "cell " << i;
    }
    // A stored 0 inside the series is a value like any other.
    celle[3].*c.field = 0;
    EXPECT_TRUE(c.value(celle, 3).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cells, Series,
    testing::Values(
        series_case{"GradientIsExtra5Less100", gradient_per_mille, &cella::extra5, 104, 4},
        series_case{"SpeedLimitIsExtra4Times5", speed_limit_kmh, &cella::extra4, 23, 115},
        series_case{"AdherenceIsExtra6", adherence, &cella::extra6, 100, 100}),
    [](const testing::TestParamInfo<series_case>& info) { return std::string(info.param.name); });

TEST(Series, GridOfThreeCellsOrFewerHasNoSeries) {
    EXPECT_EQ(series_cells(3), 0u);
    EXPECT_EQ(series_cells(0), 0u);
    EXPECT_EQ(series_cells(1781), 1778u);
    EXPECT_EQ(gradient_per_mille(std::vector<cella>(3), 0), std::nullopt);
}

TEST(CellPosition, ObjectStandsOneCellBeforeTheCellsStart) {
    // The built-in signal at 1000 m went to cell nearest(1000 / 50 + 1) = 21.
    EXPECT_EQ(object_position(21), 1000);
    EXPECT_EQ(cell_start_position(21), 1050);
    EXPECT_EQ(object_position(1), 0);
}

struct board_case {
    const char* name;
    board_face left;
    board_face right;
    std::array<std::int16_t, 4> packed;
};

class SpeedBoards : public testing::TestWithParam<board_case> {};

TEST_P(SpeedBoards, PackLeftTimes20PlusRightFifthAndUnpackToBothFaces) {
    const board_case& c = GetParam();
    cella cell;
    cell.tipo = kind::indicatore_v_max;
    std::int16_t* fields[3] = {&cell.dato1, &cell.dato2, &cell.dato3};
    for (std::size_t k = 0; k < 3; ++k) {
        ASSERT_TRUE(pack_board_speeds(c.left.speeds[k], c.right.speeds[k], *fields[k]));
    }
    cell.dato4 = pack_board_stripes(c.left.stripes, c.right.stripes);
    EXPECT_EQ((std::array{cell.dato1, cell.dato2, cell.dato3, cell.dato4}), c.packed);
    const board_faces faces = unpack_speed_board(cell);
    EXPECT_EQ(faces.left, c.left);
    EXPECT_EQ(faces.right, c.right);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, SpeedBoards,
    testing::Values(
        // indicatori_vmax, 800, 105, 115, 120, 0, 0, 0, 0, 0
        board_case{"LeftFaceOnly", {{105, 115, 120}, 0}, {}, {2100, 2300, 2400, 0}},
        board_case{"BothFaces", {{120, 130, 135}, 0}, {{120, 130, 135}, 0}, {2424, 2626, 2727, 0}},
        board_case{"RightFaceOnly", {}, {{60, 0, 495}, 9}, {12, 0, 99, 9}},
        board_case{"LargestSpeedsAndStripes",
                   {{495, 495, 5}, 9},
                   {{495, 0, 5}, 9},
                   {9999, 9900, 101, 99}}),
    [](const testing::TestParamInfo<board_case>& info) { return std::string(info.param.name); });

TEST(SpeedBoards, SpeedsThatDoNotFitTheFieldAreRefused) {
    std::int16_t packed = 7;
    EXPECT_TRUE(pack_board_speeds(1635, 35, packed));  // 32700 + 7
    EXPECT_EQ(packed, 32707);
    EXPECT_FALSE(pack_board_speeds(1640, 0, packed));  // 32800
    EXPECT_FALSE(pack_board_speeds(-1640, 0, packed));
    EXPECT_EQ(packed, 32707) << "a refused packing leaves the field as it was";
}

TEST(SpeedBoards, SpeedsOffTheStepOf5MixTheFaces) {
    // 7 km/h on the left is 140, which reads back as 5 on the left and 200 on the right.
    std::int16_t packed = 0;
    ASSERT_TRUE(pack_board_speeds(7, 0, packed));
    cella cell;
    cell.dato1 = packed;
    EXPECT_EQ(unpack_speed_board(cell).left.speeds[0], 5);
    EXPECT_EQ(unpack_speed_board(cell).right.speeds[0], 200);
}

struct signal_case {
    const char* name;
    signal_groups groups;
    std::array<std::int16_t, 4> packed;
};

class Signals : public testing::TestWithParam<signal_case> {};

TEST_P(Signals, PackTwoDecimalDigitsAndUnpackToBothGroups) {
    const signal_case& c = GetParam();
    const signal_groups& g = c.groups;
    cella cell;
    cell.tipo = kind::segnale;
    cell.dato1 = pack_signal_values(g.s[0], g.d[0]);
    cell.dato2 = pack_signal_values(g.s[1], g.d[1]);
    cell.dato3 = pack_signal_values(g.s[2], g.d[2]);
    cell.dato4 = pack_signal_kinds(g.rapp, g.sx, g.dx);
    EXPECT_EQ((std::array{cell.dato1, cell.dato2, cell.dato3, cell.dato4}), c.packed);
    EXPECT_EQ(unpack_signal(cell), g);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, Signals,
    testing::Values(
        // segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0
        signal_case{"BuiltinFirstSignal", {1, {4, 1, 0}, 0, 0, {0, 0, 0}}, {40, 10, 0, 3}},
        // segnale, 2100, 2, 3, 1, 1, 0, 2, 2, 1, 1, 0
        signal_case{"BothGroups", {2, {3, 1, 1}, 0, 2, {2, 1, 1}}, {32, 11, 11, 8}},
        signal_case{"LargestValues", {2, {9, 9, 9}, 9, 2, {9, 9, 9}}, {99, 99, 99, 98}}),
    [](const testing::TestParamInfo<signal_case>& info) { return std::string(info.param.name); });

TEST(Signals, PackingWrapsLikeTheSixteenBitField) {
    EXPECT_EQ(pack_signal_values(4000, 0), -25536);    // 40000 - 65536
    EXPECT_EQ(pack_signal_kinds(3277, 0, 0), -32766);  // 32770 - 65536
    EXPECT_EQ(pack_signal_values(6553, 6), 0);         // 65536
}

}  // namespace
}  // namespace scenario
