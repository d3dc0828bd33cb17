#include <gtest/gtest.h>

#include <string>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump;
using test_support::dump_occupied;
using test_support::train_fixture;

struct point_case {
    const char* name;
    std::int32_t p;
    std::int32_t w;
    int cell;
    const char* expected;
};

class AbbattimentoPoints : public testing::TestWithParam<point_case> {};

// The point's cell counts from p / 50, not p / 50 + 1 like the other point objects.
TEST_P(AbbattimentoPoints, TakeTheirCellWithOrWithoutValue) {
    train_fixture f;
    f.read({"abbattimento, " + std::to_string(GetParam().p) + ", " + std::to_string(GetParam().w)});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(dump_occupied(f.context.record),
              std::to_string(GetParam().cell) + ": " + GetParam().expected + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AbbattimentoPoints,
    testing::Values(point_case{"ZeroMeansNoValue", 500, 0, 10, "tipo 13"},
                    point_case{"NegativeMeansNoValue", 500, -5, 10, "tipo 13"},
                    point_case{"HalfCellRoundsToEven", 525, 7, 10, "tipo 12 dato1 7"},
                    point_case{"ValueKeepsItsLow16Bits", 575, 70000, 12, "tipo 12 dato1 4464"}),
    [](const testing::TestParamInfo<point_case>& info) { return info.param.name; });

TEST(Abbattimento, TakenCellGivesCode7) {
    train_fixture f;
    f.cell(10).tipo = kind::segnale;
    f.read({"abbattimento, 500, 3", "sabbia, 1"});
    EXPECT_EQ(f.codice(), 7);
    EXPECT_EQ(f.posizione(), 500);
    EXPECT_EQ(dump(f.cell(10)), "tipo 1");
    EXPECT_EQ(f.entry(86).numero1, 0);
    EXPECT_FALSE(f.train_file_exists());
}

TEST(Abbattimento, MountainMarkerCellIsFree) {
    train_fixture f;
    f.cell(10).tipo = kind::marcatore_montagna;
    f.read({"abbattimento, 500, 3"});
    EXPECT_EQ(dump(f.cell(10)), "tipo 12 dato1 3");
}

}  // namespace
}  // namespace scenario
