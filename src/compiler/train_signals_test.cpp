#include <gtest/gtest.h>

#include <string>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump;
using test_support::dump_occupied;
using test_support::train_fixture;

TEST(Signal, BuiltInSignalAt1000GoesToCell21WithApproachCodes31To34) {
    train_fixture f;
    f.read({"segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0"});
    EXPECT_EQ(dump_occupied(f.context.record),
              "13: extra2 34\n"
              "15: extra2 33\n"
              "17: extra2 32\n"
              "19: extra2 31\n"
              "21: tipo 1 dato1 40 dato2 10 dato4 3\n");
    EXPECT_EQ(f.codice(), 0);
}

TEST(Signal, BothGroupsOfKind2PackDecimallyAndGiveApproachCodes81To84) {
    train_fixture f;
    f.read({"segnale,   2100, 2, 3, 1, 1, 1,     2, 2, 1, 1, 0"});
    EXPECT_EQ(dump_occupied(f.context.record),
              "35: extra2 84\n"
              "37: extra2 83\n"
              "39: extra2 82\n"
              "41: extra2 81\n"
              "43: tipo 1 dato1 32 dato2 11 dato3 11 dato4 18\n");
}

TEST(Signal, PackedValuesWrapLikeTheirFields) {
    train_fixture f;
    // 3300 * 10 + 7 = 33007 wraps to -32529; (90 * 3 + 0) * 10 + 1 = 2701 keeps 2701 % 256.
    f.read({"segnale, 1000, 90, 3300, 0, 0, 0, 0, 7, 0, 0, 0"});
    EXPECT_EQ(f.cell(21).dato1, -32529);
    EXPECT_EQ(f.cell(19).extra2, 2701 % 256);
}

struct waiting_case {
    const char* name;
    std::int32_t sx;
    std::int32_t tempo;
    int extra1;
};

class WaitingTime : public testing::TestWithParam<waiting_case> {};

TEST_P(WaitingTime, IsKeptOnKind2SignalsOnly) {
    train_fixture f;
    f.read({"segnale, 1000, " + std::to_string(GetParam().sx) + ", 4, 1, 0, 0, 2, 1, 0, 0, " +
            std::to_string(GetParam().tempo)});
    EXPECT_EQ(f.cell(21).extra1, GetParam().extra1);
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitingTime,
                         testing::Values(waiting_case{"NoneStaysNone", 2, 0, 0},
                                         waiting_case{"ShortRaisedTo101", 2, 50, 101},
                                         waiting_case{"OneRaisedTo101", 2, 1, 101},
                                         waiting_case{"HundredRaisedTo101", 2, 100, 101},
                                         waiting_case{"KeptAsGiven", 2, 240, 240},
                                         waiting_case{"KeepsItsLowEightBits", 2, 300, 44},
                                         waiting_case{"Kind1KeepsNone", 1, 240, 0},
                                         waiting_case{"Kind1KeepsNoneWhenShort", 1, 50, 0},
                                         // The kind is tested on the whole value, not its low byte.
                                         waiting_case{"Kind258IsNotKind2", 258, 240, 0}),
                         [](const testing::TestParamInfo<waiting_case>& info) {
                             return info.param.name;
                         });

TEST(Signal, TakenCellRefusesItWithCode16AndWritesNothing) {
    train_fixture f;
    f.cell(21).tipo = kind::indicatore_v_max;
    f.read({"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"});
    EXPECT_EQ(f.codice(), 16);
    EXPECT_EQ(f.posizione(), 1000);
    EXPECT_EQ(dump_occupied(f.context.record), "21: tipo 6\n");
    EXPECT_EQ(f.context.errors.errors().back().detail,
              "the segnale record at 1000 m: cell 21 already holds a maximum-speed board");
}

TEST(Signal, MountainMarkerCellIsFreeAndApproachCellsKeepTheirObjects) {
    train_fixture f;
    f.cell(21).tipo = kind::marcatore_montagna;
    f.cell(19).tipo = kind::indicatore_v_max;
    f.read({"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(dump(f.cell(21)), "tipo 1 dato1 40 dato2 10 dato4 3");
    EXPECT_EQ(dump(f.cell(19)), "tipo 6 extra2 31");
}

struct early_signal_case {
    std::int32_t posizione;
    std::int32_t codice;
};

class EarlySignal : public testing::TestWithParam<early_signal_case> {};

// A signal needs its fourth approach cell, i - 8, inside the grid: from 325 m on.
TEST_P(EarlySignal, NeedsRoomForItsApproachCells) {
    train_fixture f;
    f.read({"segnale, " + std::to_string(GetParam().posizione) + ", 1, 0, 0, 0, 0, 0, 0, 0, 0, 0"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    if (GetParam().codice == 200) {
        EXPECT_EQ(f.posizione(), GetParam().posizione);
        EXPECT_EQ(dump_occupied(f.context.record), "");
    } else {
        EXPECT_EQ(f.cell(0).extra2, 34);
    }
}

INSTANTIATE_TEST_SUITE_P(Positions, EarlySignal,
                         testing::Values(early_signal_case{325, 0}, early_signal_case{324, 200},
                                         early_signal_case{0, 200}, early_signal_case{-1000, 200}),
                         [](const auto& info) {
                             const std::int32_t at = info.param.posizione;
                             return (at < 0 ? "Minus" + std::to_string(-at) : std::to_string(at)) +
                                    "MetresIs" + (info.param.codice == 0 ? "Placed" : "Refused");
                         });

}  // namespace
}  // namespace scenario
