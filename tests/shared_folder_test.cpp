// Runs that share a folder take turns: a run that writes into the folder holds its lock for
// as long as it writes, and another waits for it, saying so after a second. Many runs at once,
// some of them killed, leave every file whole, and each run that is not killed ends well.
#include <gtest/gtest.h>
#include <sys/file.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
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
using namespace std::chrono_literals;
namespace fs = std::filesystem;

// The folder's lock as another run holds it, taken by the test itself.
class held_lock {
  public:
    explicit held_lock(const fs::path& folder) : path_(folder / std::string(lock_file_name)) {
        descriptor_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        locked_ = descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) == 0;
    }
    ~held_lock() { release(); }
    held_lock(const held_lock&) = delete;
    held_lock& operator=(const held_lock&) = delete;

    bool locked() const { return locked_; }
    // As a run leaves: the file removed while still locked, then closed.
    void release() {
        if (descriptor_ >= 0) {
            ::unlink(path_.c_str());
            ::close(descriptor_);
            descriptor_ = -1;
        }
    }

  private:
    fs::path path_;
    int descriptor_ = -1;
    bool locked_ = false;
};

TEST(SharedFolder, RunWaitsForTheLockSaysSoAfterASecondThenDoesItsWorkWhole) {
    temporary_folder folder;
    const fs::path target = folder.path() / "scenario";
    fs::create_directory(target);
    held_lock other_run(target);
    ASSERT_TRUE(other_run.locked());

    const fs::path error_file = folder.path() / "stderr.txt";
    const pid_t pid = start_program({"sources", "--dir", target.string()}, error_file.string());
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(1500ms);
    run_end end;
    const bool ended_while_locked = has_ended(pid, end);
    const std::string told = read_text_file(error_file);
    std::vector<std::string> written;
    for (const fs::directory_entry& entry : fs::directory_iterator(target)) {
        written.push_back(entry.path().filename().string());
    }

    other_run.release();
    if (!ended_while_locked) {
        end = wait_for_end(pid);
    }
    EXPECT_FALSE(ended_while_locked);
    EXPECT_EQ(written, std::vector<std::string>{std::string(lock_file_name)});
    EXPECT_EQ(told, "scenario-builder: waiting for another run that is writing into " +
                        target.string() + " (it holds " +
                        (target / std::string(lock_file_name)).string() + ")\n");
    EXPECT_TRUE(end.exited && end.exit_status == 0);
    EXPECT_EQ(read_text_file(error_file), told) << "nothing more is said";
    for (const std::string& source : {line_source_file, train_source_file}) {
        EXPECT_TRUE(same_bytes(read_text_file(target / source), expected_bytes(source))) << source;
    }
    EXPECT_FALSE(fs::exists(target / std::string(lock_file_name)));
}

TEST(SharedFolder, CommandThatOnlyReadsTakesNoLock) {
    temporary_folder folder;
    for (const std::string& compiled : compiled_files) {
        put_file(folder.path() / compiled, expected_bytes(compiled));
    }
    held_lock other_run(folder.path());
    ASSERT_TRUE(other_run.locked());
    // Bounded, so that a run that waited for the lock would fail rather than hang.
    const program_result result =
        run_program({"inspect", (folder.path() / item_file).string(), "--summary"}, "timeout 20");
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
}

// The rounds of the test below: as many as take about four seconds, one run after another,
// at least 3 and at most 10 (a sanitized build runs each command ten times slower);
// SCENARIO_TEST_SHARED_FOLDER_ROUNDS sets the number, for a longer run by hand.
int rounds(std::chrono::microseconds round_time) {
    if (const char* text = std::getenv("SCENARIO_TEST_SHARED_FOLDER_ROUNDS")) {
        if (const int asked = std::atoi(text); asked > 0) {
            return asked;
        }
    }
    const auto fitting = 4s / std::max(round_time, std::chrono::microseconds(1));
    return static_cast<int>(std::clamp<std::int64_t>(fitting, 3, 10));
}

// The commands that run at once into the shared folder. The compile reads an author's
// sources under a name of their own, which no other command writes or deletes: the built-in
// build deletes its sources, and a compile of those would rightly find them gone.
enum class command { build, compile, sources };

std::vector<std::string> arguments(command which, const fs::path& folder) {
    switch (which) {
        case command::build:
            return {"build", "--dir", folder.string()};
        case command::compile:
            return {"compile", "--dir", folder.string(), "--route", "Lago", "--train", "101"};
        case command::sources:
            return {"sources", "--dir", folder.string()};
    }
    return {};
}

const char* name_of(command which) {
    switch (which) {
        case command::build:
            return "build";
        case command::compile:
            return "compile";
        case command::sources:
            return "sources";
    }
    return "";
}

// The author's sources: the built-in ones under route Lago and train 101.
void put_author_sources(const fs::path& folder) {
    put_file(folder / "Lago_linea.txt", expected_bytes(line_source_file));
    put_file(folder / "Lago_101-.txt", expected_bytes(train_source_file));
}

class ManyRunsInOneFolder : public testing::Test {
  protected:
    // Each command run alone in a folder of its own: the bytes of every file it leaves, and
    // how long it took.
    void SetUp() override {
        const auto started = std::chrono::steady_clock::now();
        for (const command which : {command::build, command::compile, command::sources}) {
            temporary_folder alone;
            if (which == command::compile) {
                put_author_sources(alone.path());
            }
            const program_result result = run_program(arguments(which, alone.path()));
            ASSERT_EQ(result.exit_status, 0) << name_of(which) << ": " << result.standard_error;
            for (const fs::directory_entry& entry : fs::directory_iterator(alone.path())) {
                expected_[entry.path().filename().string()] = read_text_file(entry.path());
            }
        }
        lone_run_ = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - started) /
                    3;
    }

    bool is_scenario_file(const std::string& name) const { return expected_.contains(name); }

    // Every file of the folder that a run writes holds a lone run's bytes; anything else is a
    // partial file of one of them or the lock file that a killed run left.
    void expect_whole(const fs::path& folder, const std::string& moment) const {
        std::error_code error;
        for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
             entry.increment(error)) {
            const std::string name = entry->path().filename().string();
            if (is_scenario_file(name)) {
                // Read while other runs replace it: the file read is the old one or the new,
                // and either must be whole. One deleted since the listing is not read.
                std::ifstream input(entry->path(), std::ios::binary);
                if (input.is_open()) {
                    std::ostringstream bytes;
                    bytes << input.rdbuf();
                    EXPECT_TRUE(same_bytes(bytes.str(), expected_.at(name)))
                        << name << " " << moment;
                }
                continue;
            }
            bool partial = false;
            for (const auto& [file, bytes] : expected_) {
                partial = partial || name.starts_with("." + file + ".partial-");
            }
            EXPECT_TRUE(partial || name == lock_file_name)
                << "unexpected " << name << " " << moment;
        }
    }

    std::map<std::string, std::string> expected_;
    std::chrono::microseconds lone_run_{};
};

TEST_F(ManyRunsInOneFolder, EndWellWholeAndAsALoneRunWouldLeaveThem) {
    temporary_folder shared;
    put_author_sources(shared.path());
    constexpr int runs_at_once = 8;
    std::mt19937 random(17);
    std::uniform_int_distribution<int> pick(0, 2);
    std::bernoulli_distribution to_kill(0.25);
    // A kill falls anywhere within the time that the round's runs take one after another.
    std::uniform_int_distribution<long> delay(0, runs_at_once * lone_run_.count());
    int killed = 0;
    const int round_count = rounds(runs_at_once * lone_run_);
    RecordProperty("rounds", round_count);

    for (int round = 0; round < round_count && !HasFailure(); ++round) {
        struct run {
            command which;
            pid_t pid;
            fs::path error_file;
            long kill_after_us;  // negative: never
            run_end end;
            bool ended = false;
        };
        std::vector<run> runs;
        for (int i = 0; i < runs_at_once; ++i) {
            const command which = static_cast<command>(pick(random));
            const fs::path error_file =
                shared.path().parent_path() /
                (shared.path().filename().string() + "-stderr-" + std::to_string(i) + ".txt");
            const long kill_after = to_kill(random) ? delay(random) : -1;
            runs.push_back({which,
                            start_program(arguments(which, shared.path()), error_file.string()),
                            error_file, kill_after, run_end{}, false});
            ASSERT_GT(runs.back().pid, 0);
        }
        const auto started = std::chrono::steady_clock::now();
        for (bool all_ended = false; !all_ended;) {
            const long elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - started)
                                     .count();
            all_ended = true;
            for (run& r : runs) {
                if (!r.ended && r.kill_after_us >= 0 && elapsed >= r.kill_after_us) {
                    ::kill(r.pid, SIGKILL);
                    r.kill_after_us = -1;
                }
                r.ended = r.ended || has_ended(r.pid, r.end);
                all_ended = all_ended && r.ended;
            }
            expect_whole(shared.path(), "during round " + std::to_string(round));
            std::this_thread::sleep_for(2ms);
        }
        for (const run& r : runs) {
            killed += r.end.killed ? 1 : 0;
            if (!r.end.killed) {
                EXPECT_TRUE(r.end.exited && r.end.exit_status == 0)
                    << name_of(r.which) << " in round " << round << " ended with "
                    << r.end.exit_status << ": " << read_text_file(r.error_file);
            }
            fs::remove(r.error_file);
        }
        expect_whole(shared.path(), "after round " + std::to_string(round));
    }
    RecordProperty("runs_killed", killed);

    // A compile and a build to the end: everything a lone run leaves, whole, and nothing of
    // the killed runs (the build deletes the built-in sources).
    for (const command which : {command::compile, command::build}) {
        const program_result result = run_program(arguments(which, shared.path()));
        ASSERT_EQ(result.exit_status, 0) << name_of(which) << ": " << result.standard_error;
    }
    for (const auto& [name, bytes] : expected_) {
        const bool builtin_source = name == line_source_file || name == train_source_file;
        ASSERT_EQ(fs::exists(shared.path() / name), !builtin_source) << name;
        if (!builtin_source) {
            EXPECT_TRUE(same_bytes(read_text_file(shared.path() / name), bytes)) << name;
        }
    }
    EXPECT_EQ(partial_files_in(shared.path()), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(shared.path() / std::string(lock_file_name)));
}

}  // namespace
}  // namespace scenario
