// Mountain-side stretches in the grid: their cells, the continuation rule and the markers.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::line_of_length;
using testing_support::read_line_source;
using testing_support::source_folder;

// The mountain kind of cells first to last, as one text: "0 2 2 0".
std::string sides(const scenario_record& record, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i <= last; ++i) {
        text += (i == first ? "" : " ") + std::to_string(record.celle[i].extra3);
    }
    return text;
}

TEST(Mountains, StretchCoversCellsFromItsStartToBeforeItsEnd) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(82000, {"montagna, 29100,29200,2"}));
    EXPECT_EQ(sides(result.context.record, 581, 584), "0 2 2 0");
    EXPECT_EQ(result.context.errors.codice_errore, 0);
}

struct gap_case {
    const char* name;
    std::string second;
    std::size_t first_cell;
    std::size_t last_cell;
    int kind;
};

class MountainGap : public testing::TestWithParam<gap_case> {};

TEST_P(MountainGap, StretchCloseAfterTheLastOneContinuesIt) {
    const gap_case& c = GetParam();
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(82000, {"montagna, 29100,29200,2", c.second}));
    const std::string kind = std::to_string(c.kind);
    EXPECT_EQ(sides(result.context.record, c.first_cell - 1, c.last_cell + 1),
              "0 " + kind + " " + kind + " 0");
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, MountainGap,
    testing::Values(gap_case{"Gap100", "montagna, 29300, 29400, 1", 586, 587, 3},
                    gap_case{"Gap150", "montagna, 29350, 29450, 1", 587, 588, 3},
                    gap_case{"Gap151KeepsItsOwnKind", "montagna, 29351, 29451, 1", 587, 588, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Mountains, KindAbove10AsksForAMarkerInEveryFourthEmptyCell) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(5000, {"indicatori_vmax, 1300, 100, 0, 0, 0, 0, 0, 0, 0",
                                      "montagna, 1000, 2000, 12"}));
    const scenario_record& record = result.context.record;
    EXPECT_EQ(sides(record, 19, 40), "0 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 0");
    std::string markers;
    for (std::size_t i = 0; i < record.celle.size(); ++i) {
        if (record.celle[i].tipo == kind::marcatore_montagna) {
            markers += std::to_string(i) + " ";
        }
    }
    // Cell 27, the eighth of the stretch, already holds a board and keeps it.
    EXPECT_EQ(markers, "23 31 35 39 ");
    EXPECT_EQ(record.celle[27].tipo, kind::indicatore_v_max);
}

TEST(Mountains, StretchEndingBeforeItBeginsWritesNothingButCounts) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(5000, {"montagna, 1000, 1000, 1", "montagna, 1100, 1200, 2"}));
    EXPECT_EQ(sides(result.context.record, 19, 24), "0 0 0 3 3 0");
}

TEST(Mountains, EightyStretchesFitAndTheEightyFirstHasNoRoom) {
    for (const int stretches : {80, 81}) {
        std::string text = "[generale]\r\nlunghezza percorso, 82000\r\n[montagne]\r\n";
        for (int i = 0; i < stretches; ++i) {
            text += "montagna, " + std::to_string(i * 1000) + ", " +
                    std::to_string(i * 1000 + 100) + ", 1\r\n";
        }
        source_folder folder;
        const auto result = read_line_source(folder, text);
        if (stretches == 80) {
            EXPECT_EQ(result.context.errors.codice_errore, 0);
            EXPECT_EQ(result.context.record.celle[1580].extra3, 1);
        } else {
            EXPECT_EQ(result.context.errors.codice_errore, 200);
            EXPECT_EQ(result.context.errors.posizione_errore, 80000);
            EXPECT_EQ(result.context.record.celle[1600].extra3, 0);
        }
    }
}

TEST(Mountains, StretchEndingBeyondTheLastCellHasNoRoom) {
    source_folder folder;
    const auto fits = read_line_source(folder, line_of_length(0, {"montagna, 100, 7050, 1"}));
    EXPECT_EQ(fits.context.errors.codice_errore, 0);
    EXPECT_EQ(fits.context.record.celle[140].extra3, 1);

    const auto refused = read_line_source(folder, line_of_length(0, {"montagna, 100, 7100, 1"}));
    EXPECT_EQ(refused.end, line_half_end::returned);
    EXPECT_EQ(refused.context.errors.codice_errore, 200);
    EXPECT_EQ(refused.context.errors.posizione_errore, 100);
    EXPECT_EQ(refused.context.record.celle[2].extra3, 0) << "nothing is written for it";
}

}  // namespace
}  // namespace scenario
