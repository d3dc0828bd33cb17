#include <gtest/gtest.h>

#include <string>

#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump;
using test_support::dump_occupied;
using test_support::train_fixture;

// A station record at pos with the given type, length and mar; the other columns set.
std::string station(std::int32_t pos, int tipo, std::int32_t lung, int mar = 0, int tab = 1) {
    return "stazione, " + std::to_string(pos) + ", " + std::to_string(tipo) + ", " +
           std::to_string(lung) + ", 0, " + std::to_string(tab) + ", " + std::to_string(mar) +
           ", 1,1,0, 4,1,1, 0, 0,0,0, X";
}

// A first station far from the others that leaves no cell: type 28, area -100 to 100.
const std::string first_without_cells = station(0, 28, 200);

TEST(Station, BuiltInFirstTwoStationsFillTheirEntriesAndCells) {
    train_fixture f;
    f.read({"stazione,      0,  8, 400,  1, 0, 0,   4,0,0,  2,1,0,  1, 13,25, 0, VALDORA S.M.N.",
            "Stazione,   2750,  2, 600,  0, 0, 1,   1,1,0,  4,1,1, 60, 13,32, 0, VALDORA RIFREDI"});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(dump(f.entry(1)),
              "tipo 8 valore1 -400 valore2 400 stato 1 'VALDORA S.M.N.' numero1 4 numero3 2 "
              "numero4 1 extra2 1 valore4 48300");
    EXPECT_EQ(dump(f.entry(2)),
              "tipo 2 valore1 2450 valore2 3100 valore3 2750 'VALDORA RIFREDI' numero1 1 "
              "numero2 1 numero3 4 numero4 1 numero5 1 extra2 60 extra3 1 valore4 48720");
    EXPECT_EQ(dump_occupied(f.context.record),
              "3: extra2 84\n"
              "4: extra2 83\n"
              "5: extra2 82\n"
              "6: extra2 81\n"
              "7: tipo 10 dato1 1\n"
              "57: extra2 84\n"
              "58: extra2 83\n"
              "59: extra2 82\n"
              "60: extra2 81\n"
              "61: tipo 10 dato1 2\n");
    EXPECT_EQ(dump(f.entry(3)), "-");
}

TEST(Station, FirstStationLosesMarAndTabAfterItsAreaIsSet) {
    train_fixture f;
    f.read({station(1000, 2, 600, 1, 1), station(5000, 2, 600, 1, 1), station(9000, 2, 500, 1, 1)});
    EXPECT_EQ(f.entry(1).valore2, 1350);  // 50 m more for mar
    EXPECT_EQ(f.entry(1).extra3, 0);
    EXPECT_EQ(f.entry(1).extra4, 0);
    EXPECT_EQ(f.entry(2).extra3, 1);
    EXPECT_EQ(f.entry(2).extra4, 1);
    EXPECT_EQ(f.entry(3).extra4, 0);  // shorter than 600 m
}

struct area_case {
    const char* name;
    int tipo;
    int mar;
    std::int32_t valore1;
    std::int32_t valore2;
    int extra3;
    const char* cells;
};

class StationAreas : public testing::TestWithParam<area_case> {};

// Station 2 at 5000 m, 400 m long, after a first station that leaves no cell.
TEST_P(StationAreas, FollowTheType) {
    train_fixture f;
    f.read({first_without_cells, station(5000, GetParam().tipo, 400, GetParam().mar)});
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(f.entry(2).valore1, GetParam().valore1);
    EXPECT_EQ(f.entry(2).valore2, GetParam().valore2);
    EXPECT_EQ(f.entry(2).extra3, GetParam().extra3);
    EXPECT_EQ(dump_occupied(f.context.record), GetParam().cells);
}

INSTANTIATE_TEST_SUITE_P(
    Types, StationAreas,
    testing::Values(area_case{"Type5EndsAt150WithoutApproachCodes", 5, 1, 4600, 5150, 0,
                              "102: tipo 10 dato1 2\n"},
                    area_case{"Type6LikeType5", 6, 0, 4600, 5150, 0, "102: tipo 10 dato1 2\n"},
                    area_case{"Type7ReachesALengthEitherSide", 7, 1, 4600, 5400, 0,
                              "103: extra2 84\n104: extra2 83\n105: extra2 82\n106: extra2 81\n"
                              "107: tipo 10 dato1 2\n"},
                    area_case{"Type8LikeType7", 8, 0, 4600, 5400, 0,
                              "103: extra2 84\n104: extra2 83\n105: extra2 82\n106: extra2 81\n"
                              "107: tipo 10 dato1 2\n"},
                    area_case{"CentredArea", 2, 0, 4800, 5200, 0,
                              "99: extra2 84\n100: extra2 83\n101: extra2 82\n102: extra2 81\n"
                              "103: tipo 10 dato1 2\n"},
                    area_case{"CentredAreaLongerByMar", 24, 1, 4800, 5250, 1,
                              "100: extra2 84\n101: extra2 83\n102: extra2 82\n103: extra2 81\n"
                              "104: tipo 10 dato1 2\n"},
                    area_case{"Type25AndAboveHaveNoCells", 25, 0, 4800, 5200, 0, ""},
                    area_case{"Type28HasNoCells", 28, 1, 4800, 5250, 1, ""}),
    [](const testing::TestParamInfo<area_case>& info) { return info.param.name; });

TEST(Station, EndAndApproachCellsAreWrittenWhateverTheyHold) {
    train_fixture f;
    f.cell(7).tipo = kind::segnale;
    f.cell(6).tipo = kind::indicatore_v_max;
    f.read({station(0, 8, 400)});
    EXPECT_EQ(dump(f.cell(7)), "tipo 10 dato1 1");
    EXPECT_EQ(dump(f.cell(6)), "tipo 6 extra2 81");
}

TEST(Station, ApproachCodesOnlyAbove1) {
    // Area -300..300: end q = 5, approach q = 4, 3, 2, 1; the last one is not above 1.
    train_fixture f;
    f.read({station(0, 2, 600)});
    EXPECT_EQ(dump_occupied(f.context.record),
              "2: extra2 83\n3: extra2 82\n4: extra2 81\n5: tipo 10 dato1 1\n");
}

struct station_error_case {
    const char* name;
    std::string second_station;
    std::int32_t codice;
    std::int32_t posizione;  // 777 when left unchanged
};

class StationErrors : public testing::TestWithParam<station_error_case> {};

TEST_P(StationErrors, EndTheReadingWithTheirCode) {
    train_fixture f;
    f.context.errors.posizione_errore = 777;
    f.read({station(0, 8, 400), GetParam().second_station, "sabbia, 1"});
    EXPECT_EQ(f.codice(), GetParam().codice);
    EXPECT_EQ(f.posizione(), GetParam().posizione);
    EXPECT_EQ(f.entry(86).numero1, GetParam().codice == 0 ? 1 : 0);
    EXPECT_FALSE(f.train_file_exists());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StationErrors,
    testing::Values(
        station_error_case{"PositionOffTheCellBoundary", station(1025, 2, 400), 8, 1025},
        station_error_case{"LengthNotAMultipleOf100", station(5000, 2, 450), 9, 5000},
        // Area 700..1300 begins 300 m after the first station's end at 400.
        station_error_case{"TooCloseToThePreviousStation", station(1000, 2, 600), 22, 1000},
        station_error_case{"TooCloseEvenWithoutCells", station(1000, 28, 600), 22, 1000},
        station_error_case{"JustFarEnough", station(1050, 2, 600), 0, 777}),
    [](const testing::TestParamInfo<station_error_case>& info) { return info.param.name; });

TEST(Station, WhatWasReadBeforeAnErrorStaysInTheEntry) {
    train_fixture f;
    f.read({station(5000, 12, 450)});
    EXPECT_EQ(f.codice(), 9);
    EXPECT_EQ(dump(f.entry(1)), "tipo 12 valore3 5000");
}

TEST(Station, CellsComeBeforeTheSpacingTest) {
    train_fixture f;
    f.read({station(0, 8, 400), station(1000, 2, 600)});
    EXPECT_EQ(f.codice(), 22);
    EXPECT_EQ(dump(f.cell(25)), "tipo 10 dato1 2");
}

TEST(Station, AreaEndingAt100MetresOrBeforeGivesCode24WithoutPosition) {
    train_fixture f;
    f.context.errors.posizione_errore = 777;
    f.read({station(0, 2, 200)});  // area -100..100: q = 1
    EXPECT_EQ(f.codice(), 24);
    EXPECT_EQ(f.posizione(), 777);
    EXPECT_EQ(dump_occupied(f.context.record), "");
    EXPECT_EQ(f.entry(1).valore2, 100);
}

struct capacity_case {
    const char* name;
    std::int32_t e;
    int stations;
    std::int32_t codice;
};

class StationCapacity : public testing::TestWithParam<capacity_case> {};

// Stations fill entries from 1 upward and stop below the lowest indicator board's entry.
TEST_P(StationCapacity, StationsStopBelowTheIndicatorBoards) {
    train_fixture f(test_support::builtin_ultima_cella, GetParam().e);
    std::string content = "[generale]\r\n";
    for (int k = 0; k < GetParam().stations; ++k) {
        content += station(500 * k, 28, 100) + "\r\n";
    }
    f.read_content(content + "[fine]\r\n");
    EXPECT_EQ(f.codice(), GetParam().codice);
    EXPECT_EQ(f.entry(GetParam().stations).valore3, 500 * (GetParam().stations - 1));
    EXPECT_EQ(f.entry(GetParam().stations + 1).valore3, 0);
}

INSTANTIATE_TEST_SUITE_P(Boards, StationCapacity,
                         testing::Values(capacity_case{"ThreeBoardsHold75", 77, 75, 0},
                                         capacity_case{"ThreeBoardsRefuseThe76th", 77, 76, 10},
                                         capacity_case{"NoBoardsHold78", 80, 78, 0},
                                         capacity_case{"NoBoardsRefuseThe79th", 80, 79, 10}),
                         [](const testing::TestParamInfo<capacity_case>& info) {
                             return info.param.name;
                         });

TEST(Station, Code10KeepsThePositionAndNamesTheLimit) {
    train_fixture f(test_support::builtin_ultima_cella, 2);
    f.context.errors.posizione_errore = 777;
    f.read({station(0, 28, 100)});
    EXPECT_EQ(f.codice(), 10);
    EXPECT_EQ(f.posizione(), 777);
    EXPECT_EQ(
        f.context.errors.errors().back().detail,
        "the stazione record at 0 m is station 1: with 78 indicator boards the item table holds at "
        "most 0 stations");
}

struct no_room_case {
    const char* name;
    std::string record;
    std::int32_t e;
    std::int32_t posizione;
};

class StationWithoutRoom : public testing::TestWithParam<no_room_case> {};

TEST_P(StationWithoutRoom, IsRefusedWithCode200AndLeavesItsEntryAsItWas) {
    train_fixture f(test_support::builtin_ultima_cella, GetParam().e);
    f.entry(1).testo = "kept";
    f.read({GetParam().record});
    EXPECT_EQ(f.codice(), 200);
    EXPECT_EQ(f.posizione(), GetParam().posizione);
    EXPECT_EQ(dump(f.entry(1)), "'kept'");
    EXPECT_EQ(dump_occupied(f.context.record), "");
    EXPECT_FALSE(f.train_file_exists());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StationWithoutRoom,
    testing::Values(
        // Area 86000..90000: the end cell nearest(1799) lies beyond the last cell, 1780.
        no_room_case{"EndCellBeyondTheGrid", station(88000, 8, 2000), 80, 88000},
        no_room_case{"AreaBeyond32Bits", station(1000, 7, 2147483600), 80, 1000},
        no_room_case{"NegativePosition", station(-1000, 28, 400), 80, -1000},
        no_room_case{"BoardsFillTheWholeTable", station(1000, 28, 400), 0, 1000}),
    [](const testing::TestParamInfo<no_room_case>& info) { return info.param.name; });

TEST(Station, LongStationWhoseEndCellIsTheLastFits) {
    train_fixture f;
    f.read({station(88000, 8, 1000)});  // end cell nearest(89000 / 50 - 1) = 1779
    EXPECT_EQ(f.codice(), 0);
    EXPECT_EQ(f.cell(1779).tipo, kind::fine_stazione);
}

}  // namespace
}  // namespace scenario
