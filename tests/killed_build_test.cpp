// A build or a compile killed at any moment leaves every file of the folder either as it was
// or complete, never cut short; what the killed run was writing is left under a partial
// file's name, which the next run removes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "support/byte_compare.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

extern char** environ;

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// Starts the program without a display and without output, and returns its process id.
pid_t start_program(const std::vector<std::string>& args) {
    std::vector<std::string> words = {SCENARIO_BUILDER_EXE};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (!std::string_view(*variable).starts_with("DISPLAY=")) {
            environment.push_back(*variable);
        }
    }
    environment.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environment.data()) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Waits for the program; true when it ended by itself with status 0.
bool wait_for(pid_t pid) {
    int raw = 0;
    while (::waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
}

const std::vector<std::string>& scenario_files() {
    static const std::vector<std::string> names = {
        line_source_file, train_source_file,  route_notes_file, slowdown_order_file,
        train_sheet_file, compiled_line_file, item_file,        grid_file};
    return names;
}

// Every file of the scenario is absent or holds exactly the bytes of a complete run (every
// run writes the same bytes, so the earlier version and the new one are alike); anything else
// in the folder is a partial file of one of them.
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
}

}  // namespace
}  // namespace scenario
