// Maximum-speed boards and indicator boards: their cells, their contents, and the cells that
// they may not take.
#include <gtest/gtest.h>

#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::dump;
using testing_support::line_of_length;
using testing_support::read_line_source;
using testing_support::source_folder;

std::string speed_board_at(std::int32_t posizione) {
    return "indicatori_vmax, " + std::to_string(posizione) + ", 100, 0, 0, 0, 0, 0, 0, 0";
}

std::string indicator_board_at(std::int32_t posizione) {
    return "cartello indicatore, " + std::to_string(posizione) + ", (  Km. ) (1.000)";
}

TEST(Boards, BoardLandsInCellOfPositionOver50Plus1RoundedHalfToEven) {
    struct placement {
        std::int32_t posizione;
        std::size_t cell;
    };
    for (const placement p : {placement{0, 1}, {800, 17}, {825, 18}, {875, 18}, {874, 18}}) {
        for (const std::string& board :
             {speed_board_at(p.posizione), indicator_board_at(p.posizione)}) {
            source_folder folder;
            const auto result = read_line_source(folder, line_of_length(2000, {board}));
            const auto& celle = result.context.record.celle;
            EXPECT_NE(celle[p.cell].tipo, kind::libera) << board;
            EXPECT_EQ(celle[p.cell - 1].tipo, kind::libera) << board;
            EXPECT_EQ(celle[p.cell + 1].tipo, kind::libera) << board;
        }
    }
}

struct speed_board_case {
    const char* name;
    std::string values;  // vas, vbs, vcs, strisces, vad, vbd, vcd, strisced
    std::string cell;
};

class SpeedBoard : public testing::TestWithParam<speed_board_case> {};

TEST_P(SpeedBoard, FacesArePackedLeftTimes20PlusRightOver5) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(2000, {"indicatori_vmax, 800, " + GetParam().values}));
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(dump(result.context.record.celle[17]), GetParam().cell);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, SpeedBoard,
    testing::Values(speed_board_case{"LeftFaceOnly", "105, 115, 120, 0, 0, 0, 0, 0",
                                     "tipo 6 | 2100 2300 2400 0 | 0 0 0 0 100 0"},
                    speed_board_case{"BothFaces", "120, 130, 135, 3, 120, 130, 135, 2",
                                     "tipo 6 | 2424 2626 2727 32 | 0 0 0 0 100 0"},
                    speed_board_case{"RightFaceRoundsItsFifth", "0, 0, 0, 0, 12, 13, 1, 0",
                                     "tipo 6 | 2 3 0 0 | 0 0 0 0 100 0"},
                    speed_board_case{"StripesWrapIn16Bits", "0, 0, 0, 3277, 0, 0, 0, 0",
                                     "tipo 6 | 0 0 0 -32766 | 0 0 0 0 100 0"},
                    speed_board_case{"StripesUseTheLow16Bits", "0, 0, 0, 65537, 0, 0, 0, 65539",
                                     "tipo 6 | 0 0 0 13 | 0 0 0 0 100 0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Boards, SpeedThatDoesNotFitSixteenBitsIs25) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(2000, {"indicatori_vmax, 800, 1639, 0, 0, 0, 0, 0, 0, 0"}));
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(result.context.errors.codice_errore, 25);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_FALSE(std::filesystem::exists(folder.train_source_path()));
}

TEST(Boards, IndicatorBoardsTakeEntriesFrom80Downward) {
    source_folder folder;
    const auto result = read_line_source(
        folder, line_of_length(82000, {"cartello indicatore,  18550,    (  Km. ) (18.600)",
                                       "cartello indicatore,  22100,    ( Ponte  ) (su fiume)"}));
    const compile_context& context = result.context;
    EXPECT_EQ(dump(context.record.celle[372]), "tipo 14 | 80 0 0 0 | 0 0 0 0 100 0");
    EXPECT_EQ(dump(context.record.celle[443]), "tipo 14 | 79 0 0 0 | 0 0 0 0 100 0");
    EXPECT_EQ(context.record.voci[80].testo, "(  Km. ) (18.600)");
    EXPECT_EQ(context.record.voci[79].testo, "( Ponte  ) (su fiume)");
    EXPECT_EQ(context.prossima_voce_cartello, 78);
}

TEST(Boards, EightyIndicatorBoardsFitAndTheEightyFirstHasNoRoom) {
    for (const int boards : {80, 81}) {
        std::string text = "[generale]\r\nlunghezza percorso, 82000\r\n[indicazioni]\r\n";
        for (int i = 0; i < boards; ++i) {
            text += indicator_board_at(i * 100) + "\r\n";
        }
        source_folder folder;
        const auto result = read_line_source(folder, text);
        EXPECT_EQ(result.context.record.voci[1].testo, "(  Km. ) (1.000)");
        if (boards == 80) {
            EXPECT_EQ(result.context.errors.codice_errore, 0);
            EXPECT_EQ(result.context.prossima_voce_cartello, 0);
        } else {
            EXPECT_EQ(result.context.errors.codice_errore, 200);
            EXPECT_EQ(result.context.errors.posizione_errore, 8000);
            EXPECT_EQ(result.context.record.celle[161].tipo, kind::libera);
            EXPECT_EQ(result.context.record.voci[0].testo, "");
        }
    }
}

struct occupied_case {
    const char* name;
    std::string first;
    std::string second;
    std::int32_t codice;
    std::string detail;
};

class OccupiedCell : public testing::TestWithParam<occupied_case> {};

TEST_P(OccupiedCell, BoardOnACellHoldingABoardIsRefused) {
    const occupied_case& c = GetParam();
    source_folder folder;
    const auto result =
        read_line_source(folder, line_of_length(2000, {c.first, c.second, "pendenza, 1000, 3"}));
    const compile_context& context = result.context;
    EXPECT_EQ(result.end, line_half_end::returned);
    EXPECT_EQ(context.errors.codice_errore, c.codice);
    EXPECT_EQ(context.errors.posizione_errore, 790);
    ASSERT_FALSE(context.errors.errors().empty());
    EXPECT_EQ(context.errors.errors().back().detail, c.detail);
    EXPECT_EQ(context.errors.errors().back().where.line, 5);
    // The cell keeps its first board, reading ends there and no tail runs.
    EXPECT_EQ(context.record.celle[17].dato1, c.first[0] == 'i' ? 2000 : 80);
    EXPECT_EQ(context.record.celle[0].extra5, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.line_source_path()));
    EXPECT_TRUE(std::filesystem::exists(folder.train_source_path()));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OccupiedCell,
    testing::Values(
        occupied_case{
            "IndicatorOnSpeedBoardIs6", speed_board_at(800), indicator_board_at(790), 6,
            "the cartello indicatore record at 790 m: cell 17 already holds a maximum-speed board"},
        occupied_case{
            "IndicatorOnIndicatorIs6", indicator_board_at(800), indicator_board_at(790), 6,
            "the cartello indicatore record at 790 m: cell 17 already holds an indicator board"},
        occupied_case{
            "SpeedBoardOnIndicatorIs21", indicator_board_at(800), speed_board_at(790), 21,
            "the indicatori_vmax record at 790 m: cell 17 already holds an indicator board"},
        occupied_case{
            "SpeedBoardOnSpeedBoardIs21", speed_board_at(800), speed_board_at(790), 21,
            "the indicatori_vmax record at 790 m: cell 17 already holds a maximum-speed board"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Boards, BoardOnAMountainMarkerReplacesIt) {
    source_folder folder;
    // Markers in cells 23 and 27 of the stretch from cell 20.
    const auto result = read_line_source(
        folder, line_of_length(5000, {"montagna, 1000, 2000, 11", indicator_board_at(1100),
                                      speed_board_at(1300)}));
    EXPECT_EQ(result.context.errors.codice_errore, 0);
    EXPECT_EQ(dump(result.context.record.celle[23]), "tipo 14 | 80 0 0 0 | 0 0 1 0 100 0");
    EXPECT_EQ(dump(result.context.record.celle[27]), "tipo 6 | 2000 0 0 0 | 0 0 1 0 100 0");
}

}  // namespace
}  // namespace scenario
