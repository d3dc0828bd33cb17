// What the warnings promise: they change no compiled byte and no exit status, the value a
// warning says is stored is the value stored, and input without quirks (the built-in scenario
// above all) gets no warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/byte_compare.h"
#include "support/program_run.h"
#include "support/warning_sources.h"

namespace scenario {
namespace {

using testing_support::compiled_names;
using testing_support::count_of;
using testing_support::plain_train_lines;
using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::same_bytes;
using testing_support::scenario_sources;
using testing_support::temporary_folder;

std::vector<std::string> train_with(std::vector<std::string> more) {
    std::vector<std::string> lines = plain_train_lines();
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

const std::string origin = "stazione, 0, 8, 400, 1, 0, 0, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN";

// A quirk and the plain input that the warning says it is compiled as.
struct equivalence_case {
    const char* name;
    scenario_sources quirk;
    scenario_sources plain;
    // The one warning that the plain input gives too, when what the quirk compiles to is
    // itself worth a word ("[speed-value]"); none for the others.
    const char* plain_warning = nullptr;

    friend void PrintTo(const equivalence_case& c, std::ostream* out) { *out << c.name; }
};

const equivalence_case equivalence_cases[] = {
    {"GradientWrapsAsSaid", {{"pendenza, 300, 160"}}, {{"pendenza, 300, -96"}}},
    {"GradientInTakenCellStartsWhereSaid",
     {{"pendenza, 300, 4", "pendenza, 320, 0"}},
     {{"pendenza, 300, 4", "pendenza, 350, 0"}}},
    {"CoveredCurveAddsNothing",
     {{"curvas3, 3000, 400", "curvad3, 3100, 300"}},
     {{"curvas3, 3000, 400"}}},
    {"MountainOutOfOrderIsKindThree",
     {{"montagna, 5000, 5400, 1", "montagna, 4000, 4400, 2"}},
     {{"montagna, 4000, 4400, 3", "montagna, 5000, 5400, 1"}}},
    {"ThirdCommentIsTheRecord",
     {{"- one", "- two", "- the montagna, 6000, 6200, 1"}},
     {{"- one", "- two", "montagna, 6000, 6200, 1"}}},
    {"SpeedRoundsAsSaid",
     {{}, train_with({"velocita' limite, 2760, 97"})},
     {{}, train_with({"velocita' limite, 2760, 95"})}},
    {"SpeedOutOfOrderStartsWhereSaid",
     {{}, train_with({"velocita' limite, 2760, 95", "velocita' limite, 1000, 50"})},
     {{}, train_with({"velocita' limite, 2760, 95", "velocita' limite, 2800, 50"})}},
    // A speed of 0 from position 0: the plain input is told as such.
    {"LateSeriesStartsAtZero",
     {{}, {"aderenza, 0, 100", "velocita' limite, 2760, 95"}},
     {{}, {"aderenza, 0, 100", "velocita' limite, 0, 0", "velocita' limite, 2760, 95"}},
     "[speed-value]"},
    {"AdherenceWrapsAsSaid",
     {{}, train_with({"aderenza, 1000, 300"})},
     {{}, train_with({"aderenza, 1000, 44"})}},
    {"ShortWaitingTimeIs101",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 50"})},
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 101"})}},
    {"LongWaitingTimeKeepsItsLowByte",
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 400"})},
     {{}, train_with({"segnale, 1000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 144"})}},
    {"IgnoredWaitingTimeIsZero",
     {{}, train_with({"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 180"})},
     {{}, train_with({"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"})}},
    {"ClearedFlagsAreZero",
     {{},
      train_with({"stazione, 0, 8, 600, 1, 1, 0, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN",
                  "stazione, 3000, 2, 500, 0, 1, 0, 1,1,0, 4,1,1, 0, 8,24, 0, B",
                  "stazione, 5000, 7, 400, 0, 0, 1, 1,1,0, 4,1,1, 0, 8,30, 0, C"})},
     {{},
      train_with({"stazione, 0, 8, 600, 1, 0, 0, 4,0,0, 2,1,0, 1, 8,15, 0, ORIGIN",
                  "stazione, 3000, 2, 500, 0, 0, 0, 1,1,0, 4,1,1, 0, 8,24, 0, B",
                  "stazione, 5000, 7, 400, 0, 0, 0, 1,1,0, 4,1,1, 0, 8,30, 0, C"})}},
    {"TimeOutsideTheClockIsStoredAsSaid",
     {{}, train_with({origin, "stazione, 3000, 2, 600, 0, 0, 0, 1,1,0, 4,1,1, 0, 8,75, 0, B"})},
     {{}, train_with({origin, "stazione, 3000, 2, 600, 0, 0, 0, 1,1,0, 4,1,1, 0, 9,15, 0, B"})}},
};

struct compiled_scenario {
    std::string files[3];
    std::string standard_error;
};

compiled_scenario compile_in_new_folder(const scenario_sources& sources) {
    temporary_folder folder;
    testing_support::write_sources(folder.path(), sources);
    const auto result = testing_support::compile_sources(folder.path());
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    compiled_scenario compiled;
    for (int i = 0; i < 3; ++i) {
        compiled.files[i] = read_text_file(folder.path() / compiled_names[i]);
    }
    compiled.standard_error = result.standard_error;
    return compiled;
}

class WarnedInput : public testing::TestWithParam<equivalence_case> {};

TEST_P(WarnedInput, CompilesAsTheWarningSays) {
    const equivalence_case& c = GetParam();
    const compiled_scenario quirk = compile_in_new_folder(c.quirk);
    const compiled_scenario plain = compile_in_new_folder(c.plain);
    EXPECT_NE(quirk.standard_error.find(": warning: "), std::string::npos);
    if (c.plain_warning == nullptr) {
        EXPECT_EQ(plain.standard_error, "");
    } else {
        EXPECT_EQ(testing_support::count_of(plain.standard_error, ": warning: "), 1u);
        EXPECT_NE(plain.standard_error.find(c.plain_warning), std::string::npos)
            << plain.standard_error;
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(plain.files[i].empty()) << compiled_names[i];
        EXPECT_TRUE(same_bytes(quirk.files[i], plain.files[i])) << compiled_names[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Quirks, WarnedInput, testing::ValuesIn(equivalence_cases),
                         [](const testing::TestParamInfo<equivalence_case>& info) {
                             return std::string(info.param.name);
                         });

TEST(CompileWarnings, WerrorChangesTheStatusButNotTheCompiledFiles) {
    temporary_folder folder;
    testing_support::write_sources(
        folder.path(),
        {{"pendenza, 300, 160", "curvas3, 3000, 400", "curvad3, 2000, 100"},
         train_with({"velocita' limite, 2760, 97", "segnale, 1000, 3, 12, 1, 0, 10, 0, 0, 0, 0, 50",
                     origin, "stazione, 3000, 7, 400, 0, 1, 1, 4,0,0, 2,1,0, 1, 8,10, 0, B"})});
    const auto lenient = testing_support::compile_sources(folder.path());
    ASSERT_EQ(lenient.exit_status, 0) << lenient.standard_error;
    EXPECT_GE(count_of(lenient.standard_error, ": warning: "), 8u) << lenient.standard_error;
    std::string first[3];
    for (int i = 0; i < 3; ++i) {
        first[i] = read_text_file(folder.path() / compiled_names[i]);
        std::filesystem::remove(folder.path() / compiled_names[i]);
    }

    const auto strict = testing_support::compile_sources(folder.path(), /*werror=*/true);
    EXPECT_EQ(strict.exit_status, 1);
    EXPECT_EQ(strict.standard_error, lenient.standard_error);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(same_bytes(read_text_file(folder.path() / compiled_names[i]), first[i]))
            << compiled_names[i];
    }
}

TEST(CompileWarnings, BuiltinSourcesCompileWithoutWarning) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const auto result = run_program({"compile", "--dir", folder.string(), "--route", "Valdora_Rova",
                                     "--train", "5284", "--werror"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.standard_error, "");
}

// The edges of the quirks: input next to each one that is compiled as written.
TEST(CompileWarnings, InputCompiledAsWrittenGetsNoWarning) {
    const scenario_sources quiet_cases[] = {
        // An arc that starts inside the previous one is only shortened, as in the built-in line.
        {{"curvas3, 3000, 400", "curvad3, 3300, 200", "curvas3, 3500, 100"}},
        // Gradients in neighbouring cells; a first gradient in cell 0.
        {{"pendenza, 0, 2", "pendenza, 300, 4", "pendenza, 350, 0"}},
        {{"montagna, 4000, 4400, 2", "montagna, 4500, 4600, 1"}},
        {{"indicatori_vmax, 2500, 495, 0, 5, 9, 0, 495, 100, 9"}},
        // Three comments without a keyword; two comments before a record.
        {{"- one", "- two", "- three", "- four", "- five", "pendenza, 300, 4"}},
        {{}, {"aderenza, 25, 100", "velocita' limite, 20, 100"}},
        {{},
         train_with({"- a station", "- and a signal", "- the columns",
                     "segnale, 1000, 2, 9, 9, 9, 9, 2, 9, 9, 9, 101",
                     "segnale, 2000, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0",
                     "segnale, 3000, 2, 4, 1, 0, 0, 2, 2, 1, 0, 255"})},
        // Untimed stations between timed ones, each time one that the run can keep; a long
        // station keeps its tab, a centred one mar.
        {{},
         train_with({origin, "stazione, 3000, 2, 600, 0, 1, 1, 1,1,0, 4,1,1, 0, 0,0, 0, B",
                     "stazione, 5000, 4, 400, 0, 0, 1, 1,1,0, 4,1,1, 0, 8,25, 0, C",
                     "stazione, 7000, 4, 400, 0, 0, 0, 1,1,0, 4,1,1, 0, 23,59, 59, D"})},
    };
    for (const scenario_sources& sources : quiet_cases) {
        temporary_folder folder;
        testing_support::write_sources(folder.path(), sources);
        const auto result = testing_support::compile_sources(folder.path(), /*werror=*/true);
        EXPECT_EQ(result.exit_status, 0) << result.standard_error;
        EXPECT_EQ(result.standard_error, "");
    }
}

}  // namespace
}  // namespace scenario
