// `check PATH...` over a generated collection: 210 scenarios in 70 folders, some broken in known
// ways (a misspelt keyword in a train file or in a line file that three trains share, a
// slowdown of length zero), checked through the real program. Every scenario's diagnostics,
// file and line, come out exactly as the mistakes put in; the counts and the exit status
// follow; every format says the same; the order is the same on one thread and on many; the
// SARIF log is valid against the SARIF 2.1.0 schema; and nothing is written into the tree.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <tuple>
#include <vector>

#include "support/author_folder.h"
#include "support/mistake_scenario.h"
#include "support/program_run.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;
using testing_support::changed;
using testing_support::clean_line_lines;
using testing_support::clean_train_lines;
using testing_support::crlf_text;
using testing_support::program_result;
using testing_support::run_program;
using testing_support::temporary_folder;

constexpr int folders = 70;
const std::vector<std::string> trains = {"101", "102", "103"};

// What one diagnostic must be: its file, line, severity and code.
using expected_diagnostic = std::tuple<std::string, int, std::string, std::string>;

struct expected_scenario {
    std::string folder;
    std::string route;
    std::string train;
    std::vector<expected_diagnostic> diagnostics;
    std::size_t errors = 0;
    std::size_t warnings = 0;
};

// The mistake of a train: which of them is decided by its number in the whole collection.
enum class train_mistake { none, misspelt_station, zero_length_slowdown };

train_mistake mistake_of(int index) {
    switch (index % 7) {
        case 4:
            return train_mistake::misspelt_station;
        case 5:
            return train_mistake::zero_length_slowdown;
        default:
            return train_mistake::none;
    }
}

// Every tenth folder has a misspelt gradient in its line file, which each of its trains meets.
bool line_misspelt(int folder) {
    return folder % 10 == 9;
}

class CheckCollection : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        root_ = new temporary_folder;
        expected_ = new std::vector<expected_scenario>;
        for (int folder = 0; folder < folders; ++folder) {
            char name[32];
            std::snprintf(name, sizeof name, "group_%03d", folder);
            const fs::path path = root_->path() / "routes" / name;
            fs::create_directories(path);
            const std::string route = "Lago" + std::to_string(folder % 5);
            std::vector<std::string> line = clean_line_lines();
            if (line_misspelt(folder)) {
                line = changed(line, {{15, {"pendneza  , 6000   , -3"}}});
            }
            const std::string line_file = (path / (route + "_linea.txt")).string();
            std::ofstream(line_file, std::ios::binary) << crlf_text(line);
            for (std::size_t t = 0; t < trains.size(); ++t) {
                const int index = folder * static_cast<int>(trains.size()) + static_cast<int>(t);
                const std::string train_file =
                    (path / (route + "_" + trains[t] + "-.txt")).string();
                expected_scenario expected{path.string(), route, trains[t], {}, 0, 0};
                if (line_misspelt(folder)) {
                    expected.diagnostics.emplace_back(line_file, 15, "warning", "unread-key");
                    ++expected.warnings;
                }
                std::vector<std::string> train = clean_train_lines();
                switch (mistake_of(index)) {
                    case train_mistake::misspelt_station:
                        train = changed(train, {{13,
                                                 {"stazoine,   4500,  2, 600,  0, 0, 1,   "
                                                  "1,1,0,  4,1,1, 60,  8,20, 0, PORTO"}}});
                        expected.diagnostics.emplace_back(train_file, 13, "warning", "unread-key");
                        ++expected.warnings;
                        break;
                    case train_mistake::zero_length_slowdown:
                        train = changed(train, {{16, {"rallentamento,   7000, 60, 0, 0, 1, 0"}}});
                        expected.diagnostics.emplace_back(train_file, 16, "error", "13");
                        ++expected.errors;
                        break;
                    case train_mistake::none:
                        break;
                }
                std::ofstream(train_file, std::ios::binary) << crlf_text(train);
                expected_->push_back(expected);
            }
        }
        // A file of no scenario, which the search passes over.
        std::ofstream(root_->path() / "routes" / "group_000" / "notes.txt") << "notes\n";
        // The order of the reports: by folder, then route, then train.
        std::sort(expected_->begin(), expected_->end(), [](const auto& a, const auto& b) {
            return std::tie(a.folder, a.route, a.train) < std::tie(b.folder, b.route, b.train);
        });
    }

    static void TearDownTestSuite() {
        delete expected_;
        delete root_;
    }

    static std::string routes() { return (root_->path() / "routes").string(); }

    static program_result check(std::vector<std::string> more) {
        std::vector<std::string> args = {"check", routes()};
        args.insert(args.end(), more.begin(), more.end());
        return run_program(args);
    }

    static std::size_t expected_count(std::size_t expected_scenario::*field) {
        std::size_t total = 0;
        for (const expected_scenario& scenario : *expected_) {
            total += scenario.*field;
        }
        return total;
    }

    static inline temporary_folder* root_ = nullptr;
    static inline std::vector<expected_scenario>* expected_ = nullptr;
};

TEST_F(CheckCollection, EveryDiagnosticStandsAtItsFileAndLine) {
    ASSERT_GE(expected_->size(), 200U);
    const program_result result = check({"--format", "json"});
    EXPECT_EQ(result.exit_status, 1) << result.standard_error;
    const json document = json::parse(result.standard_output);
    const json& scenarios = document["scenarios"];
    ASSERT_EQ(scenarios.size(), expected_->size());
    for (std::size_t index = 0; index < expected_->size(); ++index) {
        const expected_scenario& expected = (*expected_)[index];
        const json& scenario = scenarios[index];
        SCOPED_TRACE(expected.folder + " " + expected.route + " " + expected.train);
        EXPECT_EQ(scenario["folder"], expected.folder);
        EXPECT_EQ(scenario["route"], expected.route);
        EXPECT_EQ(scenario["train"], expected.train);
        std::vector<expected_diagnostic> found;
        for (const json& told : scenario["diagnostics"]) {
            found.emplace_back(told["file"], told["line"], told["severity"], told["code"]);
        }
        EXPECT_EQ(found, expected.diagnostics);
        EXPECT_EQ(scenario["errors"], expected.errors);
        EXPECT_EQ(scenario["warnings"], expected.warnings);
        EXPECT_EQ(scenario["failed"], expected.errors > 0);
    }
    const json& totals = document["totals"];
    EXPECT_EQ(totals["scenarios"], expected_->size());
    EXPECT_EQ(totals["errors"], expected_count(&expected_scenario::errors));
    EXPECT_EQ(totals["warnings"], expected_count(&expected_scenario::warnings));
    EXPECT_EQ(document["exit_status"], 1);
}

TEST_F(CheckCollection, TextReportsEachScenarioThenTheTotalInTheSameOrderOnAnyNumberOfThreads) {
    const program_result one = check({"--jobs", "1"});
    const program_result many = check({"--jobs", "3"});
    EXPECT_EQ(one.exit_status, 1);
    EXPECT_EQ(many.exit_status, 1);
    EXPECT_EQ(one.standard_output, many.standard_output);

    std::string lines;
    std::size_t failed = 0;
    std::size_t with_warnings = 0;
    for (const expected_scenario& scenario : *expected_) {
        const auto counted = [](std::size_t n, const char* noun) {
            return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
        };
        lines += scenario.folder + "/" + scenario.route + "_" + scenario.train +
                 "-.txt: " + counted(scenario.errors, "error") + ", " +
                 counted(scenario.warnings, "warning") + "\n";
        failed += scenario.errors > 0 ? 1 : 0;
        with_warnings += scenario.errors == 0 && scenario.warnings > 0 ? 1 : 0;
    }
    // Only the lines of the scenarios and the total, without the quoted diagnostics.
    std::string scenario_lines;
    std::string last;
    for (std::size_t at = 0; at < one.standard_output.size();) {
        const std::size_t end = one.standard_output.find('\n', at);
        const std::string line = one.standard_output.substr(at, end - at);
        if (line.find(" error") != std::string::npos && line.find("-.txt: ") != std::string::npos) {
            scenario_lines += line + "\n";
        }
        last = line;
        at = end + 1;
    }
    EXPECT_EQ(scenario_lines, lines);
    const std::size_t clean = expected_->size() - failed - with_warnings;
    EXPECT_EQ(last, "check: " + std::to_string(expected_->size()) + " scenarios, " +
                        std::to_string(clean) + " clean, " + std::to_string(with_warnings) +
                        " with warnings, " + std::to_string(failed) + " failed; " +
                        std::to_string(expected_count(&expected_scenario::errors)) + " errors, " +
                        std::to_string(expected_count(&expected_scenario::warnings)) + " warnings");
}

TEST_F(CheckCollection, GithubAnnotatesEveryDiagnostic) {
    const program_result result = check({"--format", "github"});
    EXPECT_EQ(result.exit_status, 1);
    std::vector<std::string> annotations;
    std::vector<std::string> expected;
    for (const expected_scenario& scenario : *expected_) {
        for (const auto& [file, line, level, code] : scenario.diagnostics) {
            std::string annotation = "::";
            annotation.append(level).append(" file=").append(file);
            annotation.append(",line=").append(std::to_string(line));
            expected.push_back(annotation);
        }
    }
    for (std::size_t at = 0; at < result.standard_output.size();) {
        const std::size_t end = result.standard_output.find('\n', at);
        const std::string line = result.standard_output.substr(at, end - at);
        if (line.starts_with("::")) {
            annotations.push_back(line.substr(0, line.find(",col=")));
        }
        at = end + 1;
    }
    EXPECT_EQ(annotations, expected);
}

TEST_F(CheckCollection, SarifIsValidAgainstTheSchema) {
    const program_result result = check({"--format", "sarif"});
    EXPECT_EQ(result.exit_status, 1);
    const json log = json::parse(result.standard_output);
    EXPECT_EQ(log["runs"][0]["results"].size(), expected_count(&expected_scenario::errors) +
                                                    expected_count(&expected_scenario::warnings));
    const fs::path file = root_->path() / "check.sarif";
    std::ofstream(file) << result.standard_output;
    const program_result valid =
        testing_support::run_program_at(SCENARIO_SARIF_VALIDATOR, {file.string()});
    fs::remove(file);
    EXPECT_EQ(valid.exit_status, 0) << valid.standard_output << valid.standard_error;
    EXPECT_NE(valid.standard_output.find("valid SARIF 2.1.0"), std::string::npos)
        << valid.standard_output;
}

TEST_F(CheckCollection, WritesNothingIntoTheTree) {
    // Each file and folder with its size and the time of its last change.
    const auto snapshot = [] {
        std::map<std::string, std::tuple<long long, long long, long long>> files;
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(routes())) {
            struct stat status {};
            ::stat(entry.path().c_str(), &status);
            files[entry.path().string()] = {status.st_size, status.st_mtim.tv_sec,
                                            status.st_mtim.tv_nsec};
        }
        return files;
    };
    const auto before = snapshot();
    ASSERT_GT(before.size(), expected_->size());
    for (const char* format : {"text", "json", "sarif", "github"}) {
        EXPECT_EQ(check({"--format", format}).exit_status, 1) << format;
    }
    EXPECT_EQ(snapshot(), before);
}

// The exit status of a run over a part of the collection: a folder whose scenarios have only
// warnings, one with errors, and either with a path that does not exist.
struct status_case {
    const char* name;
    std::vector<std::string> paths;  // under routes/
    std::vector<std::string> options;
    int exit_status;
};

class CheckStatus : public CheckCollection, public ::testing::WithParamInterface<status_case> {};

TEST_P(CheckStatus, EndsWithTheStatusOfTheWorstFinding) {
    std::vector<std::string> args = {"check"};
    for (const std::string& path : GetParam().paths) {
        args.push_back(routes() + "/" + path);
    }
    args.insert(args.end(), GetParam().options.begin(), GetParam().options.end());
    const program_result result = run_program(args);
    EXPECT_EQ(result.exit_status, GetParam().exit_status)
        << result.standard_output << result.standard_error;
}

// group_000: trains 0-2, clean. group_001: trains 3-5, a misspelt station (4) and a slowdown
// of length zero (5). group_009: 27-29, the line misspelt and nothing else in the trains.
INSTANTIATE_TEST_SUITE_P(
    Paths, CheckStatus,
    ::testing::Values(status_case{"Clean", {"group_000"}, {}, 0},
                      status_case{"WarningsOnly", {"group_009"}, {}, 0},
                      status_case{"WarningsWithWerror", {"group_009"}, {"--werror"}, 1},
                      status_case{"CleanWithWerror", {"group_000"}, {"--werror"}, 0},
                      status_case{"Errors", {"group_001"}, {}, 1},
                      status_case{"ATrainSource", {"group_001/Lago1_101-.txt"}, {}, 0},
                      status_case{"ALineSource", {"group_001/Lago1_linea.txt"}, {}, 1},
                      status_case{"MissingPath", {"group_000", "no_such_folder"}, {}, 2},
                      status_case{"MissingPathBeforeErrors", {"no_such", "group_001"}, {}, 2},
                      status_case{"NotASource", {"group_000/notes.txt"}, {}, 2}),
    [](const ::testing::TestParamInfo<status_case>& info) { return info.param.name; });

// Command lines that `check` does not understand: usage errors, nothing checked.
TEST(CheckCommandLine, RefusesWhatItCannotRun) {
    const std::vector<std::vector<std::string>> refused = {
        {"check"},
        {"check", ".", "--dir", ".", "--route", "R", "--train", "T"},
        {"check", "--dir", ".", "--route", "R"},
        {"check", "--route", "R", "--train", "T"},
        {"check", ".", "--format", "xml"},
        {"check", ".", "--jobs", "0"},
        {"compile", "--dir", ".", "--route", "R", "--train", "T", "--format", "yaml"},
    };
    for (const std::vector<std::string>& args : refused) {
        const program_result result = run_program(args);
        EXPECT_EQ(result.exit_status, 64) << args.size() << " " << result.standard_error;
        EXPECT_EQ(result.standard_output, "");
    }
}

// `compile --format` writes the compiled files as always and reports in the format asked for.
TEST(CompileFormat, ReportsTheOneScenarioInTheFormatAskedFor) {
    testing_support::author_folder folder;
    folder.write_sources(
        clean_line_lines(),
        changed(clean_train_lines(), {{16, {"rallentamento,   7000, 60, 0, 0, 1, 0"}}}));
    const program_result result = folder.compile({"--format", "json"});
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.standard_error, "");
    const json document = json::parse(result.standard_output);
    ASSERT_EQ(document["scenarios"].size(), 1U);
    const json& told = document["scenarios"][0]["diagnostics"];
    ASSERT_EQ(told.size(), 1U);
    EXPECT_EQ(told[0]["code"], "13");
    EXPECT_EQ(told[0]["line"], 16);
    EXPECT_EQ(told[0]["file"], folder.path_text("R_T-.txt"));
    EXPECT_TRUE(folder.holds("R_T.sim"));

    const program_result github = folder.compile({"--format", "github"});
    EXPECT_EQ(github.exit_status, 1);
    EXPECT_TRUE(github.standard_output.starts_with("::error file=" + folder.path_text("R_T-.txt") +
                                                   ",line=16,"))
        << github.standard_output;
}

}  // namespace
}  // namespace scenario
