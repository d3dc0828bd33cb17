// The ordering of the three kilometre references: greatest first value in entry 81.
#include <gtest/gtest.h>

#include <string>

#include "compiler/line_reader.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::dump_values;

struct triple {
    std::int32_t valore1, valore2, valore3;
};

struct ordering_case {
    const char* name;
    triple tre, due, uno;       // entries 81, 82, 83 as read
    std::string e81, e82, e83;  // after ordering
};

class ProgressiveOrdina : public testing::TestWithParam<ordering_case> {};

TEST_P(ProgressiveOrdina, FillsTheThreeEntriesAsTheTableSays) {
    const ordering_case& c = GetParam();
    scenario_record record;
    for (const auto& [entry, t] : {std::pair{81, c.tre}, {82, c.due}, {83, c.uno}}) {
        record.voci[entry].valore1 = t.valore1;
        record.voci[entry].valore2 = t.valore2;
        record.voci[entry].valore3 = t.valore3;
        record.voci[entry].testo = "entry " + std::to_string(entry);
    }
    progressive_ordina(record);
    EXPECT_EQ(dump_values(record.voci[81]), c.e81);
    EXPECT_EQ(dump_values(record.voci[82]), c.e82);
    EXPECT_EQ(dump_values(record.voci[83]), c.e83);
    EXPECT_EQ(record.voci[81].testo, "entry 81") << "only the three values move";
}

// T = "tre" (100, 1, 0), D = "due" (200, 2, 0), U = "uno" (300, 3, 0) in the orders of the
// six rows of the first table, then the ties and the rows for a sum of 0.
INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressiveOrdina,
    testing::Values(
        ordering_case{"TreGreatestDueMiddle",
                      {300, 3, 0},
                      {200, 2, 0},
                      {100, 1, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        ordering_case{"TreGreatestUnoMiddle",
                      {300, 3, 0},
                      {100, 1, 0},
                      {200, 2, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        ordering_case{"DueGreatestTreMiddle",
                      {200, 2, 0},
                      {300, 3, 0},
                      {100, 1, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        ordering_case{"DueGreatestUnoMiddle",
                      {100, 1, 0},
                      {300, 3, 0},
                      {200, 2, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        ordering_case{"UnoGreatestTreMiddle",
                      {200, 2, 0},
                      {100, 1, 0},
                      {300, 3, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        ordering_case{"UnoGreatestDueMiddle",
                      {100, 1, 0},
                      {200, 2, 0},
                      {300, 3, 0},
                      "300 3 0",
                      "200 2 0",
                      "100 1 0"},
        // Equal second and third keep the order the table gives: the later key last.
        ordering_case{"TieBelowTheGreatest",
                      {300, 3, 0},
                      {100, 1, 0},
                      {100, 9, 0},
                      "300 3 0",
                      "100 9 0",
                      "100 1 0"},
        ordering_case{"TieForTheGreatestClearsAll",
                      {300, 3, 1},
                      {300, 4, 1},
                      {100, 1, 1},
                      "0 0 0",
                      "0 0 0",
                      "0 0 0"},
        ordering_case{"SumZeroUnoWithValueFirst",
                      {0, 0, 0},
                      {0, 0, 0},
                      {0, 200, 1},
                      "0 300 1",
                      "0 0 0",
                      "0 0 0"},
        ordering_case{"SumZeroDueWithValueFirst",
                      {0, 50, 0},
                      {0, 100, 0},
                      {0, 0, 0},
                      "0 100 0",
                      "0 50 0",
                      "0 0 0"},
        ordering_case{"SumZeroTreWithValueKeepsOrder",
                      {0, 50, 0},
                      {0, -5, 0},
                      {0, 0, 7},
                      "0 50 0",
                      "0 -5 0",
                      "0 0 7"},
        ordering_case{
            "SumZeroNoValueClearsAll", {0, 0, 5}, {0, -5, 1}, {0, 0, 0}, "0 0 0", "0 0 0", "0 0 0"},
        ordering_case{"FirstValuesCancellingOutCountAsSumZero",
                      {100, 0, 0},
                      {-100, 50, 0},
                      {0, 0, 0},
                      "-100 50 0",
                      "100 0 0",
                      "0 0 0"},
        ordering_case{"Flag1Adds100AfterOrdering",
                      {100, 1000, 1},
                      {200, 2000, 2},
                      {300, 3000, 1},
                      "300 3100 1",
                      "200 2000 2",
                      "100 1100 1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
