// No input file, however malformed, makes the program crash, hang or read out of bounds:
// the built-in sources and compiled files, cut short and damaged in many ways, go through
// `compile` and `inspect`, which must end with one of their own exit statuses. Under the
// sanitizer build any out-of-bounds access aborts the program and fails the test.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "support/author_folder.h"

namespace scenario {
namespace {

using testing_support::author_folder;
using testing_support::author_line_source;
using testing_support::author_train_source;
using testing_support::program_result;
using testing_support::read_text_file;
using testing_support::run_program;

std::string data_file(const std::string& name) {
    return read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name);
}

// A run that hangs is stopped and shows as status 124.
constexpr const char* time_limit = "timeout 120";

bool ended_by_itself(const program_result& result) {
    return result.exit_status == 0 || result.exit_status == 1 || result.exit_status == 2;
}

// Versions of a text: cut at evenly spaced places, and with single damages at places drawn
// from a fixed seed, so that every run tries the same ones.
std::vector<std::string> damaged_versions(const std::string& text, int cuts, int damages) {
    std::vector<std::string> versions;
    versions.reserve(static_cast<std::size_t>(cuts));
    for (int cut = 0; cut < cuts; ++cut) {
        versions.push_back(text.substr(
            0, text.size() * static_cast<std::size_t>(cut) / static_cast<std::size_t>(cuts)));
    }
    std::mt19937 draw(20240501);
    const std::vector<std::string> damages_made = {
        "",           ",", "-",           "\r\n", "99999999999", std::string(1, '\0'),
        "[generale]", "x", "-2147483648", "\xff"};
    for (int damage = 0; damage < damages; ++damage) {
        std::string version = text;
        const std::size_t at = draw() % version.size();
        const std::string& put = damages_made[draw() % damages_made.size()];
        version.replace(at, 1 + draw() % 6, put);
        versions.push_back(version);
    }
    return versions;
}

TEST(MalformedSources, EndTheCompileWithItsOwnStatus) {
    const std::string line = data_file("Valdora_Rova_linea.txt");
    const std::string train = data_file("Valdora_Rova_5284-.txt");
    ASSERT_FALSE(line.empty() || train.empty());
    author_folder folder;
    int runs = 0;
    for (const std::string& damaged : damaged_versions(line, 12, 24)) {
        folder.write(author_line_source, damaged);
        folder.write(author_train_source, train);
        // Every fourth run builds the plan too: curves are read only then.
        const bool with_plan = runs++ % 4 == 0;
        const auto result = run_program({"compile", "--dir", folder.string(), "--route", "R",
                                         "--train", "T", with_plan ? "--werror" : "--no-line"},
                                        time_limit);
        EXPECT_TRUE(ended_by_itself(result)) << result.exit_status << " on\n"
                                             << damaged << "\n"
                                             << result.standard_error;
    }
    folder.write(author_line_source, line);
    for (const std::string& damaged : damaged_versions(train, 12, 24)) {
        folder.write(author_train_source, damaged);
        const auto result = run_program(
            {"compile", "--dir", folder.string(), "--route", "R", "--train", "T", "--no-line"},
            time_limit);
        EXPECT_TRUE(ended_by_itself(result)) << result.exit_status << " on\n"
                                             << damaged << "\n"
                                             << result.standard_error;
    }
}

TEST(MalformedSources, PipesAndFoldersAreRefusedRatherThanWaitedOn) {
    author_folder folder;
    folder.write(author_line_source, data_file("Valdora_Rova_linea.txt"));
    ASSERT_EQ(::mkfifo(folder.file(author_train_source).c_str(), 0600), 0);
    const auto train = run_program(
        {"compile", "--dir", folder.string(), "--route", "R", "--train", "T", "--no-line"},
        time_limit);
    EXPECT_EQ(train.exit_status, 2);
    EXPECT_EQ(train.standard_error, "scenario-builder compile: nothing was written: cannot read " +
                                        folder.path_text(author_train_source) +
                                        ": not a regular file\n");

    std::filesystem::remove(folder.file(author_line_source));
    std::filesystem::create_directory(folder.file(author_line_source));
    const auto line = run_program(
        {"compile", "--dir", folder.string(), "--route", "R", "--train", "T"}, time_limit);
    EXPECT_EQ(line.exit_status, 2);
    EXPECT_EQ(line.standard_error, "scenario-builder compile: nothing was written: cannot read " +
                                       folder.path_text(author_line_source) + ": Is a directory\n");

    const auto inspected = run_program(
        {"inspect", folder.path_text(author_train_source), "--kind", "grid"}, time_limit);
    EXPECT_EQ(inspected.exit_status, 2);
    EXPECT_EQ(inspected.standard_error, "scenario-builder inspect: cannot read " +
                                            folder.path_text(author_train_source) +
                                            ": not a regular file\n");
}

TEST(MalformedCompiledFiles, EndTheInspectionWithItsOwnStatus) {
    author_folder folder;
    for (const char* name : {"Valdora_Rova_5284.sim", "Valdora_Rova_5284.dat"}) {
        for (const std::string& damaged : damaged_versions(data_file(name), 8, 16)) {
            folder.write(name, damaged);
            for (const char* option : {"--summary", "--csv"}) {
                if (std::string(option) == "--csv" && std::string(name).ends_with(".sim")) {
                    continue;
                }
                const auto result =
                    run_program({"inspect", folder.path_text(name), option}, time_limit);
                EXPECT_TRUE(result.exit_status == 0 || result.exit_status == 2)
                    << result.exit_status << " " << name << "\n"
                    << result.standard_error;
            }
        }
    }
}

}  // namespace
}  // namespace scenario
