#include <gtest/gtest.h>

#include <string>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump_occupied;
using test_support::train_fixture;

TEST(Slowdown, BuiltInSlowdownWithValueMarksItsSevenCells) {
    train_fixture f;
    f.read({"rallentamento,   36500, 80, 300, 0, 1, 80"});
    EXPECT_EQ(dump_occupied(f.context.record),
              "703: tipo 5 dato1 4 dato2 4\n"
              "704: tipo 5 dato1 3 dato2 3\n"
              "705: tipo 5 dato1 2 dato2 2\n"
              "706: tipo 5 dato1 1 dato2 1\n"
              "707: tipo 4 dato1 80 dato2 80\n"
              "731: tipo 3 dato1 80 dato2 80\n"
              "737: tipo 2 dato1 80 dato2 80\n");
    EXPECT_EQ(f.codice(), 0);
}

TEST(Slowdown, BuiltInSlowdownWithoutValueKeepsItsFlagAtStartAndEnd) {
    train_fixture f;
    f.read({"rallentamento,   74850, 30, 100, 1, 1, 0"});
    EXPECT_EQ(dump_occupied(f.context.record),
              "1470: tipo 5 dato1 4\n"
              "1471: tipo 5 dato1 3\n"
              "1472: tipo 5 dato1 2\n"
              "1473: tipo 5 dato1 1\n"
              "1474: tipo 4 dato1 30\n"
              "1498: tipo 3 dato1 30 dato3 1\n"
              "1500: tipo 2 dato1 30 dato3 1\n");
}

struct early_slowdown_case {
    const char* name;
    const char* record;
    const char* cells;
};

class EarlySlowdowns : public testing::TestWithParam<early_slowdown_case> {};

TEST_P(EarlySlowdowns, HaveAWarningBoardOnlyBeyond1500Metres) {
    train_fixture f;
    f.read({GetParam().record});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(dump_occupied(f.context.record), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EarlySlowdowns,
    testing::Values(
        early_slowdown_case{"At1500NoBoardWhateverFlag", "rallentamento, 1500, 60, 100, 0, 1, 0",
                            "31: tipo 3 dato1 60\n"
                            "33: tipo 2 dato1 60\n"},
        early_slowdown_case{"At1550BoardAndFourCells", "rallentamento, 1550, 60, 100, 0, 1, 0",
                            "4: tipo 5 dato1 4\n"
                            "5: tipo 5 dato1 3\n"
                            "6: tipo 5 dato1 2\n"
                            "7: tipo 5 dato1 1\n"
                            "8: tipo 4 dato1 60\n"
                            "32: tipo 3 dato1 60\n"
                            "34: tipo 2 dato1 60\n"},
        early_slowdown_case{"At1550WithoutFlagBoardOnly", "rallentamento, 1550, 60, 100, 0, 0, 0",
                            "8: tipo 4 dato1 60\n"
                            "32: tipo 3 dato1 60\n"
                            "34: tipo 2 dato1 60\n"},
        // One cell for start and end: the start is written last.
        early_slowdown_case{"LengthZeroIsOneStartCell", "rallentamento, 1000, 60, 0, 1, 0, 5",
                            "21: tipo 3 dato1 60 dato2 5 dato3 1\n"}),
    [](const testing::TestParamInfo<early_slowdown_case>& info) { return info.param.name; });

TEST(Slowdown, BoardAndFirstCellBeforeItInOneCellFailWithCode20) {
    // nearest(32.5) and nearest(31.5) are both 32: the board takes the first cell before it.
    train_fixture f;
    f.read({"rallentamento, 2775, 60, 100, 0, 1, 0", "sabbia, 1"});
    EXPECT_EQ(f.codice(), 20);
    EXPECT_EQ(f.posizione(), 2775);
    EXPECT_EQ(dump_occupied(f.context.record),
              "32: tipo 4 dato1 60\n"
              "56: tipo 3 dato1 60\n"
              "58: tipo 2 dato1 60\n");
    EXPECT_EQ(f.entry(86).numero1, 0);
    EXPECT_FALSE(f.train_file_exists());
}

struct taken_case {
    const char* name;
    int taken_cell;
    std::int32_t codice;
    const char* cells;  // what the grid holds afterwards, the taken cell included
};

class TakenSlowdownCells : public testing::TestWithParam<taken_case> {};

TEST_P(TakenSlowdownCells, RefuseTheSlowdownWithTheirCode) {
    train_fixture f;
    f.cell(GetParam().taken_cell).tipo = kind::segnale;
    f.read({"rallentamento, 36500, 80, 300, 0, 1, 0"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    EXPECT_EQ(f.posizione(), 36500);
    EXPECT_EQ(dump_occupied(f.context.record), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(Cells, TakenSlowdownCells,
                         testing::Values(taken_case{"WarningBoard", 707, 17, "707: tipo 1\n"},
                                         taken_case{"Start", 731, 18, "731: tipo 1\n"},
                                         taken_case{"End", 737, 19, "737: tipo 1\n"},
                                         // Steps before the four cells stay written.
                                         taken_case{"CellBeforeTheBoard", 705, 20,
                                                    "705: tipo 1\n"
                                                    "707: tipo 4 dato1 80\n"
                                                    "731: tipo 3 dato1 80\n"
                                                    "737: tipo 2 dato1 80\n"}),
                         [](const testing::TestParamInfo<taken_case>& info) {
                             return info.param.name;
                         });

TEST(Slowdown, TakenCellIsNamedInTheMessage) {
    train_fixture f;
    f.cell(731).tipo = kind::fine_stazione;
    f.read({"rallentamento, 36500, 80, 300, 0, 1, 0"});
    EXPECT_EQ(
        f.context.errors.errors().back().detail,
        "the rallentamento record at 36500 m: its start's cell 731 already holds a station end");
}

struct end_outside_case {
    const char* name;
    std::int32_t x;
    std::int32_t l;
};

class SlowdownEndOutsideTheGrid : public testing::TestWithParam<end_outside_case> {};

TEST_P(SlowdownEndOutsideTheGrid, IsRefusedWithCode200BeforeAnythingIsWritten) {
    train_fixture f;
    f.read({"rallentamento, " + std::to_string(GetParam().x) + ", 80, " +
            std::to_string(GetParam().l) + ", 0, 1, 0"});
    EXPECT_EQ(f.codice(), 200);
    EXPECT_EQ(f.posizione(), GetParam().x);
    EXPECT_EQ(dump_occupied(f.context.record), "");
    EXPECT_FALSE(f.train_file_exists());
}

INSTANTIATE_TEST_SUITE_P(Cases, SlowdownEndOutsideTheGrid,
                         testing::Values(end_outside_case{"BeyondTheLastCell", 88000, 1000},
                                         end_outside_case{"SumBeyond32Bits", 88000, 2147483647},
                                         end_outside_case{"BeforeTheFirstCell", 36500, -40000},
                                         end_outside_case{"NegativeStart", -50, 100}),
                         [](const testing::TestParamInfo<end_outside_case>& info) {
                             return info.param.name;
                         });

TEST(Slowdown, EndInTheLastCellIsAccepted) {
    train_fixture f;
    f.read({"rallentamento, 88000, 80, 950, 0, 0, 0"});  // nearest(1780) = 1780
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(f.cell(1780).tipo, kind::fine_rallentamento);
}

}  // namespace
}  // namespace scenario
