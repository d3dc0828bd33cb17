// A build or a compile killed at any moment leaves every file of the folder either as it was
// or complete, never cut short; what the killed run was writing is left under a partial
// file's name, which the next run removes, and the folder's lock file, which the next run
// takes and removes.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "source/folder_lock.h"
#include "support/background_run.h"
#include "support/byte_compare.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// Waits for the program; true when it ended by itself with status 0.
bool wait_for(pid_t pid) {
    const run_end end = wait_for_end(pid);
    return end.exited && end.exit_status == 0;
}

const std::vector<std::string>& scenario_files() {
    static const std::vector<std::string> names = {
        line_source_file, train_source_file,  route_notes_file, slowdown_order_file,
        train_sheet_file, compiled_line_file, item_file,        grid_file};
    return names;
}

// Every file of the scenario is absent or holds exactly the bytes of a complete run (every
// run writes the same bytes, so the earlier version and the new one are alike); anything else
// in the folder is a partial file of one of them or the lock file of a killed run.
void expect_whole_or_absent(const fs::path& folder, const std::string& moment) {
    for (const std::string& name : scenario_files()) {
        if (fs::exists(folder / name)) {
            EXPECT_TRUE(same_bytes(read_text_file(folder / name), expected_bytes(name)))
                << name << " " << moment;
        }
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const bool known = std::ranges::find(scenario_files(), name) != scenario_files().end() ||
                           name == lock_file_name ||
                           std::ranges::any_of(scenario_files(), [&](const std::string& file) {
                               return name.starts_with("." + file + ".partial-");
                           });
        EXPECT_TRUE(known) << "unexpected file " << name << " " << moment;
    }
}

TEST(KilledBuild, EveryFileIsWholeOrAsItWasAndTheNextBuildClearsThePartialFiles) {
    temporary_folder folder;
    const std::vector<std::string> build = {"build", "--dir", folder.string()};
    const std::vector<std::string> compile = {"compile",      "--dir",   folder.string(), "--route",
                                              "Valdora_Rova", "--train", "5284"};

    // A run to the end first, both to have the earlier version of every file in place and to
    // learn how long a run takes here: the kills fall anywhere within that time.
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(wait_for(start_program(build)));
    const auto run_time = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);

    std::mt19937 random(5284);
    std::uniform_int_distribution<long> delay(0, std::max<long>(run_time.count(), 1000));
    std::bernoulli_distribution use_compile(0.3);
    int finished = 0;
    constexpr int runs = 100;
    for (int run = 0; run < runs; ++run) {
        const bool compiling = use_compile(random);
        if (compiling) {
            // The compile only reads the sources, which a killed build may have taken away.
            for (const std::string& source : {line_source_file, train_source_file}) {
                if (!fs::exists(folder.path() / source)) {
                    put_file(folder.path() / source, expected_bytes(source));
                }
            }
        }
        const pid_t pid = start_program(compiling ? compile : build);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ::kill(pid, SIGKILL);
        finished += wait_for(pid) ? 1 : 0;
        expect_whole_or_absent(folder.path(), "after run " + std::to_string(run));
        if (HasFailure()) {
            break;
        }
    }
    RecordProperty("runs_finished_before_the_kill", finished);

    ASSERT_TRUE(wait_for(start_program(build)));
    for (const std::string& name : scenario_files()) {
        const bool source = name == line_source_file || name == train_source_file;
        EXPECT_EQ(fs::exists(folder.path() / name), !source) << name;
    }
    expect_whole_or_absent(folder.path(), "after the last build");
    EXPECT_EQ(partial_files_in(folder.path()), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(folder.path() / std::string(lock_file_name)));
}

}  // namespace
}  // namespace scenario
