// The compile command's warnings: input that the formats accept but that is most likely a
// mistake, because it is compiled into something other than what it says. Each case gives
// one small scenario with one such quirk, the line the warning points at and a phrase of its
// message; warnings leave the exit status alone unless --werror is given.
#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"
#include "support/warning_sources.h"

namespace scenario {
namespace {

using testing_support::first_record_line;
using testing_support::first_train_line;
using testing_support::plain_train_lines;
using testing_support::scenario_sources;
using testing_support::temporary_folder;

enum class source { line, train };

struct warning_case {
    const char* name;
    scenario_sources sources;
    source file;
    int index;  // of the record (line file) or line (train file) warned about
    const char* phrase;
    int status = 0;  // without --werror

    friend void PrintTo(const warning_case& c, std::ostream* out) { *out << c.name; }
};

// The warning lines of the compile's output (the source line and caret that follow each are
// left out).
std::vector<std::string> warning_lines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream text(output);
    for (std::string line; std::getline(text, line);) {
        if (line.find(": warning: ") != std::string::npos) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> train_with(std::vector<std::string> more) {
    std::vector<std::string> lines = plain_train_lines();
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string origin = "stazione, 0, 8, 400, 1, 0, 0, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN";

const warning_case warning_cases[] = {
    // Line file.
    {"GradientOutsideItsByteWraps",
     {{"pendenza, 300, 160"}},
     source::line,
     0,
     "the pendenza record at 300 m: gradient 160 lies outside -100 to 155 per mille; it is stored "
     "as -96"},
    {"GradientOutOfOrderStartsLate",
     {{"pendenza, 800, 4", "pendenza, 500, 0"}},
     source::line,
     1,
     "the pendenza record at 500 m comes after the one at 800 m: the cells are filled in file "
     "order, so "
     "gradient 0 takes effect only from cell 17 (850 m), not cell 10"},
    {"GradientsInOneCellShiftTheSecond",
     {{"pendenza, 300, 4", "pendenza, 320, 0"}},
     source::line,
     1,
     "falls in cell 6, which the records before it have already filled"},
    {"GradientInCellZeroReplacesTheOneBefore",
     {{"pendenza, 0, 4", "pendenza, 20, 2"}},
     source::line,
     1,
     "replaces before that one fills any cell"},
    {"CurveOutOfOrderAddsNothing",
     {{"curvas3, 3000, 400", "curvad3, 2000, 100"}},
     source::line,
     1,
     "the curva record at 2000 m comes after the curve at 3000 m: the plan is drawn in file order "
     "and has "
     "already reached metre 3400, so this arc adds nothing"},
    {"CurveOutOfOrderIsDrawnInPart",
     {{"curvas3, 3000, 400", "curvad3, 2000, 1500"}},
     source::line,
     1,
     "so only metres 3401 to 3500 are drawn as this arc"},
    {"CurveWithinThePreviousArcAddsNothing",
     {{"curvas3, 3000, 400", "curvad3, 3100, 300"}},
     source::line,
     1,
     "the curva record at 3100 m lies within the arc before it"},
    {"MountainOutOfOrderBecomesKindThree",
     {{"montagna, 5000, 5400, 1", "montagna, 4000, 4400, 2"}},
     source::line,
     1,
     "the montagna record at 4000 m comes after the stretch at 5000 m: list the stretches in "
     "increasing "
     "order of position; beginning no more than 150 m after that stretch's end, it counts as "
     "continuing it and its kind 2 becomes 3"},
    {"BoardSpeedNotMultipleOfFive",
     {{"indicatori_vmax, 2500, 90, 95, 100, 0, 90, 97, 100, 0"}},
     source::line,
     0,
     "the indicatori_vmax record at 2500 m: vbd 97 km/h is not a multiple of 5 from 0 to 495"},
    {"BoardSpeedOf500",
     {{"indicatori_vmax, 2500, 500, 95, 100, 0, 0, 0, 0, 0"}},
     source::line,
     0,
     "vas 500 km/h is not a multiple of 5 from 0 to 495"},
    {"BoardStripesBeyondOneDigit",
     {{"indicatori_vmax, 2500, 90, 95, 100, 12, 90, 95, 100, 0"}},
     source::line,
     0,
     "strisces 12 is not a stripe count from 0 to 9"},
    {"ThirdCommentInLineFileIsReadAsRecord",
     {{"- one", "- two", "- the montagna, 6000, 6200, 1"}},
     source::line,
     2,
     "a third comment line in a row is not passed over but read as a record: it holds "
     "\"montagna\", so it is read as a montagna record"},

    // Train file: the series.
    {"SpeedNotMultipleOfFive",
     {{}, train_with({"velocita' limite, 2760, 97"})},
     source::train,
     2,
     "the velocita' limite record at 2760 m: 97 km/h is not a multiple of 5; it is stored as 95 "
     "km/h"},
    {"SpeedSeriesStartingLateLeavesZero",
     {{}, {"aderenza, 0, 100", "velocita' limite, 2760, 95"}},
     source::train,
     1,
     "the velocita' limite record at 2760 m is the first of its series: cells 0 to 54 (up to 2750 "
     "m) get "
     "0 km/h; start the series at position 0"},
    {"AdherenceSeriesStartingLateLeavesZero",
     {{}, {"velocita' limite, 0, 100", "aderenza, 100, 90"}},
     source::train,
     1,
     "the aderenza record at 100 m is the first of its series: cells 0 to 1 (up to 100 m) get "
     "adherence 0"},
    {"SpeedOutOfOrderStartsLate",
     {{}, train_with({"velocita' limite, 2760, 95", "velocita' limite, 1000, 50"})},
     source::train,
     3,
     "the velocita' limite record at 1000 m comes after the one at 2760 m: the cells are filled in "
     "file order, so "
     "50 km/h takes effect only from cell 56 (2800 m), not cell 20"},
    {"AdherenceInTheSameCellShiftsIt",
     {{}, train_with({"aderenza, 500, 90", "aderenza, 520, 80"})},
     source::train,
     3,
     "the aderenza record at 520 m falls in cell 10, which the records before it have already "
     "filled: the "
     "cells are filled in file order, so adherence 80 takes effect only from cell 11 (550 m)"},
    {"AdherenceOutsideItsByteWraps",
     {{}, train_with({"aderenza, 1000, 300"})},
     source::train,
     2,
     "the aderenza record at 1000 m: 300 is outside 0 to 255; only its low 8 bits are kept: it is "
     "stored "
     "as 44"},

    // Train file: signals.
    {"SignalKindOutsideItsRange",
     {{}, train_with({"segnale, 1000, 3, 4, 1, 0, 0, 2, 2, 1, 0, 0"})},
     source::train,
     2,
     "the segnale record at 1000 m: sx 3 is outside 0 to 2, so the code rapp x 10 + sx x 3 + dx, "
     "stored as "
     "11, no longer tells them apart"},
    {"SignalRappOutsideItsRange",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 12, 2, 2, 1, 0, 0"})},
     source::train,
     2,
     "rapp 12 is outside 0 to 9, so the code rapp x 10 + sx x 3 + dx, stored as 128"},
    {"SignalValueOutsideOneDigit",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 10, 0, 0"})},
     source::train,
     2,
     "d2 10 is outside 0 to 9, so the value s2 x 10 + d2, stored as 20, no longer tells the two "
     "apart"},
    {"ShortWaitingTimeIsRaisedTo101",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 50"})},
     source::train,
     2,
     "the segnale record at 1000 m: waiting time 50 is below 101; it is raised to 101"},
    {"WaitingTimeBeyond255KeepsItsLowByte",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 300"})},
     source::train,
     2,
     "waiting time 300 is outside 0 to 255; only its low 8 bits are kept: it is stored as 44"},
    {"WaitingTimeOnSignalOfOtherKindIsIgnored",
     {{}, train_with({"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 180"})},
     source::train,
     2,
     "waiting time 180 is ignored: only a signal whose sx is 2 keeps one (this one has sx 1)"},

    // Train file: stations.
    {"TabOnShortStationIsCleared",
     {{}, train_with({origin, "stazione, 3000, 2, 500, 0, 1, 0, 1,1,0, 4,1,1, 0, 8,24, 0, B"})},
     source::train,
     3,
     "the stazione record at 3000 m: tab 1 is stored as 0: a station shorter than 600 m keeps no "
     "tab flag "
     "(this one is 500 m)"},
    {"TabOnFirstStationIsCleared",
     {{}, train_with({"stazione, 0, 8, 600, 1, 1, 0, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN"})},
     source::train,
     2,
     "the stazione record at 0 m: tab 1 is stored as 0: the first station keeps no tab flag"},
    {"MarOnTypeSevenIsCleared",
     {{}, train_with({origin, "stazione, 3000, 7, 400, 0, 0, 1, 1,1,0, 4,1,1, 0, 8,24, 0, B"})},
     source::train,
     3,
     "the stazione record at 3000 m: mar 1 has no effect and is stored as 0: a station of type 7 "
     "has no "
     "centred area for it to lengthen"},
    {"MarOnFirstStationIsCleared",
     {{}, train_with({"stazione, 1000, 2, 400, 1, 0, 1, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN"})},
     source::train,
     2,
     "mar 1 lengthens the first station's area by 50 m but is stored as 0"},
    {"StationTimeOutsideTheClock",
     {{}, train_with({origin, "stazione, 3000, 2, 600, 0, 0, 0, 1,1,0, 4,1,1, 0, 8,75, 0, B"})},
     source::train,
     3,
     "the stazione record at 3000 m: the time 8:75:0 is not a time of day (hours 0 to 23, minutes "
     "and seconds "
     "0 to 59); it is stored as 33300 s, that is 9:15:00"},
    {"TimetableRunningBackward",
     {{}, train_with({origin, "stazione, 3000, 2, 600, 0, 0, 0, 1,1,0, 4,1,1, 0, 8,10, 0, B"})},
     source::train,
     3,
     "the stazione record at 3000 m (B): its time 8:10:00 is earlier than 8:15:00 at the station "
     "at 0 m "
     "(ORIGIN)"},
    {"StationsOutOfOrder",
     {{},
      train_with({"stazione, 5000, 2, 400, 0, 0, 0, 4,0,0, 2,1,0, 1, 0,0, 0, A",
                  "stazione, 1000, 2, 400, 0, 0, 0, 4,0,0, 2,1,0, 1, 0,0, 0, B"})},
     source::train,
     3,
     "the stazione record at 1000 m comes after the station at 5000 m: list the stations in "
     "increasing "
     "order of position",
     1},
    {"ThirdCommentInTrainFileIsReadAsRecord",
     {{}, train_with({"- one", "- two", "- the segnale, 3000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 0"})},
     source::train,
     4,
     "a third comment line in a row is not passed over but read as a record: it holds "
     "\"segnale\", so it is read as a segnale record"},
};

class CompileWarning : public testing::TestWithParam<warning_case> {};

TEST_P(CompileWarning, PointsAtTheLineAndLeavesTheStatusUnlessWerror) {
    const warning_case& c = GetParam();
    temporary_folder folder;
    testing_support::write_sources(folder.path(), c.sources);

    const auto result = testing_support::compile_sources(folder.path());
    EXPECT_EQ(result.exit_status, c.status) << result.standard_error;
    const bool in_line = c.file == source::line;
    const std::string where =
        folder.string() + (in_line ? "/R_linea.txt:" : "/R_T-.txt:") +
        std::to_string(c.index + (in_line ? first_record_line : first_train_line)) + ": warning: ";
    // One quirk, one warning: nothing else in the scenario may be warned about.
    const std::vector<std::string> warnings = warning_lines(result.standard_error);
    ASSERT_EQ(warnings.size(), 1u) << result.standard_error;
    EXPECT_TRUE(warnings[0].starts_with(where)) << warnings[0];
    EXPECT_NE(warnings[0].find(c.phrase), std::string::npos) << warnings[0];

    const auto strict = testing_support::compile_sources(folder.path(), /*werror=*/true);
    EXPECT_EQ(strict.exit_status, 1);
}

INSTANTIATE_TEST_SUITE_P(Quirks, CompileWarning, testing::ValuesIn(warning_cases),
                         [](const testing::TestParamInfo<warning_case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace scenario
