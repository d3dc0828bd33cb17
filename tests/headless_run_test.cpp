// The program without a usable display: it runs the build headless, silently, and writes
// the fatal error text to standard error instead of showing a box.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::run_program;
using testing_support::temporary_folder;

struct headless_case {
    const char* name;
    const char* environment;  // settings for env(1)
};

class HeadlessRun : public testing::TestWithParam<headless_case> {};

TEST_P(HeadlessRun, BuildsSilentlyWithoutAWindow) {
    temporary_folder folder;
    const auto result = run_program({"build", "--dir", folder.string()},
                                    std::string("env ") + GetParam().environment);
    EXPECT_EQ(result.exit_status, exit_status::ok);
    EXPECT_EQ(result.standard_output, "");
    EXPECT_EQ(result.standard_error, "");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "Valdora_Rova_5284_scheda_treno.txt"));
}

INSTANTIATE_TEST_SUITE_P(Displays, HeadlessRun,
                         testing::Values(headless_case{"DisplayUnset", "-u DISPLAY"},
                                         headless_case{"DisplayEmpty", "DISPLAY="},
                                         // No server listens on a display number this high.
                                         headless_case{"NoServerOnDisplay", "DISPLAY=:32767"}),
                         [](const testing::TestParamInfo<headless_case>& info) {
                             return info.param.name;
                         });

TEST(HeadlessErrorBox, WritesTheMessageToStandardErrorAndStopsAtTheCall) {
    temporary_folder folder;
    const auto result = run_program({"build", "--dir", folder.string()},
                                    "env -u DISPLAY SCENARIO_TEST_FORCE_ERROR=1250");
    EXPECT_EQ(result.exit_status, exit_status::fatal);
    EXPECT_EQ(result.standard_error, " Errore n. 1250\n");
    // The line source file was written before the call; nothing was written after it.
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        files.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files, std::vector<std::string>{"Valdora_Rova_linea.txt"});
}

}  // namespace
}  // namespace scenario
