// The plan held as its steps: the rows it computes, their tags, and the line file that is
// encoded from it a piece at a time.
#include "format/profile_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "format/compiled_files.h"
#include "format/scenario_record.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

// The plan computed row by row on a table, each step from the two rows stored before it: the
// way the plan is defined. The steps' walk must give the same doubles, bit for bit.
struct reference_run {
    std::int32_t last;
    bool arc;
    double k;
};

profilo_linea reference_plan(std::int32_t limite, std::initializer_list<reference_run> runs) {
    profilo_linea plan(limite);
    plan.set_intero(0, 0, 0);
    plan.set_intero(0, 1, 0);
    plan.set_intero(1, 0, 0);
    plan.set_intero(1, 1, 1);
    std::int32_t m = 2;
    for (const reference_run& run : runs) {
        for (; m <= run.last; ++m) {
            const double x1 = plan.valore(m - 1, 0);
            const double y1 = plan.valore(m - 1, 1);
            const double dx = x1 - plan.valore(m - 2, 0);
            const double dy = y1 - plan.valore(m - 2, 1);
            plan.set_reale(m, 0, run.arc ? x1 + (dx + run.k * dy) : x1 + dx);
            plan.set_reale(m, 1, run.arc ? y1 + (dy - run.k * dx) : y1 + dy);
        }
    }
    return plan;
}

profile_steps steps_of(std::int32_t limite, std::initializer_list<reference_run> runs) {
    profile_steps steps(limite);
    steps.set_start(0, 0, 0, 1);
    for (const reference_run& run : runs) {
        run.arc ? steps.add_arc_steps(run.last, run.k) : steps.add_straight_steps(run.last);
    }
    return steps;
}

// Straight stretches and arcs of every curvature, both ways, over more rows than one piece
// of the line file holds, ending two rows before the last.
constexpr std::int32_t long_limite = 60000;
const std::initializer_list<reference_run> long_runs = {
    {700, false, 0.0},    {800, true, -0.0002},  {5000, false, 0.0},    {5300, true, 0.003},
    {5301, true, -0.001}, {20000, false, 0.0},   {26000, true, 0.0001}, {26500, true, -0.002},
    {40000, false, 0.0},  {40400, true, 0.0004}, {59998, false, 0.0},
};

TEST(ProfileSteps, RowsAreTheDoublesOfTheStepByStepPlanBitForBit) {
    const profilo_linea expected = reference_plan(long_limite, long_runs);
    const profilo_linea table = steps_of(long_limite, long_runs).table();
    ASSERT_EQ(table.ultima_riga(), expected.ultima_riga());
    for (std::int32_t riga = 0; riga <= expected.ultima_riga(); ++riga) {
        for (int colonna = 0; colonna < 2; ++colonna) {
            ASSERT_EQ(table.tag(riga, colonna), expected.tag(riga, colonna)) << riga;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(table.valore(riga, colonna)),
                      std::bit_cast<std::uint64_t>(expected.valore(riga, colonna)))
                << "row " << riga << " column " << colonna;
        }
    }
}

TEST(ProfileSteps, LineFilePiecesCoverTheFileOfTheTableOnceEach) {
    const profile_steps steps = steps_of(long_limite, long_runs);
    const std::string expected = encode_line_file(reference_plan(long_limite, long_runs));
    ASSERT_GT(expected.size(), 4 * line_file_piece_bytes);

    line_file_encoder encoder(steps);
    ASSERT_EQ(encoder.file_bytes(), expected.size());
    std::string file(expected.size(), '\0');
    std::vector<int> written(expected.size(), 0);
    for (file_piece piece = encoder.next_piece(); !piece.bytes.empty();
         piece = encoder.next_piece()) {
        ASSERT_LE(piece.bytes.size(), line_file_piece_bytes);
        ASSERT_LE(piece.offset + piece.bytes.size(), file.size());
        for (std::size_t i = 0; i < piece.bytes.size(); ++i) {
            file[piece.offset + i] = piece.bytes[i];
            ++written[piece.offset + i];
        }
    }
    EXPECT_EQ(std::count(written.begin(), written.end(), 1),
              static_cast<std::ptrdiff_t>(file.size()));
    EXPECT_EQ(file, expected);
}

TEST(ProfileSteps, RowsBeyondTheStepsAreEmptyAndAnUnstartedPlanIsAllEmpty) {
    const profile_steps steps = steps_of(100, {{50, false, 0.0}});
    EXPECT_EQ(steps.tag(1, 0), profile_tag::intero);
    EXPECT_EQ(steps.tag(50, 1), profile_tag::reale);
    EXPECT_EQ(steps.tag(51, 0), profile_tag::vuoto);

    const profile_steps unstarted(100);
    EXPECT_EQ(unstarted.tag(0, 0), profile_tag::vuoto);
    EXPECT_EQ(encode_line_file(unstarted),
              std::string(std::size_t{2} * 101 * profile_tag_bytes, '\0'));
}

TEST(ProfileSteps, StepsStopAtTheLastRowAndARunThatMakesNoRowAddsNothing) {
    profile_steps steps(100);
    steps.set_start(0, 0, 0, 1);
    steps.add_straight_steps(10);
    steps.add_arc_steps(10, 0.001);  // no row left before 10
    EXPECT_EQ(steps.next_row(), 11);
    steps.add_straight_steps(500);
    EXPECT_EQ(steps.next_row(), 101);
    EXPECT_EQ(steps.table().valore(100, 1), 100.0);
}

TEST(ProfileSteps, WrittenLineFileHoldsEveryPieceInOrderInPlaceOfTheOldFile) {
    const testing_support::source_folder folder;
    folder.write("plan.dat", "an earlier file");
    const profile_steps steps = steps_of(30000, {{1000, true, 0.002}, {29998, false, 0.0}});
    ASSERT_TRUE(write_line_file(folder.file("plan.dat").string(), steps).ok());
    EXPECT_EQ(folder.read("plan.dat"), encode_line_file(steps.table()));
}

}  // namespace
}  // namespace scenario
