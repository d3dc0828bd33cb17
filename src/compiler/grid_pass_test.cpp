#include "compiler/grid_pass.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump_occupied;
using test_support::make_grid;

// One object on a hand-built grid: its cell, kind and dato1.
struct object {
    int cell;
    std::uint8_t tipo;
    std::int16_t dato1 = 0;
};

class GridPass : public testing::Test {
  protected:
    void build(std::int32_t ultima_cella, const std::vector<object>& objects) {
        make_grid(record, ultima_cella);
        for (const object& placed : objects) {
            record.celle[placed.cell].tipo = placed.tipo;
            record.celle[placed.cell].dato1 = placed.dato1;
        }
    }
    void run() { run_grid_pass(record, errors); }

    // The cells of kind 12 from first to last.
    std::vector<int> points(int first, int last) const {
        std::vector<int> found;
        for (int i = first; i <= last; ++i) {
            if (record.celle[i].tipo == kind::abbattimento_con_valore) {
                found.push_back(i);
            }
        }
        return found;
    }

    scenario_record record;
    error_state errors;
};

constexpr std::uint8_t signal = kind::segnale;
constexpr std::uint8_t board = kind::avviso_rallentamento;
constexpr std::uint8_t start = kind::inizio_rallentamento;
constexpr std::uint8_t end = kind::fine_rallentamento;
constexpr std::uint8_t point = kind::abbattimento_con_valore;
constexpr std::uint8_t taken = kind::indicatore_v_max;

struct board_case {
    const char* name;
    std::vector<object> objects;  // a warning board stands in cell 50
    const char* cells;            // the grid afterwards
    std::int32_t codice = 0;
    std::int32_t posizione = 0;
};

class SignalsBeforeWarningBoards : public GridPass,
                                   public testing::WithParamInterface<board_case> {};

TEST_P(SignalsBeforeWarningBoards, GetAPointAheadOfThem) {
    std::vector<object> objects = GetParam().objects;
    objects.push_back({50, board});
    build(100, objects);
    run();
    EXPECT_EQ(dump_occupied(record), GetParam().cells);
    EXPECT_EQ(errors.codice_errore, GetParam().codice);
    EXPECT_EQ(errors.posizione_errore, GetParam().posizione);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignalsBeforeWarningBoards,
    testing::Values(
        board_case{"NoSignalAddsNothing", {}, "50: tipo 4\n"},
        board_case{"TwoSignalsGetOneEach",
                   {{40, signal}, {45, signal}},
                   "39: tipo 12 dato1 180\n40: tipo 1\n44: tipo 12 dato1 180\n45: tipo 1\n"
                   "50: tipo 4\n"},
        board_case{"SignalTwentyCellsBefore",
                   {{30, signal}},
                   "29: tipo 12 dato1 180\n30: tipo 1\n50: tipo 4\n"},
        board_case{
            "SignalTwentyOneCellsBeforeIsOutOfReach", {{29, signal}}, "29: tipo 1\n50: tipo 4\n"},
        board_case{"NearerTakenFurtherFreeGetsASecondPoint",
                   {{40, signal}, {39, point, 120}},
                   "38: tipo 12 dato1 180\n39: tipo 12 dato1 120\n40: tipo 1\n50: tipo 4\n"},
        board_case{"BothTakenLowerPointValueStays",
                   {{40, signal}, {39, point, 120}, {38, taken}},
                   "38: tipo 6\n39: tipo 12 dato1 120\n40: tipo 1\n50: tipo 4\n"},
        board_case{"BothTakenHigherPointValueBecomes180",
                   {{40, signal}, {39, point, 200}, {38, taken}},
                   "38: tipo 6\n39: tipo 12 dato1 180\n40: tipo 1\n50: tipo 4\n"},
        board_case{"FurtherPointUpdatedWhenNearerIsNoPoint",
                   {{40, signal}, {39, taken}, {38, point, 200}},
                   "38: tipo 12 dato1 180\n39: tipo 6\n40: tipo 1\n50: tipo 4\n"},
        board_case{"BothTakenByOtherObjectsGiveCode11",
                   {{40, signal}, {39, taken}, {38, taken}},
                   "38: tipo 6\n39: tipo 6\n40: tipo 1\n50: tipo 4\n",
                   11,
                   2000}),
    [](const testing::TestParamInfo<board_case>& info) { return info.param.name; });

TEST_F(GridPass, LookBackStopsWhenFewerThanThreeCellsRemainBeforeTheBoard) {
    build(100, {{10, board}, {3, signal}, {2, signal}});
    run();
    EXPECT_EQ(points(0, 10), std::vector<int>{1});  // for the signal in 3; 2 is not looked at
}

// A fast slowdown (no points inside) starting in cell i and ending two cells later.
std::vector<object> fast_slowdown(int i) {
    return {{i, start, 110}, {i + 2, end, 110}};
}

struct window_case {
    const char* name;
    int start_cell;
    std::vector<object> others;
    std::vector<int> points;
    std::int32_t codice = 0;
};

class WindowsAheadOfStarts : public GridPass, public testing::WithParamInterface<window_case> {};

TEST_P(WindowsAheadOfStarts, TakeTheFirstFreeCellOfEachWindow) {
    std::vector<object> objects = fast_slowdown(GetParam().start_cell);
    objects.insert(objects.end(), GetParam().others.begin(), GetParam().others.end());
    build(100, objects);
    run();
    EXPECT_EQ(points(0, GetParam().start_cell), GetParam().points);
    EXPECT_EQ(errors.codice_errore, GetParam().codice);
    if (GetParam().codice != 0) {
        EXPECT_EQ(errors.posizione_errore, GetParam().start_cell * 50);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WindowsAheadOfStarts,
    testing::Values(window_case{"StartInCell7GetsNone", 7, {}, {}},
                    window_case{"StartInCell8GetsTheFirstWindowOnly", 8, {}, {3}},
                    window_case{"StartInCell14GetsTwo", 14, {}, {3, 9}},
                    window_case{"StartInCell21GetsThree", 21, {}, {3, 10, 16}},
                    window_case{
                        "TakenCellPassesToTheNextOfItsWindow", 30, {{25, taken}}, {12, 19, 24}},
                    // Windows never update an existing point.
                    window_case{"WindowFullOfPointsGivesCode12",
                                30,
                                {{25, point, 120}, {24, point, 120}, {23, point, 120}},
                                {12, 19, 23, 24, 25},
                                12}),
    [](const testing::TestParamInfo<window_case>& info) { return info.param.name; });

TEST_F(GridPass, PointsOfEarlierVisitsAreSeenByLaterOnes) {
    std::vector<object> objects = fast_slowdown(30);
    const std::vector<object> second = fast_slowdown(36);
    objects.insert(objects.end(), second.begin(), second.end());
    build(100, objects);
    run();
    // The second start's middle window finds cell 25 taken by the first start's point.
    EXPECT_EQ(points(0, 40), (std::vector<int>{12, 18, 19, 24, 25, 31}));
    EXPECT_EQ(record.celle[25].dato1, 180);
}

struct inside_case {
    const char* name;
    std::int16_t speed;
    int end_cell;
    std::vector<int> taken_cells;
    std::vector<int> points;  // inside and just after the slowdown
    std::int32_t codice = 0;
    std::int32_t posizione = 0;
};

class PointsInsideSlowdowns : public GridPass, public testing::WithParamInterface<inside_case> {};

// A slowdown starting in cell 730.
TEST_P(PointsInsideSlowdowns, FallEightCellsApart) {
    std::vector<object> objects = {{730, start, GetParam().speed},
                                   {GetParam().end_cell, end, GetParam().speed}};
    for (const int cell : GetParam().taken_cells) {
        objects.push_back({cell, taken});
    }
    build(800, objects);
    run();
    EXPECT_EQ(points(731, 799), GetParam().points);
    EXPECT_EQ(errors.codice_errore, GetParam().codice);
    EXPECT_EQ(errors.posizione_errore, GetParam().posizione);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PointsInsideSlowdowns,
    testing::Values(
        inside_case{"EndReachedAtTheSeventhStepGetsNone", 80, 737, {}, {}},
        inside_case{"EndIn745GetsOneIn738", 80, 745, {}, {738}},
        inside_case{"EighthStepOnTheEndMovesBackOneCell", 80, 746, {}, {738, 745}},
        inside_case{
            "EighthStepOnTheEndWithTheCellBeforeTakenMovesPastIt", 80, 746, {745}, {738, 747}},
        inside_case{"EveryEighthCell", 80, 760, {}, {738, 746, 754}},
        inside_case{"PointMovedBackCountsFromItsCell", 80, 760, {746}, {738, 745, 753}},
        inside_case{"PointMovedOnCountsFromItsCell", 80, 760, {746, 745}, {738, 747, 755}},
        inside_case{"NoRoomGivesCode13AndEndsThePointsInside",
                    80,
                    760,
                    {745, 746, 747},
                    {738},
                    13,
                    746 * 50},
        inside_case{"At109KmhPointsInside", 109, 760, {}, {738, 746, 754}},
        inside_case{"At110KmhNone", 110, 760, {}, {}}),
    [](const testing::TestParamInfo<inside_case>& info) { return info.param.name; });

struct after_end_case {
    const char* name;
    std::int16_t speed;
    std::vector<object> others;
    std::vector<int> points;  // after the start
    std::int32_t codice = 0;
    std::int32_t posizione = 0;
};

class SearchAfterTheEnd : public GridPass, public testing::WithParamInterface<after_end_case> {};

// A slowdown from cell 730 to cell 737.
TEST_P(SearchAfterTheEnd, GivesTheFirstSignalWithin12CellsAPointAheadOfIt) {
    std::vector<object> objects = {{730, start, GetParam().speed}, {737, end, GetParam().speed}};
    objects.insert(objects.end(), GetParam().others.begin(), GetParam().others.end());
    build(800, objects);
    run();
    EXPECT_EQ(points(731, 799), GetParam().points);
    EXPECT_EQ(errors.codice_errore, GetParam().codice);
    EXPECT_EQ(errors.posizione_errore, GetParam().posizione);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchAfterTheEnd,
    testing::Values(
        after_end_case{"SignalTwelveCellsAfter", 80, {{749, signal}}, {748}},
        after_end_case{"SignalThirteenCellsAfterIsOutside", 80, {{750, signal}}, {}},
        after_end_case{"OnlyTheFirstSignal", 80, {{740, signal}, {745, signal}}, {739}},
        // The cell before the signal is the end itself: the point goes one cell further back.
        after_end_case{"SignalRightAfterTheEnd", 80, {{738, signal}}, {736}},
        after_end_case{"NoRoomGivesCode13AtTheEnd",
                       80,
                       {{745, signal}, {744, taken}, {743, taken}},
                       {},
                       13,
                       737 * 50},
        after_end_case{"FastSlowdownGetsTheSearchToo", 130, {{740, signal}}, {739}}),
    [](const testing::TestParamInfo<after_end_case>& info) { return info.param.name; });

// A slowdown whose end fell into its start cell leaves a start with no end after it.
TEST_F(GridPass, SlowSlowdownWithoutEndStopsAtTheLastCellWithCode13AtItsStart) {
    build(60, {{30, start, 50}});
    run();
    EXPECT_EQ(points(31, 60), (std::vector<int>{38, 46, 54}));
    EXPECT_EQ(errors.codice_errore, 13);
    EXPECT_EQ(errors.posizione_errore, 30 * 50);
    EXPECT_EQ(errors.errors().back().detail,
              "slowdown starting in cell 30: no end of slowdown follows up to the last cell, 60, "
              "so no point can be placed after its end");
}

TEST_F(GridPass, FastSlowdownWithoutEndGetsCode13AtItsStartAndNoPointAfterIt) {
    build(60, {{30, start, 120}, {35, signal}});
    run();
    EXPECT_EQ(points(31, 60), std::vector<int>{});
    EXPECT_EQ(errors.codice_errore, 13);
    EXPECT_EQ(errors.posizione_errore, 30 * 50);
}

TEST_F(GridPass, LookPastTheLastCellIsNeverMade) {
    // The eighth step lands on the last cell, 18, with 17 and 18 taken: there is no cell 19.
    build(18, {{10, start, 50}, {17, taken}, {18, taken}});
    run();
    ASSERT_EQ(errors.errors().size(), 2U);
    EXPECT_EQ(errors.errors()[0].posizione, 18 * 50);
    EXPECT_EQ(errors.errors()[1].posizione, 10 * 50);
    EXPECT_EQ(points(0, 18), std::vector<int>{5});
}

TEST_F(GridPass, SearchAfterAnEndNearTheLastCellStaysInTheGrid) {
    build(40, {{30, start, 130}, {38, end, 130}, {40, signal}});
    run();
    EXPECT_EQ(points(31, 40), std::vector<int>{39});
    EXPECT_EQ(errors.codice_errore, 0);
}

TEST_F(GridPass, OnlyCellsUpToTheThirdFromTheEndAreVisited) {
    // Cell 38 of 0..40 is visited: its board finds the signal in 37. Cell 39 is not: its
    // slowdown start gets no windows (cells 34, 28 and 21 stay free).
    build(40, {{37, signal}, {38, board}, {39, start, 130}, {40, end, 130}});
    run();
    EXPECT_EQ(points(0, 40), std::vector<int>{36});
    EXPECT_EQ(errors.codice_errore, 0);
}

// With the records that placed the grid's objects, an error of the pass stands at the record
// of the object concerned and names it by its position as written; the code and the position
// (the cell × 50) stay as they are, and a point takes the origin of what it was added for.
class GridPassWithOrigins : public GridPass {
  protected:
    void place(int cell, std::uint8_t tipo, const keyword& kind, source_file file, int line,
               std::int32_t position, std::int16_t dato1 = 0) {
        record.celle[cell].tipo = tipo;
        record.celle[cell].dato1 = dato1;
        origins.place(cell, {&kind, file, false, line, 1, position});
    }
    void run_with_origins() { run_grid_pass(record, errors, &origins); }

    record_origins origins;
};

TEST_F(GridPassWithOrigins, ErrorAheadOfASignalStandsAtTheSignalRecord) {
    make_grid(record, 120);
    origins.size_grid(record.celle.size());
    origins.set_path(source_file::line, "R_linea.txt");
    origins.set_path(source_file::train, "R_T-.txt");
    place(61, signal, keywords::segnale, source_file::train, 5, 3000);
    place(70, board, keywords::rallentamento, source_file::train, 6, 4650);
    place(59, kind::cartello_indicatore, keywords::cartello_indicatore, source_file::line, 7, 2900);
    place(60, kind::cartello_indicatore, keywords::cartello_indicatore, source_file::line, 6, 2950);
    run_with_origins();
    ASSERT_EQ(errors.errors().size(), 1U);
    const recorded_error& error = errors.errors().front();
    EXPECT_EQ(error.codice, 11);
    EXPECT_EQ(error.posizione, 61 * 50);
    EXPECT_EQ(error.where.file, "R_T-.txt");
    EXPECT_EQ(error.where.line, 5);
    EXPECT_EQ(
        error.detail,
        "the segnale record at 3000 m (cell 61) stands within 1000 m before the rallentamento "
        "record at 4650 m on line 6 (its warning board in cell 70): no free cell is left "
        "for the point ahead of the signal: cell 59 holds an indicator board (the cartello "
        "indicatore record at 2900 m on line 7 of R_linea.txt) and cell 60 an indicator "
        "board (the cartello indicatore record at 2950 m on line 6 of R_linea.txt)");
}

TEST_F(GridPassWithOrigins, SlowdownWithoutEndStandsAtItsRecordAndPointsTakeItsOrigin) {
    make_grid(record, 60);
    origins.size_grid(record.celle.size());
    origins.set_path(source_file::train, "R_T-.txt");
    place(30, start, keywords::rallentamento, source_file::train, 23, 1450, 50);
    run_with_origins();
    EXPECT_EQ(errors.codice_errore, 13);
    EXPECT_EQ(errors.posizione_errore, 30 * 50);
    EXPECT_EQ(errors.errors().back().where.line, 23);
    EXPECT_TRUE(errors.errors().back().detail.starts_with(
        "the rallentamento record at 1450 m (its start in cell 30): no end of slowdown follows"));
    const record_origin& added = origins.cell(38);
    EXPECT_EQ(record.celle[38].tipo, point);
    EXPECT_TRUE(added.added_by_grid_pass);
    EXPECT_EQ(added.line, 23);
    EXPECT_EQ(added.position, 1450);
}

}  // namespace
}  // namespace scenario
