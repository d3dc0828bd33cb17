// The built-in build started from the command line, as users and scripts start it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::run_program;
using testing_support::temporary_folder;

TEST(BuildCommand, BuildsIntoTheGivenFolderAndCreatesIt) {
    temporary_folder folder;
    const std::filesystem::path target = folder.path() / "new" / "scenario";
    const auto result = run_program({"build", "--dir", target.string()});
    ASSERT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_output, "");
    for (const char* name : {"Valdora_Rova_5284_note.txt", "Valdora_Rova_5284_rallentamenti.txt",
                             "Valdora_Rova_5284_scheda_treno.txt"}) {
        EXPECT_TRUE(std::filesystem::exists(target / name)) << name;
    }
}

TEST(BuildCommand, UnknownArgumentGetsOneUsageLineAndStatus64) {
    for (const char* argument : {"bogus", "--frobnicate"}) {
        const auto result = run_program({argument});
        EXPECT_EQ(result.exit_status, 64) << argument;
        EXPECT_NE(result.standard_error.find("usage: scenario-builder"), std::string::npos);
        EXPECT_EQ(std::count(result.standard_error.begin(), result.standard_error.end(), '\n'), 1)
            << result.standard_error;
    }
}

TEST(BuildCommand, HelpTellsHowToStartTheBuild) {
    const auto result = run_program({"--help"});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_NE(result.standard_output.find("build"), std::string::npos);
}

TEST(BuildCommand, FileThatCannotBeWrittenIsNamedWithItsCause) {
    temporary_folder folder;
    // A folder standing where the train file must go cannot be replaced by a file.
    std::filesystem::create_directory(folder.path() / "Valdora_Rova_5284-.txt");
    const auto result = run_program({"build", "--dir", folder.string()});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.standard_error.find("Valdora_Rova_5284-.txt"), std::string::npos)
        << result.standard_error;
    EXPECT_NE(result.standard_error.find("Is a directory"), std::string::npos)
        << result.standard_error;
    // The build stops at the failing writer: the documents after it are not written.
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Valdora_Rova_linea.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Valdora_Rova_5284_note.txt"));
}

TEST(BuildCommand, FolderWithoutWritePermissionIsReported) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as an unprivileged user";
    }
    // Root writes anywhere; the program runs as "nobody" from a copy it may execute.
    temporary_folder folder;
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all |
                                                    std::filesystem::perms::group_read |
                                                    std::filesystem::perms::group_exec |
                                                    std::filesystem::perms::others_read |
                                                    std::filesystem::perms::others_exec);
    const std::filesystem::path program = folder.path() / "scenario-builder";
    std::filesystem::copy_file(SCENARIO_BUILDER_EXE, program);
    const std::filesystem::path locked = folder.path() / "locked";
    std::filesystem::create_directory(locked);
    const std::string command = "runuser -u nobody -- " +
                                testing_support::shell_quote(program.string()) + " build --dir " +
                                testing_support::shell_quote(locked.string()) + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    const int raw = ::pclose(pipe);
    EXPECT_NE(WEXITSTATUS(raw), 0);
    EXPECT_NE(output.find("locked/Valdora_Rova_linea.txt"), std::string::npos) << output;
    EXPECT_NE(output.find("Permission denied"), std::string::npos) << output;
}

}  // namespace
}  // namespace scenario
