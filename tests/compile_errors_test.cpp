// Small broken scenarios compiled through the command line, one for each error code that a
// source can cause: the exit status, the code, its position and the line that the report
// points at. Errors found after the reading (the grid pass, the kilometre-reference check)
// stand at the record that placed the object concerned; a file at fault as a whole is named
// without a line.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/author_folder.h"

namespace scenario {
namespace {

using testing_support::author_compiled_files;
using testing_support::author_folder;
using testing_support::author_line_source;
using testing_support::author_train_source;
using testing_support::error_lines;

// A line of 10000 m: its grid ends at cell 340 and takes records up to 16900 m. The
// settings follow the length (line 3); the records start on the line after "[tracciato]".
std::vector<std::string> line_file(const std::vector<std::string>& records,
                                   const std::vector<std::string>& settings = {}) {
    std::vector<std::string> lines = {"Line", "[generale]", "lunghezza percorso, 10000"};
    lines.insert(lines.end(), settings.begin(), settings.end());
    lines.push_back("[tracciato]");
    lines.insert(lines.end(), records.begin(), records.end());
    lines.push_back("[fine]");
    return lines;
}

// A train whose records start on line 5.
std::vector<std::string> train_file(const std::vector<std::string>& records) {
    std::vector<std::string> lines = {"Train", "[generale]", "velocita' limite, 0, 100",
                                      "aderenza, 0, 100"};
    lines.insert(lines.end(), records.begin(), records.end());
    lines.push_back("[fine]");
    return lines;
}

// 78 indicator boards, from 2000 m every 100 m: they leave no item-table entry for stations.
std::vector<std::string> seventy_eight_boards() {
    std::vector<std::string> boards;
    boards.reserve(78);
    for (int board = 0; board < 78; ++board) {
        boards.push_back("cartello indicatore, " + std::to_string(2000 + 100 * board) + ", (b)");
    }
    return boards;
}

const std::string signal_at_1000 = "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0";

std::string station(int position, int type, int length) {
    return "stazione, " + std::to_string(position) + ", " + std::to_string(type) + ", " +
           std::to_string(length) + ", 0,0,0, 1,1,0, 4,1,1, 0, 0,0,0, A";
}

// Where the report places the error.
enum class place {
    line_record,   // R_linea.txt:LINE:
    train_record,  // R_T-.txt:LINE:
    line_file,     // R_linea.txt: (the whole file)
    nowhere,       // no location: no source line caused it
};

struct broken_case {
    const char* name;
    std::vector<std::string> line_lines;  // empty: no line file at all
    std::vector<std::string> train_lines;
    int exit_status;
    int code;
    std::optional<int> position;
    place where;
    int line = 0;
};

class BrokenSources : public testing::TestWithParam<broken_case> {};

std::string expected_start(const author_folder& folder, const broken_case& c) {
    std::string location;
    switch (c.where) {
        case place::line_record:
            location = folder.path_text(author_line_source) + ":" + std::to_string(c.line) + ": ";
            break;
        case place::train_record:
            location = folder.path_text(author_train_source) + ":" + std::to_string(c.line) + ": ";
            break;
        case place::line_file:
            location = folder.path_text(author_line_source) + ": ";
            break;
        case place::nowhere:
            break;
    }
    const std::string at = c.position ? " at " + std::to_string(*c.position) + " m" : "";
    return location + "error " + std::to_string(c.code) + at + ": ";
}

TEST_P(BrokenSources, ReportTheCodeWhereItAroseAndWriteTheFilesUnlessFatal) {
    const broken_case& c = GetParam();
    author_folder folder;
    if (!c.line_lines.empty()) {
        folder.write(author_line_source, testing_support::crlf_text(c.line_lines));
    }
    folder.write(author_train_source, testing_support::crlf_text(c.train_lines));

    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, c.exit_status) << result.standard_error;
    const std::vector<std::string> errors = error_lines(result.standard_error);
    if (c.code == 1250 || c.code == 1251) {
        EXPECT_TRUE(errors.empty()) << result.standard_error;
        EXPECT_NE(result.standard_error.find("\n Errore n. " + std::to_string(c.code) + "\n"),
                  std::string::npos)
            << result.standard_error;
    } else {
        ASSERT_FALSE(errors.empty()) << result.standard_error;
        // The last error printed is the final error state.
        EXPECT_TRUE(errors.back().starts_with(expected_start(folder, c)))
            << errors.back() << "\nexpected to start with: " << expected_start(folder, c);
    }
    for (const char* name : author_compiled_files) {
        EXPECT_EQ(folder.holds(name), c.exit_status == 1) << name;
    }
    if (!c.line_lines.empty()) {
        EXPECT_EQ(folder.read(author_line_source), testing_support::crlf_text(c.line_lines));
    }
    EXPECT_EQ(folder.read(author_train_source), testing_support::crlf_text(c.train_lines));
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, BrokenSources,
    testing::Values(
        broken_case{"LineLongerThan1000000IsFatal_1",
                    {"Line", "[generale]", "lunghezza percorso, 1000001", "[tracciato]"},
                    train_file({}),
                    2,
                    1,
                    std::nullopt,
                    place::line_record,
                    3},
        broken_case{"KilometreReferenceOffTheCells_2",
                    line_file({}, {"progressiva chilometrica uno, 0, 125, 0"}), train_file({}), 1,
                    2, std::nullopt, place::line_record, 4},
        broken_case{"CabSignalStartOffTheCells_3",
                    line_file({}, {"ripetizione segnali 4 codici, 4660, 9000"}), train_file({}), 1,
                    3, std::nullopt, place::line_record, 4},
        broken_case{"CabSignalEndOffTheCells_4",
                    line_file({}, {"ripetizione segnali 4 codici, 1000, 9025"}), train_file({}), 1,
                    4, std::nullopt, place::line_record, 4},
        broken_case{"CabSignalKeyWithoutCodeCount_5",
                    line_file({}, {"ripetizione segnali codici, 1000, 9000"}), train_file({}), 1, 5,
                    std::nullopt, place::line_record, 4},
        broken_case{"IndicatorBoardOnASpeedBoard_6",
                    line_file({"indicatori_vmax, 800, 100, 0, 0, 0, 100, 0, 0, 0",
                               "cartello indicatore, 800, (x)"}),
                    train_file({}), 1, 6, 800, place::line_record, 6},
        broken_case{"AbbattimentoOnASignal_7", line_file({}),
                    train_file({signal_at_1000, "abbattimento, 1050, 5"}), 1, 7, 1050,
                    place::train_record, 6},
        broken_case{"StationOffTheCells_8", line_file({}), train_file({station(1025, 2, 400)}), 1,
                    8, 1025, place::train_record, 5},
        broken_case{"StationLengthOffTheHundreds_9", line_file({}),
                    train_file({station(1000, 2, 450)}), 1, 9, 1000, place::train_record, 5},
        broken_case{"StationsMeetTheBoardTexts_10", line_file(seventy_eight_boards()),
                    train_file({station(1000, 2, 400)}), 1, 10, std::nullopt, place::train_record,
                    5},
        // Boards in cells 59 and 60 leave the signal in cell 61 no room for the point ahead
        // of it; the slowdown's warning board stands in cell 70.
        broken_case{"NoCellForThePointAheadOfASignal_11",
                    line_file({"cartello indicatore, 2950, (a)", "cartello indicatore, 2900, (b)"}),
                    train_file({"segnale, 3000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                                "rallentamento, 4650, 120, 100, 0, 0, 0"}),
                    1, 11, 3050, place::train_record, 5},
        // The slowdown starts in cell 29; boards fill its first window, cells 22 to 24.
        broken_case{"NoCellForAPointAheadOfASlowdown_12",
                    line_file({"cartello indicatore, 1050, (a)", "cartello indicatore, 1100, (b)",
                               "cartello indicatore, 1150, (c)"}),
                    train_file({"rallentamento, 1400, 120, 100, 0, 0, 0"}), 1, 12, 1450,
                    place::train_record, 5},
        // The slowdown ends in cell 31; the signal in cell 35 has boards in cells 33 and 34.
        broken_case{"NoCellForThePointAfterASlowdown_13",
                    line_file({"cartello indicatore, 1650, (a)", "cartello indicatore, 1600, (b)"}),
                    train_file({"rallentamento, 1400, 120, 100, 0, 0, 0",
                                "segnale, 1700, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"}),
                    1, 13, 1550, place::train_record, 5},
        broken_case{"LineRecordBeyondTheGrid_15", line_file({"pendenza, 16950, 0"}), train_file({}),
                    1, 15, 16950, place::line_record, 5},
        broken_case{"TrainRecordBeyondTheGrid_15", line_file({}),
                    train_file({"aderenza, 16950, 100"}), 1, 15, 16950, place::train_record, 5},
        broken_case{"SignalOnASignal_16", line_file({}),
                    train_file({signal_at_1000, signal_at_1000}), 1, 16, 1000, place::train_record,
                    6},
        broken_case{"WarningBoardOnASignal_17", line_file({}),
                    train_file({"segnale, 2800, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                                "rallentamento, 4000, 60, 100, 0, 0, 0"}),
                    1, 17, 4000, place::train_record, 6},
        broken_case{"SlowdownStartOnASignal_18", line_file({}),
                    train_file({"segnale, 4000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                                "rallentamento, 4000, 60, 100, 0, 0, 0"}),
                    1, 18, 4000, place::train_record, 6},
        broken_case{"SlowdownEndOnASignal_19", line_file({}),
                    train_file({"segnale, 4500, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
                                "rallentamento, 4000, 60, 500, 0, 0, 0"}),
                    1, 19, 4000, place::train_record, 6},
        // The warning board and the first of the four cells before it both round to cell 32.
        broken_case{"CellsBeforeTheWarningBoardTaken_20", line_file({}),
                    train_file({"rallentamento, 2775, 60, 100, 0, 1, 0"}), 1, 20, 2775,
                    place::train_record, 5},
        broken_case{"SpeedBoardOnAnIndicatorBoard_21",
                    line_file({"cartello indicatore, 800, (x)",
                               "indicatori_vmax, 800, 100, 0, 0, 0, 100, 0, 0, 0"}),
                    train_file({}), 1, 21, 800, place::line_record, 6},
        broken_case{"StationsTooClose_22", line_file({}),
                    train_file({station(1000, 2, 400), station(1400, 2, 400)}), 1, 22, 1400,
                    place::train_record, 6},
        broken_case{"StationEndingBefore100Metres_24", line_file({}),
                    train_file({station(0, 2, 0)}), 1, 24, std::nullopt, place::train_record, 5},
        broken_case{"NumberThatIsNotANumber_25", line_file({"pendenza, abc, 0"}), train_file({}), 1,
                    25, std::nullopt, place::line_record, 5},
        broken_case{"TrainFileEndingInsideARecord_25",
                    line_file({}),
                    {"Train", "[generale]", "segnale, 1000, 1"},
                    1,
                    25,
                    std::nullopt,
                    place::train_record,
                    3},
        // A missing line file (101) stops the compile command before it compiles: see
        // CompileInputs in file_faults_test.cpp.
        broken_case{"LineFileWithoutHeaderIsFatal_102",
                    {"Line", "lunghezza percorso, 10000", "[fine]"},
                    train_file({}),
                    2,
                    102,
                    std::nullopt,
                    place::line_file},
        broken_case{"CurveKeyWithoutDigit_103", line_file({"curvas, 1000, 100"}), train_file({}), 1,
                    103, std::nullopt, place::line_record, 5},
        broken_case{"SignalWithoutRoomForItsApproach_200", line_file({}),
                    train_file({"segnale, 100, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"}), 1, 200, 100,
                    place::train_record, 5},
        // Cell 1 takes the grid's format stamp in dato1 and the scenario code in dato2.
        broken_case{"IndicatorBoardInCell1IsFatal_1250", line_file({"cartello indicatore, 0, (x)"}),
                    train_file({}), 2, 1250, std::nullopt, place::nowhere},
        broken_case{"SlowdownWithAValueInCell1IsFatal_1251", line_file({}),
                    train_file({"rallentamento, 0, 0, 100, 0, 0, 5"}), 2, 1251, std::nullopt,
                    place::nowhere}),
    [](const testing::TestParamInfo<broken_case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
