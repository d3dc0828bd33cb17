// The description of a compiled scenario on small grids: which cells make one slowdown and
// which points belong to it, what is left over, the series as runs, the arcs of a plan, and
// the parts of the line that a window keeps.
#include "inspect/scenario_description.h"

#include <gtest/gtest.h>

#include "format/profile_steps.h"

namespace scenario {
namespace {

cella object(std::uint8_t tipo, std::int16_t dato1 = 0, std::int16_t dato2 = 0,
             std::int16_t dato3 = 0) {
    cella cell;
    cell.tipo = tipo;
    cell.dato1 = dato1;
    cell.dato2 = dato2;
    cell.dato3 = dato3;
    return cell;
}

compiled_tables grid_of(std::size_t cells) {
    compiled_tables tables;
    tables.celle.resize(cells);
    return tables;
}

TEST(DescribeScenario, PlacesGiveTheNominalPositionOfTheirCell) {
    EXPECT_EQ(point_place(21), (line_place{1000, 21}));  // written at 1000 m, or 975 to 1024
    EXPECT_EQ(point_place(1), (line_place{0, 1}));
    EXPECT_EQ(start_place(6), (line_place{300, 6}));  // a gradient written at 300 m
}

TEST(DescribeScenario, SlowdownClaimsItsCellsAndThePointsAroundIt) {
    compiled_tables tables = grid_of(200);
    auto& c = tables.celle;
    c[100] = object(kind::inizio_rallentamento, 80, 5, 1);
    c[106] = object(kind::fine_rallentamento, 80, 5, 1);
    c[76] = object(kind::avviso_rallentamento, 80, 5);
    for (std::int16_t j = 1; j <= 4; ++j) {
        c[76 - j] = object(kind::prima_dell_avviso, j, j);
    }
    c[95] = object(kind::abbattimento_con_valore, 180);  // a window ahead of the start
    // The compile adds points of value 180 only: these two are the author's, within the
    // slowdown's reach or not.
    c[118] = object(kind::abbattimento_senza_valore);     // 12 cells after the end
    c[53] = object(kind::abbattimento_con_valore, 120);   // beyond the reach before the board
    c[104] = object(kind::abbattimento_con_valore, 200);  // inside the slowdown
    const scenario_description d = describe_scenario(tables);
    ASSERT_EQ(d.slowdowns.size(), 1u);
    const slowdown_description& s = d.slowdowns[0];
    EXPECT_EQ(s.start, (line_place{4950, 100}));
    EXPECT_EQ(s.end, (line_place{5250, 106}));
    EXPECT_EQ(s.length(), 300);
    EXPECT_EQ(s.v, 80);
    EXPECT_EQ(s.d_v, 5);
    EXPECT_EQ(s.f_tt, 1);
    EXPECT_EQ(s.warning_board, (line_place{3750, 76}));
    EXPECT_EQ(s.cells_before_board, 4);
    EXPECT_EQ(s.points, (std::vector<abbattimento_point>{{start_place(95), 180}}));
    EXPECT_EQ(d.points, (std::vector<abbattimento_point>{{start_place(53), 120},
                                                         {start_place(104), 200},
                                                         {start_place(118), std::nullopt}}));
    EXPECT_TRUE(d.other_objects.empty());
}

// A slowdown that begins inside another keeps its own end, and the other its own: each is
// listed once, with its end, and no end is left over.
TEST(DescribeScenario, SlowdownInsideAnotherKeepsItsOwnEnd) {
    compiled_tables tables = grid_of(200);
    auto& c = tables.celle;
    c[141] = object(kind::inizio_rallentamento, 60);
    c[151] = object(kind::inizio_rallentamento, 60);
    c[155] = object(kind::fine_rallentamento, 60);
    c[161] = object(kind::fine_rallentamento, 60);
    const scenario_description d = describe_scenario(tables);
    ASSERT_EQ(d.slowdowns.size(), 2u);
    EXPECT_EQ(d.slowdowns[0].end, point_place(161));
    EXPECT_EQ(d.slowdowns[1].end, point_place(155));
    EXPECT_TRUE(d.other_objects.empty());

    // With other values, each end goes to the start whose values it carries.
    c[151] = object(kind::inizio_rallentamento, 30, 0, 1);
    c[161] = object(kind::fine_rallentamento, 30, 0, 1);
    const scenario_description crossed = describe_scenario(tables);
    ASSERT_EQ(crossed.slowdowns.size(), 2u);
    EXPECT_EQ(crossed.slowdowns[0].end, point_place(155));
    EXPECT_EQ(crossed.slowdowns[1].end, point_place(161));
}

TEST(DescribeScenario, SlowdownShorterThanACellHasNoEndAndLeavesTheNextEndToTheNext) {
    compiled_tables tables = grid_of(200);
    tables.celle[40] = object(kind::inizio_rallentamento, 30);
    tables.celle[60] = object(kind::inizio_rallentamento, 50);
    tables.celle[65] = object(kind::fine_rallentamento, 50);
    const scenario_description d = describe_scenario(tables);
    ASSERT_EQ(d.slowdowns.size(), 2u);
    EXPECT_FALSE(d.slowdowns[0].end.has_value());
    EXPECT_EQ(d.slowdowns[0].length(), 0);
    EXPECT_FALSE(d.slowdowns[0].warning_board.has_value());
    EXPECT_EQ(d.slowdowns[1].end, point_place(65));
}

TEST(DescribeScenario, CellsThatNoObjectClaimsAreShownAsTheyStand) {
    compiled_tables tables = grid_of(100);
    tables.celle[30] = object(kind::fine_rallentamento, 60);  // an end without its start
    tables.celle[40] = object(9, 7);                          // a kind no reader writes
    tables.celle[50] = object(kind::marcatore_montagna);      // a marker outside a stretch
    tables.celle[60] = object(kind::fine_stazione, 3);        // the end of no station
    const scenario_description d = describe_scenario(tables);
    ASSERT_EQ(d.other_objects.size(), 4u);
    EXPECT_EQ(d.other_objects[0].at, point_place(30));
    EXPECT_EQ(d.other_objects[1].contents.tipo, 9);
    EXPECT_EQ(d.other_objects[2].contents.tipo, kind::marcatore_montagna);
    EXPECT_EQ(d.other_objects[3].contents.dato1, 3);
}

TEST(DescribeScenario, StationEndAndMarkersBelongToTheirStationAndStretch) {
    compiled_tables tables = grid_of(100);
    voce& station = tables.voci[1];
    station.tipo = 4;
    station.valore3 = 2000;
    station.valore1 = 1700;
    station.valore2 = 2350;  // 600 m, lengthened by mar
    station.extra3 = 1;
    station.testo = "LAGO";
    station.valore4 = (8 * 60 + 15) * 60;
    tables.celle[46] = object(kind::fine_stazione, 1);
    for (std::size_t i = 20; i <= 27; ++i) {
        tables.celle[i].extra3 = 2;
    }
    tables.celle[23] = object(kind::marcatore_montagna);
    tables.celle[23].extra3 = 2;
    tables.celle[28].extra3 = 3;  // a stretch that continues the one before
    const scenario_description d = describe_scenario(tables);
    ASSERT_EQ(d.stations.size(), 1u);
    const station_description& s = d.stations[0];
    EXPECT_EQ(s.nome, "LAGO");
    EXPECT_EQ(s.lung, (station_length_as_written{600, true}));
    EXPECT_EQ(s.end_cell, 46);
    EXPECT_TRUE(s.approach_markers);
    EXPECT_EQ(s.time, 29700);
    EXPECT_EQ(d.mountains, (std::vector<mountain_stretch>{{20, 27, 2, {23}}, {28, 28, 3, {}}}));
    EXPECT_TRUE(d.other_objects.empty());
}

TEST(DescribeScenario, SeriesAreRunsOfEqualValuesUpToTheThirdCellFromTheEnd) {
    compiled_tables tables = grid_of(10);
    const int gradients[] = {0, 0, 4, 4, 4, -2, -2, 0, 0, 0};
    for (std::size_t i = 0; i < 10; ++i) {
        tables.celle[i].extra5 = static_cast<std::uint8_t>(gradients[i] + 100);
        tables.celle[i].extra4 = i < 3 ? 6 : 26;
        tables.celle[i].extra6 = 100;
    }
    tables.celle[9] = {};  // the last three cells hold no series value
    const scenario_description d = describe_scenario(tables);
    EXPECT_EQ(d.gradients, (std::vector<series_range>{{0, 1, 0}, {2, 4, 4}, {5, 6, -2}}));
    EXPECT_EQ(d.speed_limits, (std::vector<series_range>{{0, 2, 30}, {3, 6, 130}}));
    EXPECT_EQ(d.adherence, (std::vector<series_range>{{0, 6, 100}}));
}

TEST(DescribeScenario, PlanGivesBackItsArcsAndJoinsArcsOfOneCurvatureThatMeet) {
    profile_steps steps(1200);
    steps.set_start(0, 0, 0, 1);
    steps.add_straight_steps(100);
    steps.add_arc_steps(150, -0.0004);  // curvas3 from 100 m for 50 m
    steps.add_arc_steps(200, -0.0004);  // curvas3 from 150 m for 50 m
    steps.add_straight_steps(300);
    steps.add_arc_steps(320, 0.002);  // curvad5 from 300 m for 20 m
    steps.add_straight_steps(1198);
    const plan_description plan = describe_plan(steps.table(), 1000);
    ASSERT_EQ(plan.curves.size(), 2u);
    EXPECT_EQ(plan.curves[0].inizio, 100);
    EXPECT_EQ(plan.curves[0].length, 100);
    EXPECT_EQ(plan.curves[0].digit, 3);
    EXPECT_TRUE(plan.curves[0].left);
    EXPECT_EQ(plan.curves[1].inizio, 300);
    EXPECT_EQ(plan.curves[1].length, 20);
    EXPECT_EQ(plan.curves[1].digit, 5);
    EXPECT_FALSE(plan.curves[1].left);
    EXPECT_EQ(plan.last_row, 1200);
    EXPECT_EQ(plan.last_filled_row, 1198);
    ASSERT_TRUE(plan.line_end.has_value());
    EXPECT_EQ(plan.min_y, 0.0);
}

TEST(DescribeScenario, WindowKeepsObjectsByCellOrByWrittenPosition) {
    const line_window cells{21, 21, std::nullopt, std::nullopt};
    EXPECT_TRUE(cells.holds(point_place(21)));
    EXPECT_FALSE(cells.holds(point_place(22)));
    EXPECT_TRUE(cells.holds({1050, std::nullopt}));  // a place without a cell: the cell under it
    const line_window metres{std::nullopt, std::nullopt, 1000.0, 1000.0};
    EXPECT_TRUE(metres.holds(point_place(21)));
    EXPECT_FALSE(metres.holds(start_place(21)));  // 1050 m
    EXPECT_TRUE(metres.overlaps(900, 1000, 18, 19));
    EXPECT_FALSE(metres.overlaps(1001, 2000, 20, 39));
    EXPECT_FALSE(cells.overlaps(0, 1000, 0, 20));
}

TEST(DescribeScenario, WithinKeepsTheGeneralValuesAndWhatLiesInTheWindow) {
    compiled_tables tables = grid_of(100);
    tables.voci[entry::length_and_train].valore3 = 6;
    cella signal = object(kind::segnale, 40, 10, 0);
    signal.dato4 = 3;
    tables.celle[21] = signal;
    tables.celle[61] = signal;
    const scenario_description all = describe_scenario(tables);
    const scenario_description part =
        within(all, line_window{std::nullopt, std::nullopt, 2500.0, 4000.0});
    ASSERT_EQ(part.signals.size(), 1u);
    EXPECT_EQ(part.signals[0].at, point_place(61));
    EXPECT_EQ(part.signals[0].values.s[0], 4);
    EXPECT_EQ(part.signals[0].values.sx, 1);
    EXPECT_EQ(part.general, all.general);
}

}  // namespace
}  // namespace scenario
