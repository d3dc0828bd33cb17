// `compile` and `sources` as authors run them: the built-in sources compile to the built-in
// compiled files, the author's sources are only read, names that would leave the folder are
// refused, and the exit status tells written-with-errors from nothing-written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "support/author_folder.h"
#include "support/byte_compare.h"

namespace scenario {
namespace {

using testing_support::author_compiled_files;
using testing_support::author_folder;
using testing_support::author_line_source;
using testing_support::author_train_source;
using testing_support::read_text_file;
using testing_support::run_program;
using testing_support::same_bytes;
using testing_support::temporary_folder;

const char* const builtin_sources[] = {"Valdora_Rova_linea.txt", "Valdora_Rova_5284-.txt"};
const char* const builtin_compiled[] = {"Valdora_Rova_linea.dat", "Valdora_Rova_5284.sim",
                                        "Valdora_Rova_5284.dat"};

std::string expected_file(const std::string& name) {
    return read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name);
}

std::set<std::string> names_in(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The sources as `sources` writes them, with their bytes and times, before a compile.
struct source_snapshot {
    std::string bytes;
    std::filesystem::file_time_type written;
};

TEST(SourcesThenCompile, GiveTheBuiltinCompiledFilesAndLeaveTheSourcesAsTheyWere) {
    temporary_folder folder;
    const std::filesystem::path target = folder.path() / "new";
    const auto sources = run_program({"sources", "--dir", target.string()});
    ASSERT_EQ(sources.exit_status, 0) << sources.standard_error;
    EXPECT_EQ(names_in(target),
              (std::set<std::string>(std::begin(builtin_sources), std::end(builtin_sources))));
    std::vector<source_snapshot> before;
    for (const char* name : builtin_sources) {
        before.push_back(
            {read_text_file(target / name), std::filesystem::last_write_time(target / name)});
    }

    const auto result = run_program(
        {"compile", "--dir", target.string(), "--route", "Valdora_Rova", "--train", "5284"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.standard_error, "");
    for (const char* name : builtin_compiled) {
        EXPECT_TRUE(same_bytes(read_text_file(target / name), expected_file(name))) << name;
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        const std::filesystem::path source = target / builtin_sources[i];
        EXPECT_EQ(read_text_file(source), before[i].bytes) << builtin_sources[i];
        EXPECT_EQ(std::filesystem::last_write_time(source), before[i].written)
            << builtin_sources[i];
    }
    // The source files that the built-in build writes and then deletes are the same text.
    EXPECT_EQ(before[0].bytes, expected_file("Valdora_Rova_linea.txt"));
    EXPECT_EQ(before[1].bytes, expected_file("Valdora_Rova_5284-.txt"));
}

struct name_case {
    const char* name;
    const char* option;
    std::string value;
    const char* problem;
};

class RefusedNames : public testing::TestWithParam<name_case> {};

TEST_P(RefusedNames, AreAUsageErrorAndNothingIsRead) {
    const name_case& c = GetParam();
    author_folder folder;
    folder.write_sources({"[generale]", "lunghezza percorso, 1000", "[x]"}, {"[generale]"});
    std::vector<std::string> args = {"compile", "--dir", folder.string(), "--route", "R",
                                     "--train", "T"};
    args[std::string(c.option) == "--route" ? 4 : 6] = c.value;
    const auto result = run_program(args);
    EXPECT_EQ(result.exit_status, 64);
    EXPECT_TRUE(result.standard_error.starts_with(std::string("scenario-builder compile: ") +
                                                  c.option + " " + c.problem))
        << result.standard_error;
    EXPECT_EQ(names_in(folder.path()),
              (std::set<std::string>{author_line_source, author_train_source}));
}

INSTANTIATE_TEST_SUITE_P(
    Names, RefusedNames,
    testing::Values(
        name_case{"EmptyRoute", "--route", "", "is empty"},
        name_case{"EmptyTrain", "--train", "", "is empty"},
        name_case{"RouteWithSlash", "--route", "../R", "contains a path separator"},
        name_case{"TrainWithBackslash", "--train", "a\\b", "contains a path separator"},
        name_case{"RouteWithDotDot", "--route", "R..", "contains \"..\""},
        name_case{"TrainWithDotDot", "--train", "..", "contains \"..\""},
        name_case{"RouteWithTab", "--route", "R\tS", "contains a control character"},
        name_case{"TrainWithEscape", "--train", "T\x1b", "contains a control character"},
        name_case{"TrainWithDelete", "--train", "T\x7f", "contains a control character"},
        name_case{"TrainNamedLikeTheLineFile", "--train", "linea",
                  "linea: the grid file R_linea.dat would take the name of the "
                  "compiled line file"}),
    [](const testing::TestParamInfo<name_case>& info) { return std::string(info.param.name); });

const std::vector<std::string> small_line = {"[generale]", "lunghezza percorso, 5000",
                                             "[tracciato]", "pendenza, 0, 0", "[fine]"};
const std::vector<std::string> small_train = {"[generale]", "velocita' limite, 0, 100",
                                              "aderenza, 0, 100", "[fine]"};

// A source that is not there stops the compile before it writes anything: a mistyped train
// number must not leave files compiled without a train beside the author's real ones.
TEST(CompileCommand, MissingSourceStopsTheCompileBeforeAnythingIsWritten) {
    for (const char* missing : {author_train_source, author_line_source}) {
        author_folder folder;
        if (missing != author_line_source) {
            folder.write(author_line_source, testing_support::crlf_text(small_line));
        }
        if (missing != author_train_source) {
            folder.write(author_train_source, testing_support::crlf_text(small_train));
        }
        const auto result = folder.compile();
        EXPECT_EQ(result.exit_status, 2) << missing;
        EXPECT_EQ(result.standard_error,
                  "scenario-builder compile: nothing was written: cannot read " +
                      folder.path_text(missing) + ": No such file or directory\n");
        for (const char* name : author_compiled_files) {
            EXPECT_FALSE(folder.holds(name)) << name;
        }
    }
}

TEST(CompileCommand, ErrorLinesQuoteTheSourceWithACaretUnderTheField) {
    author_folder folder;
    folder.write_sources(
        {"[generale]", "lunghezza percorso, 5000", "[tracciato]", "pendenza,   12x, 0", "[fine]"},
        small_train);
    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.standard_error,
              folder.path_text(author_line_source) +
                  ":4: error 25: the pendenza record: expected a whole number, found \"12x\"\n"
                  "    pendenza,   12x, 0\n"
                  "                ^\n");
}

TEST(CompileCommand, EveryErrorIsPrintedInOrderAndTheLastIsTheFinalState) {
    author_folder folder;
    // A record beyond the grid in each file (15, and 15 again at its own position), then the
    // kilometre reference off the cells (2), checked at the end of the train file and told at
    // the setting that gave it.
    folder.write_sources(
        {"[generale]", "lunghezza percorso, 5000", "progressiva chilometrica uno, 0, 125, 0",
         "[tracciato]", "pendenza, 11950, 0", "[fine]"},
        {"[generale]", "aderenza, 12000, 100", "[fine]"});
    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, 1);
    const std::vector<std::string> errors = testing_support::error_lines(result.standard_error);
    ASSERT_EQ(errors.size(), 3u) << result.standard_error;
    EXPECT_TRUE(
        errors[0].starts_with(folder.path_text(author_line_source) + ":5: error 15 at 11950 m: "));
    EXPECT_TRUE(
        errors[1].starts_with(folder.path_text(author_train_source) + ":2: error 15 at 12000 m: "));
    EXPECT_EQ(errors[2], folder.path_text(author_line_source) +
                             ":3: error 2: the progressiva chilometrica uno setting (0, 125, 0): "
                             "125 is not a multiple of 50 m");
}

TEST(CompileCommand, WithoutTheLineAnEarlierLineFileIsLeftAlone) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
    const std::filesystem::path line_file = folder.path() / "Valdora_Rova_linea.dat";
    std::ofstream(line_file, std::ios::binary) << "earlier run";
    const auto result = run_program({"compile", "--dir", folder.string(), "--route", "Valdora_Rova",
                                     "--train", "5284", "--no-line"});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(read_text_file(line_file), "earlier run");
    // The plan does not enter the item and grid files.
    for (const char* name : {"Valdora_Rova_5284.sim", "Valdora_Rova_5284.dat"}) {
        EXPECT_TRUE(same_bytes(read_text_file(folder.path() / name), expected_file(name))) << name;
    }
}

TEST(CompileCommand, FileThatCannotBeWrittenStopsWithStatus2AndLeavesNoPartialFile) {
    author_folder folder;
    folder.write_sources(small_line, small_train);
    // A folder where the grid file must go cannot be replaced by a file.
    std::filesystem::create_directory(folder.file("R_T.dat"));
    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.standard_error.find("scenario-builder compile: cannot write " +
                                         folder.path_text("R_T.dat")),
              std::string::npos)
        << result.standard_error;
    for (const std::string& name : names_in(folder.path())) {
        EXPECT_EQ(name.find(".partial"), std::string::npos) << name;
    }
}

struct usage_case {
    const char* name;
    std::vector<std::string> args;
};

class UsageErrors : public testing::TestWithParam<usage_case> {};

TEST_P(UsageErrors, GetStatus64AndOneLineOnStandardError) {
    const auto result = run_program(GetParam().args);
    EXPECT_EQ(result.exit_status, 64);
    EXPECT_EQ(result.standard_output, "");
    EXPECT_TRUE(result.standard_error.starts_with("usage: scenario-builder"))
        << result.standard_error;
    EXPECT_EQ(std::count(result.standard_error.begin(), result.standard_error.end(), '\n'), 1)
        << result.standard_error;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageErrors,
    testing::Values(usage_case{"CompileWithoutTrain", {"compile", "--dir", ".", "--route", "R"}},
                    usage_case{"CompileWithUnknownFlag",
                               {"compile", "--dir", ".", "--route", "R", "--train", "T", "-x"}},
                    usage_case{"SourcesWithoutFolder", {"sources"}},
                    usage_case{"InspectWithoutFile", {"inspect"}},
                    usage_case{"InspectWithUnknownKind", {"inspect", "f", "--kind", "text"}},
                    usage_case{"InspectCsvWithSummary", {"inspect", "f.dat", "--csv", "--summary"}},
                    usage_case{"TwoCommands", {"sources", "--dir", ".", "compile"}}),
    [](const testing::TestParamInfo<usage_case>& info) { return std::string(info.param.name); });

// `check` tells what `compile` tells, with the same exit status, and leaves the folder as it
// was: no compiled file, no lock, no partial file.
TEST(Check, TellsWhatCompileTellsAndWritesNothing) {
    author_folder folder;
    folder.write_sources(
        {"[generale]", "lunghezza percorso, 5000", "[linea]", "pendenze, 300, 4", "[fine]"},
        {"[generale]", "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0",
         "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0", "[fine]"});
    const std::set<std::string> before = names_in(folder.path());
    const auto checked =
        run_program({"check", "--dir", folder.string(), "--route", "R", "--train", "T"});
    EXPECT_EQ(names_in(folder.path()), before);
    EXPECT_EQ(checked.exit_status, 1) << checked.standard_error;
    EXPECT_NE(checked.standard_error.find("[unread-key]"), std::string::npos)
        << checked.standard_error;
    EXPECT_NE(checked.standard_error.find("R_T-.txt:2: note: cell 21 holds what the segnale "
                                          "record at 1000 m placed"),
              std::string::npos)
        << checked.standard_error;

    const auto compiled = folder.compile();
    EXPECT_EQ(compiled.exit_status, checked.exit_status);
    EXPECT_EQ(compiled.standard_error, checked.standard_error);
    for (const char* name : author_compiled_files) {
        EXPECT_TRUE(folder.holds(name)) << name;
    }
}

TEST(Check, MissingSourceIsToldWithNothingWritten) {
    author_folder folder;
    folder.write(author_line_source, "[generale]\r\nlunghezza percorso, 5000\r\n[fine]\r\n");
    const auto checked =
        run_program({"check", "--dir", folder.string(), "--route", "R", "--train", "T"});
    EXPECT_EQ(checked.exit_status, 2);
    EXPECT_NE(checked.standard_error.find("R_T-.txt"), std::string::npos) << checked.standard_error;
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{author_line_source});
}

TEST(CommandLine, HelpForTheProgramAndEachCommandGoesToStandardOutput) {
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"build", "--help"},
                                               {"sources", "--help"},
                                               {"compile", "--help"},
                                               {"check", "--help"},
                                               {"inspect", "--help"}}) {
        const auto result = run_program(args);
        EXPECT_EQ(result.exit_status, 0) << args[0];
        EXPECT_NE(result.standard_output.find("Usage: scenario-builder"), std::string::npos)
            << result.standard_output;
        EXPECT_EQ(result.standard_error, "");
    }
    EXPECT_NE(run_program({"compile", "--help"}).standard_output.find("--no-line"),
              std::string::npos);
}

TEST(CommandLine, VersionNamesTheProgram) {
    const auto result = run_program({"--version"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_TRUE(result.standard_output.starts_with("scenario-builder ")) << result.standard_output;
}

}  // namespace
}  // namespace scenario
