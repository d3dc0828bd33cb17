// Gradients in the grid: the fill of each record and the tail.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::line_of_length;
using testing_support::read_line_source;
using testing_support::source_folder;

// The gradient + 100 of cells first to last, as one text: "100 100 104".
std::string gradients(const scenario_record& record, std::size_t first, std::size_t last) {
    std::string text;
    for (std::size_t i = first; i <= last; ++i) {
        text += (i == first ? "" : " ") + std::to_string(record.celle[i].extra5);
    }
    return text;
}

TEST(Gradients, CellsBeforeARecordGetTheGradientInForce) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(2000, {"pendenza  , 300    , 4", "pendenza  , 500    , 0"}));
    const scenario_record& record = result.context.record;
    EXPECT_EQ(gradients(record, 0, 11), "100 100 100 100 100 100 104 104 104 104 100 100");
    // The tail fills up to ultima_cella - 3; the last three cells keep 0.
    EXPECT_EQ(record.ultima_cella, 180);
    EXPECT_EQ(gradients(record, 176, 180), "100 100 0 0 0");
}

TEST(Gradients, RecordAt25MetresWritesNoCellButSetsTheGradient) {
    source_folder folder;
    const auto result = read_line_source(folder, line_of_length(0, {"pendenza, 25, 5"}));
    EXPECT_EQ(gradients(result.context.record, 0, 2), "105 105 105");
}

TEST(Gradients, RecordInTheSameCellFillsOneCellWithTheGradientBeforeIt) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(0, {"pendenza, 300, 4", "pendenza, 310, 6"}));
    EXPECT_EQ(gradients(result.context.record, 4, 8), "100 100 104 106 106");
}

TEST(Gradients, RecordBehindTheFillPointFillsOneCell) {
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(0, {"pendenza, 500, 2", "pendenza, 100, 3"}));
    EXPECT_EQ(gradients(result.context.record, 8, 12), "100 100 102 103 103");
}

TEST(Gradients, GradientIsKeptAsTheLowEightBitsOfGradientPlus100) {
    for (const auto& [gradient, kept] : {std::pair{-4, 96}, {-100, 0}, {-150, 206}, {200, 44}}) {
        source_folder folder;
        const auto result = read_line_source(
            folder, line_of_length(0, {"pendenza, 0, " + std::to_string(gradient)}));
        EXPECT_EQ(result.context.record.celle[0].extra5, kept) << gradient;
    }
}

// Each record at or behind the fill point moves it one cell on; once it stands at the last
// cell, a further record has no cell left and is refused.
TEST(Gradients, RecordWithTheFillPointAtTheLastCellHasNoRoom) {
    for (const int records : {140, 141}) {
        std::string text = "[generale]\r\nlunghezza percorso, 0\r\n[pendenze]\r\n";
        for (int i = 0; i < records; ++i) {
            text += "pendenza, 50, 1\r\n";
        }
        source_folder folder;
        const auto result = read_line_source(folder, text);
        const scenario_record& record = result.context.record;
        ASSERT_EQ(record.ultima_cella, 140);
        if (records == 140) {
            EXPECT_EQ(result.context.errors.codice_errore, 0);
            // Cell 139 by the last record, cell 140 by the tail, which writes at least one cell.
            EXPECT_EQ(gradients(record, 0, 1), "100 101");
            EXPECT_EQ(gradients(record, 139, 140), "101 101");
        } else {
            EXPECT_EQ(result.end, line_half_end::returned);
            EXPECT_EQ(result.context.errors.codice_errore, 200);
            EXPECT_EQ(result.context.errors.posizione_errore, 50);
            EXPECT_EQ(result.context.errors.errors().back().where.line, 144);
            EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
        }
    }
}

}  // namespace
}  // namespace scenario
