// Which entries of the item table are stations and which hold board texts, from the item
// file alone and with the grid; a station's time and the one clock text.
#include "format/item_meaning.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "format/compiled_file_decoders.h"

namespace scenario {
namespace {

using entries = std::vector<std::size_t>;

std::string expected_file(const std::string& name) {
    std::ifstream input(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    return content.str();
}

TEST(ItemEntries, BuiltinScenarioHasSixteenStationsAndThreeBoards) {
    std::array<voce, numero_voci> voci{};
    std::vector<cella> celle;
    ASSERT_TRUE(decode_item_file(expected_file("Valdora_Rova_5284.sim"), voci).ok());
    ASSERT_TRUE(decode_grid_file(expected_file("Valdora_Rova_5284.dat"), celle).ok());
    const entries sixteen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(station_entries(voci), sixteen);
    EXPECT_EQ(station_entries(voci, celle), sixteen);
    EXPECT_EQ(board_text_entries(voci), (entries{80, 79, 78}));
    EXPECT_EQ(board_text_entries(voci, celle), (entries{80, 79, 78}));
    EXPECT_EQ(voci[78].testo, "( Ponte  ) (su fiume) (  Arno  )");
}

voce station(const char* name) {
    voce entry;
    entry.tipo = 2;
    entry.valore1 = 1000;
    entry.valore2 = 1600;
    entry.valore3 = 1300;
    entry.testo = name;
    return entry;
}

voce board(const char* text) {
    voce entry;
    entry.testo = text;
    return entry;
}

cella board_cell(std::size_t entry) {
    cella cell;
    cell.tipo = kind::cartello_indicatore;
    cell.dato1 = static_cast<std::int16_t>(entry);
    return cell;
}

struct layout_case {
    const char* name;
    std::vector<std::pair<std::size_t, voce>> filled;
    std::vector<std::size_t> board_cells;  // the entries that board cells name; empty: no grid
    entries stations;
    entries boards;
};

class ItemLayouts : public testing::TestWithParam<layout_case> {};

TEST_P(ItemLayouts, TellStationsFromBoardTexts) {
    const layout_case& c = GetParam();
    std::array<voce, numero_voci> voci{};
    for (const auto& [e, entry] : c.filled) {
        voci[e] = entry;
    }
    std::vector<cella> celle(3);
    for (const std::size_t e : c.board_cells) {
        celle.push_back(board_cell(e));
    }
    const std::span<const cella> grid = c.board_cells.empty() ? std::span<const cella>{} : celle;
    EXPECT_EQ(station_entries(voci, grid), c.stations);
    EXPECT_EQ(board_text_entries(voci, grid), c.boards);
}

std::vector<std::pair<std::size_t, voce>> eighty_boards() {
    std::vector<std::pair<std::size_t, voce>> filled;
    for (std::size_t e = 1; e <= 80; ++e) {
        filled.emplace_back(e, board("(  Km. ) (1.000)"));
    }
    return filled;
}

entries from_80_down_to(std::size_t lowest) {
    entries boards;
    for (std::size_t e = 80; e >= lowest; --e) {
        boards.push_back(e);
    }
    return boards;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ItemLayouts,
    testing::Values(
        layout_case{"NothingAtAll", {}, {}, {}, {}},
        layout_case{"StationsAndBoardsWithEntriesBetween",
                    {{1, station("A")}, {2, station("B")}, {80, board("x")}, {79, board("y")}},
                    {},
                    {1, 2},
                    {80, 79}},
        // A station with neither a name nor a type still has its area.
        layout_case{"StationWithoutANameIsAStation",
                    {{1, station("A")},
                     {2,
                      [] {
                          voce s = station("");
                          s.tipo = 0;
                          return s;
                      }()}},
                    {},
                    {1, 2},
                    {}},
        layout_case{"EightyBoardsLeaveNoStation", eighty_boards(), {}, {}, from_80_down_to(1)},
        // With 79 boards the one station that fits goes to entry 1, right below them.
        layout_case{"StationRightBelowTheBoards",
                    [] {
                        auto filled = eighty_boards();
                        filled[0].second = station("A");
                        return filled;
                    }(),
                    {},
                    {1},
                    from_80_down_to(2)},
        // Only the grid tells that entry 80 holds the empty text of a board, and thus that
        // the boards go on below it.
        layout_case{
            "EmptyBoardTextWithoutTheGrid", {{80, board("")}, {79, board("y")}}, {}, {}, {}},
        layout_case{"EmptyBoardTextWithTheGrid",
                    {{80, board("")}, {79, board("y")}},
                    {80, 79},
                    {},
                    {80, 79}},
        layout_case{"BoardCellNamesAnEntryOutsideTheRun",
                    {{80, board("x")}, {1, board("z")}},
                    {80, 1},
                    {},
                    {80, 1}},
        // A board cell that names a station's entry does not make it a board.
        layout_case{"BoardCellNamingAStationIsNoBoard",
                    {{1, station("A")}, {80, board("x")}},
                    {80, 1},
                    {1},
                    {80}}),
    [](const testing::TestParamInfo<layout_case>& info) { return std::string(info.param.name); });

TEST(StationTime, ZeroMeansNoTimeInTheTimetable) {
    voce entry = station("A");
    EXPECT_EQ(timetabled_time(entry), std::nullopt);
    entry.valore4 = 48300;
    EXPECT_EQ(timetabled_time(entry), 48300);
}

TEST(ClockText, ShowsHoursMinutesAndSeconds) {
    const std::pair<std::int32_t, const char*> cases[] = {
        {48300, "13:25:00"}, {0, "00:00:00"}, {86399, "23:59:59"},
        {90061, "25:01:01"}, {-60, "-60 s"},  {2147483647, "596523:14:07"},
    };
    for (const auto& [seconds, text] : cases) {
        EXPECT_EQ(clock_text(seconds), text) << seconds;
    }
}

}  // namespace
}  // namespace scenario
