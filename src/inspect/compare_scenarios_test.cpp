// Two scenario descriptions compared: what pairs objects (a station's name, an object's
// place, equal values at the nearest place), how series changes gather into runs, and where
// two plans part.
#include "inspect/scenario_difference.h"

#include <gtest/gtest.h>

#include "format/profile_steps.h"

namespace scenario {
namespace {

signal_description signal_at(std::int64_t cell, int s1 = 4) {
    signal_description signal;
    signal.at = point_place(cell);
    signal.values.sx = 2;
    signal.values.s = {s1, 1, 0};
    return signal;
}

station_description station(const char* nome, std::int32_t pos) {
    station_description s;
    s.nome = nome;
    s.pos = pos;
    s.tipo = 4;
    s.area_start = pos - 200;
    s.area_end = pos + 200;
    s.lung = station_length_as_written{400, false};
    return s;
}

std::vector<change_kind> kinds_of(const scenario_difference& difference) {
    std::vector<change_kind> kinds;
    for (const object_change& change : difference.objects) {
        kinds.push_back(change.how);
    }
    return kinds;
}

TEST(CompareScenarios, EqualValuesElsewhereAreAMoveAndOtherValuesThereAChange) {
    scenario_description a;
    a.signals = {signal_at(21), signal_at(41), signal_at(61)};
    scenario_description b;
    b.signals = {signal_at(25), signal_at(41, 3), signal_at(61)};
    const scenario_difference difference = compare_descriptions(a, b);
    ASSERT_EQ(kinds_of(difference), (std::vector{change_kind::moved, change_kind::changed}));
    const object_change& moved = difference.objects[0];
    ASSERT_EQ(moved.fields.size(), 1u);
    EXPECT_EQ(moved.fields[0].name, "position");
    EXPECT_EQ(moved.fields[0].old_value->value, field_content(point_place(21)));
    EXPECT_EQ(moved.fields[0].new_value->value, field_content(point_place(25)));
    const object_change& changed = difference.objects[1];
    ASSERT_EQ(changed.fields.size(), 1u);
    EXPECT_EQ(changed.fields[0].name, "s1");
    EXPECT_EQ(changed.fields[0].old_value->value, field_content(std::int64_t{4}));
    EXPECT_EQ(changed.fields[0].new_value->value, field_content(std::int64_t{3}));
}

TEST(CompareScenarios, EachMovedObjectPairsWithTheNearestEqualOne) {
    scenario_description a;
    a.signals = {signal_at(21), signal_at(41)};
    scenario_description b;
    b.signals = {signal_at(23), signal_at(43)};
    const scenario_difference difference = compare_descriptions(a, b);
    ASSERT_EQ(kinds_of(difference), (std::vector{change_kind::moved, change_kind::moved}));
    EXPECT_EQ(difference.objects[0].new_object->at, point_place(23));
    EXPECT_EQ(difference.objects[1].new_object->at, point_place(43));
}

TEST(CompareScenarios, OtherValuesElsewhereAreARemovalAndAnAddition) {
    scenario_description a;
    a.signals = {signal_at(21)};
    scenario_description b;
    b.signals = {signal_at(25, 3)};
    EXPECT_EQ(kinds_of(compare_descriptions(a, b)),
              (std::vector{change_kind::removed, change_kind::added}));
}

TEST(CompareScenarios, StationsPairByTheirNames) {
    scenario_description a;
    a.stations = {station("LAGO", 2000), station("PIANO", 9000)};
    scenario_description b;
    b.stations = {station("LAGO", 2500), station("MONTE", 9000)};
    const scenario_difference difference = compare_descriptions(a, b);
    ASSERT_EQ(kinds_of(difference),
              (std::vector{change_kind::changed, change_kind::removed, change_kind::added}));
    std::vector<std::string> names;
    for (const field_change& field : difference.objects[0].fields) {
        names.push_back(field.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"position", "area from", "area to"}));
    EXPECT_EQ(difference.objects[1].old_object->name, "PIANO");
    EXPECT_EQ(difference.objects[2].new_object->name, "MONTE");
}

TEST(CompareScenarios, SeriesChangesGatherIntoRunsOfOneOldAndOneNewValue) {
    scenario_description a;
    a.gradients = {{0, 9, 0}, {10, 19, 4}};
    scenario_description b;
    b.gradients = {{0, 11, 0}, {12, 19, 6}, {20, 21, 0}};
    const scenario_difference difference = compare_descriptions(a, b);
    ASSERT_EQ(difference.series.size(), 3u);
    const auto expect = [](const series_change& c, std::int64_t first, std::int64_t last,
                           std::optional<int> old_value, std::optional<int> new_value) {
        EXPECT_EQ(c.series, "gradient");
        EXPECT_EQ(c.first_cell, first);
        EXPECT_EQ(c.last_cell, last);
        EXPECT_EQ(c.old_value, old_value);
        EXPECT_EQ(c.new_value, new_value);
    };
    expect(difference.series[0], 10, 11, 4, 0);
    expect(difference.series[1], 12, 19, 4, 6);
    expect(difference.series[2], 20, 21, std::nullopt, 0);  // beyond the first grid's series
}

TEST(CompareScenarios, GeneralValuesAreComparedOneByOne) {
    scenario_description a;
    scenario_description b;
    b.general.numero_vetture = 7;
    b.references[0] = {500, 1100, 1};  // written as 1000 with the flag
    const scenario_difference difference = compare_descriptions(a, b);
    std::vector<std::string> names;
    for (const field_change& change : difference.general) {
        names.push_back(change.name);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"numero vetture", "progressiva chilometrica uno position",
                                        "progressiva chilometrica uno value",
                                        "progressiva chilometrica uno flag"}));
    EXPECT_EQ(difference.general[2].new_value->value, field_content(std::int64_t{1000}));
}

profilo_linea plan_with_arc(double k) {
    profile_steps steps(1000);
    steps.set_start(0, 0, 0, 1);
    steps.add_straight_steps(300);
    steps.add_arc_steps(400, k);
    steps.add_straight_steps(998);
    return steps.table();
}

TEST(CompareScenarios, PlansPartAtTheFirstMetreOfAChangedArc) {
    const std::optional<profilo_linea> a = plan_with_arc(-0.0002);
    const std::optional<profilo_linea> b = plan_with_arc(-0.0004);
    EXPECT_FALSE(compare_plans(a, a).has_value());
    const std::optional<plan_change> change = compare_plans(a, b);
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->first_parting_metre, 301);
    EXPECT_EQ(change->largest_distance_metre, 998);  // the lines drift apart to the end
    EXPECT_GT(change->largest_distance, 10.0);

    const std::optional<plan_change> missing = compare_plans(a, std::nullopt);
    ASSERT_TRUE(missing.has_value());
    EXPECT_TRUE(missing->old_has_plan);
    EXPECT_FALSE(missing->new_has_plan);
    EXPECT_FALSE(compare_plans(std::nullopt, std::nullopt).has_value());
}

}  // namespace
}  // namespace scenario
