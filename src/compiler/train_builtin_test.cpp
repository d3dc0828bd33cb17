#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/grid_pass.h"
#include "source/builtin_train.h"
#include "support/train_test_support.h"

namespace scenario {
namespace {

using test_support::dump;
using test_support::train_fixture;

// The built-in train file over an empty grid of the built-in line's size, with the three
// indicator boards of the built-in line leaving entry 77 as the next board entry.
class BuiltInTrain : public testing::Test {
  protected:
    BuiltInTrain() : f(test_support::builtin_ultima_cella, 77) {}
    void read() { f.read_content(compose_line_table(builtin_train_table())); }

    std::vector<int> cells_of_kind(std::uint8_t tipo) {
        std::vector<int> found;
        for (int i = 0; i <= test_support::builtin_ultima_cella; ++i) {
            if (f.cell(i).tipo == tipo) {
                found.push_back(i);
            }
        }
        return found;
    }

    train_fixture f;
};

TEST_F(BuiltInTrain, ReadsWithoutErrorAndDeletesTheFile) {
    read();
    EXPECT_EQ(f.codice(), 0);
    EXPECT_TRUE(f.context.errors.errors().empty());
    EXPECT_FALSE(f.train_file_exists());
}

TEST_F(BuiltInTrain, GeneralValues) {
    read();
    EXPECT_EQ(dump(f.entry(84)), "valore1 120 valore3 6");
    EXPECT_EQ(dump(f.entry(86)), "numero1 300 numero3 13 numero4 24 numero5 40");
}

TEST_F(BuiltInTrain, SixteenStationsInEntries1To16) {
    read();
    for (int k = 1; k <= 16; ++k) {
        EXPECT_FALSE(f.entry(k).testo.empty()) << "entry " << k;
    }
    EXPECT_EQ(dump(f.entry(17)), "-");
    EXPECT_EQ(dump(f.entry(1)),
              "tipo 8 valore1 -400 valore2 400 stato 1 'VALDORA S.M.N.' numero1 4 numero3 2 "
              "numero4 1 extra2 1 valore4 48300");
    EXPECT_EQ(f.entry(2).valore1, 2450);
    EXPECT_EQ(f.entry(2).valore2, 3100);
    EXPECT_EQ(f.entry(16).testo, "ROVA C.le");
    EXPECT_EQ(f.entry(16).valore4, (14 * 60 + 29) * 60);
}

TEST_F(BuiltInTrain, StationEndsForAllButTheFourType28Stations) {
    read();
    // Stations 4, 6, 11 and 14 are of type 28.
    EXPECT_EQ(cells_of_kind(kind::fine_stazione),
              (std::vector<int>{7, 61, 153, 324, 554, 681, 872, 991, 1233, 1369, 1467, 1623}));
    EXPECT_EQ(f.cell(7).dato1, 1);
    EXPECT_EQ(f.cell(61).dato1, 2);
    EXPECT_EQ(f.cell(1623).dato1, 16);
    for (const int approach : {6, 5, 4, 3}) {
        EXPECT_EQ(f.cell(approach).extra2, 81 + (6 - approach)) << "cell " << approach;
    }
}

TEST_F(BuiltInTrain, SpeedAndAdherenceSeries) {
    read();
    struct stretch {
        int first;
        int last;
        int speed_fifth;
    };
    // 30 km/h from 0 m, 115 from 500 m, 95 from 2760 m (cell 55), ... 130 from 70650 m to
    // the tail; the last three cells keep 0.
    for (const stretch& s : {stretch{0, 9, 6}, stretch{10, 54, 23}, stretch{55, 147, 19},
                             stretch{1413, 1777, 26}, stretch{1778, 1780, 0}}) {
        for (int i = s.first; i <= s.last; ++i) {
            ASSERT_EQ(f.cell(i).extra4, s.speed_fifth) << "cell " << i;
        }
    }
    for (int i = 0; i <= test_support::builtin_ultima_cella; ++i) {
        ASSERT_EQ(f.cell(i).extra6, i <= 1777 ? 100 : 0) << "cell " << i;
    }
}

TEST_F(BuiltInTrain, SignalsAndSlowdownsCellByCell) {
    read();
    EXPECT_EQ(cells_of_kind(kind::segnale).size(), 42U);
    EXPECT_EQ(dump(f.cell(21)), "tipo 1 dato1 40 dato2 10 dato4 3 extra4 23 extra6 100");
    for (const int approach : {19, 17, 15, 13}) {
        EXPECT_EQ(f.cell(approach).extra2, 31 + (19 - approach) / 2) << "cell " << approach;
    }
    EXPECT_EQ(f.cell(1051).extra1, 240);  // the signal at 52500 m
    EXPECT_EQ(cells_of_kind(kind::fine_rallentamento), (std::vector<int>{737, 1500}));
    EXPECT_EQ(cells_of_kind(kind::inizio_rallentamento), (std::vector<int>{731, 1498}));
    EXPECT_EQ(cells_of_kind(kind::avviso_rallentamento), (std::vector<int>{707, 1474}));
    EXPECT_EQ(cells_of_kind(kind::prima_dell_avviso),
              (std::vector<int>{703, 704, 705, 706, 1470, 1471, 1472, 1473}));
    EXPECT_EQ(f.cell(737).dato2, 80);
    EXPECT_EQ(f.cell(1500).dato3, 1);
}

TEST_F(BuiltInTrain, GridPassAddsOnlyTheWindowPointsAheadOfBothSlowdowns) {
    // No signal stands within 20 cells before either warning board, nor within 12 cells
    // after either end, and both slowdowns are too short for a point inside.
    read();
    run_grid_pass(f.context.record, f.context.errors);
    EXPECT_EQ(cells_of_kind(kind::abbattimento_con_valore),
              (std::vector<int>{713, 720, 726, 1480, 1487, 1493}));
    EXPECT_EQ(f.codice(), 0);
}

TEST_F(BuiltInTrain, AfterCode15FromTheLineFileStopsAtTheFirstSlowdown) {
    f.context.errors.record(error_code::beyond_grid, 88950, source_point{"line", 1, 1},
                            "beyond the grid");
    read();
    EXPECT_EQ(f.codice(), 15);
    EXPECT_EQ(f.posizione(), 36500);
    EXPECT_EQ(cells_of_kind(kind::inizio_rallentamento), std::vector<int>{731});
    EXPECT_EQ(cells_of_kind(kind::segnale), std::vector<int>{});
    EXPECT_EQ(f.entry(16).testo, "ROVA C.le");
    EXPECT_FALSE(f.train_file_exists());
}

}  // namespace
}  // namespace scenario
