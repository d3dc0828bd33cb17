#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::train_fixture;

// The speed fifths of cells first..last, as a list.
std::vector<int> speeds(train_fixture& f, int first, int last) {
    std::vector<int> values;
    for (int i = first; i <= last; ++i) {
        values.push_back(f.cell(i).extra4);
    }
    return values;
}

std::vector<int> adherences(train_fixture& f, int first, int last) {
    std::vector<int> values;
    for (int i = first; i <= last; ++i) {
        values.push_back(f.cell(i).extra6);
    }
    return values;
}

// A small grid: cells 0..100, so the tails fill up to cell 97.
constexpr std::int32_t small_grid = 100;

TEST(SpeedSeries, EachRecordClosesTheStretchOfTheSpeedBeforeIt) {
    train_fixture f(small_grid);
    f.read({"velocita' limite ,     0    ,  30", "velocita' limite ,   500    ,  115",
            "velocita' limite ,  2760    ,   95"});
    // 2760 / 50 = 55.2: the new speed starts at cell 55.
    EXPECT_EQ(speeds(f, 0, 9), std::vector<int>(10, 6));
    EXPECT_EQ(speeds(f, 10, 54), std::vector<int>(45, 23));
    EXPECT_EQ(speeds(f, 55, 97), std::vector<int>(43, 19));
    EXPECT_EQ(speeds(f, 98, 100), std::vector<int>(3, 0));
}

struct boundary_case {
    const char* name;
    std::vector<std::string> records;
    std::vector<int> first_cells;  // extra4 of cells 0..4
};

class SeriesBoundaries : public testing::TestWithParam<boundary_case> {};

TEST_P(SeriesBoundaries, RoundToTheNearestCellBoundary) {
    train_fixture f(small_grid);
    std::string content = "[generale]\r\n";
    for (const std::string& record : GetParam().records) {
        content += record + "\r\n";
    }
    f.read_content(content + "[fine]\r\n");
    EXPECT_EQ(speeds(f, 0, 4), GetParam().first_cells);
}

INSTANTIATE_TEST_SUITE_P(
    Speed, SeriesBoundaries,
    testing::Values(
        // nearest(0.5) is 0: a record at 25 m writes nothing and only sets the speed.
        boundary_case{"RecordAt25MetresWritesNothing",
                      {"velocita' limite, 25, 10", "velocita' limite, 100, 20"},
                      {2, 2, 4, 4, 4}},
        // nearest(1.5) is 2.
        boundary_case{"RecordAt75MetresStartsAtCell2",
                      {"velocita' limite, 0, 10", "velocita' limite, 75, 20"},
                      {2, 2, 4, 4, 4}},
        // Before the first record the speed is 0.
        boundary_case{
            "CellsBeforeTheFirstRecordGetSpeed0", {"velocita' limite, 100, 20"}, {0, 0, 4, 4, 4}},
        // A record behind the fill point still writes one cell with the speed before it.
        boundary_case{
            "RecordBehindTheFillPointWritesOneCell",
            {"velocita' limite, 0, 10", "velocita' limite, 150, 20", "velocita' limite, 50, 30"},
            {2, 2, 2, 4, 6}},
        // Speeds are kept as their nearest fifth: 12 / 5 = 2.4, 13 / 5 = 2.6.
        boundary_case{"SpeedIsKeptAsItsNearestFifth",
                      {"velocita' limite, 0, 12", "velocita' limite, 100, 13"},
                      {2, 2, 3, 3, 3}}),
    [](const testing::TestParamInfo<boundary_case>& info) { return info.param.name; });

TEST(SpeedSeries, FillNeverPassesTheLastCell) {
    // Eleven records out of order each push the fill point by one cell; at the last cell the
    // records stop filling and the tail writes the last cell only.
    train_fixture f(10);
    std::string content = "[generale]\r\n";
    for (int record = 0; record < 12; ++record) {
        content += "velocita' limite, 50, 5\r\n";
    }
    f.read_content(content + "[fine]\r\n");
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(speeds(f, 0, 10), (std::vector<int>{0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
}

struct speed_fit_case {
    std::int32_t speed;
    std::int32_t codice;
};

class SpeedFits : public testing::TestWithParam<speed_fit_case> {};

TEST_P(SpeedFits, OnlyWhenItsFifthFitsAByte) {
    train_fixture f(small_grid);
    f.read({"velocita' limite, 0, 100",
            "velocita' limite, 500, " + std::to_string(GetParam().speed), "sabbia, 1"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    if (GetParam().codice == 200) {
        // Refused before anything is written for it: cells 0..9 keep their zero, no tail.
        EXPECT_EQ(f.posizione(), 500);
        EXPECT_EQ(speeds(f, 0, 10), std::vector<int>(11, 0));
        EXPECT_EQ(f.entry(86).numero1, 0);
        EXPECT_FALSE(f.train_file_exists());
    } else {
        EXPECT_EQ(speeds(f, 0, 9), std::vector<int>(10, 20));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, SpeedFits,
                         testing::Values(speed_fit_case{1277, 0}, speed_fit_case{1278, 200},
                                         speed_fit_case{-2, 0}, speed_fit_case{-3, 200}),
                         [](const auto& info) {
                             const std::int32_t speed = info.param.speed;
                             return (speed < 0 ? "Minus" + std::to_string(-speed)
                                               : std::to_string(speed)) +
                                    "KmH" + (info.param.codice == 0 ? "Fits" : "Refused");
                         });

TEST(AdherenceSeries, KeepsTheLowEightBitsAndRunsToTheTail) {
    train_fixture f(small_grid);
    f.read({"aderenza, 100, 356", "aderenza, 300, 90"});
    EXPECT_EQ(adherences(f, 0, 1), std::vector<int>(2, 0));  // before the first record: 0
    EXPECT_EQ(adherences(f, 2, 5), std::vector<int>(4, 100));
    EXPECT_EQ(adherences(f, 6, 97), std::vector<int>(92, 90));
    EXPECT_EQ(adherences(f, 98, 100), std::vector<int>(3, 0));
}

TEST(AdherenceSeries, RecordWhenTheFillPointReachedTheLastCellIsRefused) {
    train_fixture f(10);
    std::string content = "[generale]\r\n";
    for (int record = 0; record < 11; ++record) {
        content += "aderenza, 50, 7\r\n";
    }
    f.read_content(content + "[fine]\r\n");
    EXPECT_EQ(f.codice(), 200);
    EXPECT_EQ(f.posizione(), 50);
    EXPECT_EQ(adherences(f, 0, 10), (std::vector<int>{0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0}));
    EXPECT_EQ(f.context.errors.errors().back().where.line, 12);
    EXPECT_FALSE(f.train_file_exists());
}

TEST(AdherenceSeries, RecordAtTheStartWritesNothingEvenWithTheFillPointAtTheEnd) {
    train_fixture f(10);
    std::string content = "[generale]\r\n";
    for (int record = 0; record < 10; ++record) {
        content += "aderenza, 50, 7\r\n";
    }
    f.read_content(content + "aderenza, 0, 9\r\n[fine]\r\n");
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(f.cell(10).extra6, 9);  // the tail writes the last cell
}

}  // namespace
}  // namespace scenario
