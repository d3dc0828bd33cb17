// Huge and hostile inputs met through the real program: files far larger than any scenario, a
// field of megabytes, a flood of warnings, a memory limit, a source swapped for a FIFO while
// runs go on, a lock file that another user left, and runs stopped by SIGINT and SIGTERM. Each
// probe asserts the exit status, the message and what the folder holds afterwards: no lock
// file, no partial file, every compiled file as it was or whole.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "support/background_run.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const std::string lock_file = ".scenario-builder.lock";
const std::string earlier_run = "earlier run\n";

// The command's arguments for the folder's Valdora_Rova and 5284.
std::vector<std::string> with_identity(std::vector<std::string> args, const fs::path& folder) {
    args.insert(args.end(),
                {"--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"});
    return args;
}

void put_sources(const fs::path& folder) {
    put_file(folder / line_source_file, expected_bytes(line_source_file));
    put_file(folder / train_source_file, expected_bytes(train_source_file));
}

// A file of `size` bytes that takes no room on the disk.
void put_sparse_file(const fs::path& path, std::uint64_t size) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(descriptor, 0) << std::strerror(errno);
    ASSERT_EQ(::ftruncate(descriptor, static_cast<off_t>(size)), 0) << std::strerror(errno);
    ::close(descriptor);
}

// The built-in line source with `lines` inserted after its first section header, where
// records are read.
std::string line_source_with(const std::string& lines) {
    std::string source = expected_bytes(line_source_file);
    const std::string header = "[pendenze]\r\n";
    source.insert(source.find(header) + header.size(), lines);
    return source;
}

std::string repeated(const std::string& text, std::size_t times) {
    std::string all;
    all.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) {
        all += text;
    }
    return all;
}

std::size_t count_of(const std::string& text, const std::string& word) {
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

void expect_no_leftovers(const fs::path& folder) {
    EXPECT_FALSE(fs::exists(folder / lock_file)) << "the lock file was left";
    const std::vector<std::string> partials = partial_files_in(folder);
    EXPECT_TRUE(partials.empty()) << "left behind: " << partials.front();
}

bool sanitized_build() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}

// One probe of the table: a folder prepared, a command run (under a shell prefix: a limit),
// and what must come of it.
struct probe {
    const char* name;
    std::function<void(const fs::path&)> prepare;
    std::vector<std::string> args;  // with DIR for the folder
    std::string prefix;             // e.g. "ulimit -v N;"; a memory limit is skipped when sanitized
    int exit_status;
    std::vector<std::string> told;  // each must stand in standard error
    bool compiled_files_kept;       // the earlier run's compiled files untouched
    std::function<void(const fs::path&)> afterwards = [](const fs::path&) {};
};

// A compile of the folder's Valdora_Rova and 5284.
std::vector<std::string> compile_of(const std::string& command,
                                    std::vector<std::string> options = {}) {
    std::vector<std::string> args = {command,        "--dir",   "DIR", "--route",
                                     "Valdora_Rova", "--train", "5284"};
    args.insert(args.end(), options.begin(), options.end());
    return args;
}

class HostileInputs : public testing::TestWithParam<probe> {};

TEST_P(HostileInputs, EndsAsToldAndLeavesNothingHalfDone) {
    const probe& p = GetParam();
    if (!p.prefix.empty() && p.prefix.find("ulimit -v") != std::string::npos && sanitized_build()) {
        GTEST_SKIP() << "the sanitizers reserve terabytes of address space: no memory limit";
    }
    temporary_folder folder;
    put_sources(folder.path());
    for (const std::string& name : compiled_files) {
        put_file(folder.path() / name, earlier_run);
    }
    p.prepare(folder.path());

    std::vector<std::string> args = p.args;
    for (std::string& arg : args) {
        if (arg.starts_with("DIR")) {
            arg.replace(0, 3, folder.string());
        }
    }
    const program_result result = run_program(args, p.prefix);
    std::string told = result.standard_error;
    // The folder's path in messages is DIR in the table.
    for (std::size_t at = told.find(folder.string()); at != std::string::npos;
         at = told.find(folder.string())) {
        told.replace(at, folder.string().size(), "DIR");
    }
    EXPECT_EQ(result.exit_status, p.exit_status) << told.substr(0, 2000);
    for (const std::string& wanted : p.told) {
        EXPECT_NE(told.find(wanted), std::string::npos)
            << "not told: " << wanted << "\nbut: " << told.substr(0, 2000);
    }
    expect_no_leftovers(folder.path());
    for (const std::string& name : compiled_files) {
        if (p.compiled_files_kept) {
            EXPECT_EQ(read_text_file(folder.path() / name), earlier_run) << name;
        }
    }
    p.afterwards(folder.path());
}

const std::string over_the_limit =
    "it is 1073741824 bytes, more than a source file can hold (at most 134217728 bytes)";

INSTANTIATE_TEST_SUITE_P(
    Probes, HostileInputs,
    testing::Values(
        probe{"LineSourceOverTheLimit",
              [](const fs::path& folder) {
                  put_sparse_file(folder / line_source_file, std::uint64_t{1} << 30);
              },
              compile_of("compile"),
              "",
              2,
              {"scenario-builder compile: nothing was written: cannot read DIR/" +
               line_source_file + ": " + over_the_limit + "\n"},
              true},
        probe{"TrainSourceOverTheLimitInCheck",
              [](const fs::path& folder) {
                  put_sparse_file(folder / train_source_file, std::uint64_t{1} << 30);
              },
              compile_of("check"),
              "",
              2,
              {"scenario-builder check: nothing was written: cannot read DIR/" + train_source_file +
               ": " + over_the_limit + "\n"},
              true},
        // A file of another size differs from the built-in source: told without reading it,
        // so that 4 GiB are never taken into a memory of 256 MiB.
        probe{"HugeSourceDiffersWithoutBeingRead",
              [](const fs::path& folder) {
                  put_sparse_file(folder / line_source_file, std::uint64_t{4} << 30);
              },
              {"sources", "--dir", "DIR"},
              "ulimit -v 262144;",
              2,
              {"scenario-builder: not overwriting DIR/" + line_source_file +
               ", which holds other content: nothing was written (--force overwrites it)\n"},
              true},
        probe{"SourceThatFillsTheMemory",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with(
                               repeated("- a comment line of the bulk\r\n", std::size_t{3} << 20)));
              },
              compile_of("compile"),
              "ulimit -v 65536;",
              2,
              {"scenario-builder compile: out of memory: the run stopped, and left no file "
               "half-written\n"},
              true},
        // A grid file of 60 MiB, under the limit, decodes into more than the memory allows.
        probe{"CompiledFileThatFillsTheMemory",
              [](const fs::path& folder) {
                  put_sparse_file(folder / "Lago_1.dat", std::uint64_t{60} << 20);
              },
              {"inspect", "DIR/Lago_1.dat", "--kind", "grid", "--csv"},
              "ulimit -v 131072;",
              2,
              {"scenario-builder inspect: out of memory: the run stopped, and left no file "
               "half-written\n"},
              true},
        // Ten megabytes in one field at a record's place: passed over, quoted cut short.
        probe{"TenMegabyteField",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with(std::string(10 << 20, 'x') + "\r\n"));
              },
              compile_of("compile"),
              "",
              0,
              {"warning: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" names no record: it is "
               "passed over [unread-key]"},
              false},
        probe{"TenMegabyteBoardText",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with("cartello indicatore, 550, " +
                                            std::string(10 << 20, 'y') + "\r\n"));
              },
              compile_of("compile"),
              "",
              0,
              {},
              false,
              // The text keeps the first 65535 bytes, as many as its length field can count.
              [](const fs::path& folder) {
                  EXPECT_EQ(fs::file_size(folder / item_file),
                            expected_bytes(item_file).size() + 65535);
              }},
        // Records one after the other on one line: the rest of the line is told of once, not
        // read again after each record.
        probe{"FortyThousandRecordsOnOneLine",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with(repeated("pendenza, 100, 4, ", 40000) + "\r\n"));
              },
              compile_of("compile"),
              "",
              1,
              {"the pendenza record at 100 m takes 2 values, and its line holds 119997 more"},
              false,
              [](const fs::path& folder) {
                  EXPECT_EQ(fs::file_size(folder / grid_file), expected_bytes(grid_file).size());
              }},
        probe{"FloodOfWarnings",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with(repeated("zzz\r\n", 200000)));
              },
              compile_of("compile"),
              "",
              0,
              {"scenario-builder compile: 199000 more warnings not shown: only the first 1000 "
               "are told\n"},
              false},
        probe{"FloodOfWarningsWithWerror",
              [](const fs::path& folder) {
                  put_file(folder / line_source_file,
                           line_source_with(repeated("zzz\r\n", 200000)));
              },
              compile_of("compile", {"--werror"}),
              "",
              1,
              {"199000 more warnings not shown"},
              false},
        // A train file that yields nothing loses the train: exit status 1 with the files
        // written, in `compile` and `check` alike, with or without --werror.
        probe{"TrainFileWithoutHeader",
              [](const fs::path& folder) {
                  put_file(folder / train_source_file, "stazione, 1000\r\n");
              },
              compile_of("compile"),
              "",
              1,
              {"has no \"[generale]\" header", "[no-general-header]"},
              false},
        probe{"TrainFileWithoutHeaderInCheck",
              [](const fs::path& folder) {
                  put_file(folder / train_source_file, "stazione, 1000\r\n");
              },
              compile_of("check", {"--werror"}),
              "",
              1,
              {"[no-general-header]"},
              true},
        probe{"TrainFileWithoutRecords",
              [](const fs::path& folder) {
                  put_file(folder / train_source_file, "[generale]\r\n- no record\r\n");
              },
              compile_of("compile", {"--werror"}),
              "",
              1,
              {"[no-train-records]"},
              false}),
    [](const testing::TestParamInfo<probe>& info) { return std::string(info.param.name); });

TEST(HostileInputs, FloodOfWarningsTellsOnlyTheFirstThousand) {
    temporary_folder folder;
    put_sources(folder.path());
    put_file(folder.path() / line_source_file, line_source_with(repeated("zzz\r\n", 5000)));
    const program_result result = run_program(with_identity({"compile"}, folder.path()));
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(count_of(result.standard_error, "warning: \"zzz\" names no record"), 1000u);
    EXPECT_NE(result.standard_error.find("4000 more warnings not shown"), std::string::npos);
    EXPECT_EQ(read_text_file(folder.path() / grid_file), expected_bytes(grid_file));
}

// `watch` reports the status of each compile: a train file that yields nothing is 1.
TEST(HostileInputs, WatchTellsTheStatusOfATrainFileThatYieldsNothing) {
    temporary_folder folder;
    put_sources(folder.path());
    put_file(folder.path() / train_source_file, "[generale]\r\n");
    const fs::path told = folder.path() / "watch.txt";
    const pid_t pid = start_program(with_identity({"watch"}, folder.path()), told.string());
    ASSERT_GT(pid, 0);
    for (int tries = 0;
         tries < 200 && read_text_file(told).find("Ctrl-C ends") == std::string::npos; ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    const run_end end = wait_for_end(pid);
    EXPECT_TRUE(end.exited);
    EXPECT_EQ(end.exit_status, 0);
    EXPECT_NE(read_text_file(told).find("1 error, 0 warnings, exit status 1"), std::string::npos)
        << read_text_file(told);
}

// While compiles run one after another, the train source's name goes round and round between
// the real file and a FIFO. A compile that met the FIFO under the name refuses it; none may
// open it for reading and wait there for ever, holding the folder's lock.
TEST(HostileInputs, SourceSwappedForAFifoNeverHangsACompile) {
    temporary_folder folder;
    put_sources(folder.path());
    const fs::path source = folder.path() / train_source_file;
    const fs::path regular = folder.path() / "regular";
    const fs::path fifo = folder.path() / "fifo";
    fs::rename(source, regular);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0) << std::strerror(errno);

    std::atomic<bool> swapping = true;
    std::thread swapper([&] {
        std::error_code ignored;
        while (swapping) {
            fs::rename(regular, source, ignored);
            fs::rename(source, regular, ignored);
            fs::rename(fifo, source, ignored);
            fs::rename(source, fifo, ignored);
        }
    });
    constexpr int runs = 40;
    int hung = 0;
    int refused_fifo = 0;
    int compiled = 0;
    for (int run = 0; run < runs; ++run) {
        const fs::path told = folder.path() / ("told-" + std::to_string(run));
        const pid_t pid = start_program(with_identity({"compile"}, folder.path()), told.string());
        ASSERT_GT(pid, 0);
        run_end end;
        bool ended = false;
        // A compile takes milliseconds; ten seconds without an end is a hang.
        for (int tries = 0; tries < 1000 && !(ended = has_ended(pid, end)); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!ended) {
            ++hung;
            ::kill(pid, SIGKILL);
            wait_for_end(pid);
            continue;
        }
        const std::string message = read_text_file(told);
        EXPECT_TRUE(end.exited);
        if (end.exit_status == 0) {
            ++compiled;
        } else {
            EXPECT_EQ(end.exit_status, 2) << message;
            refused_fifo += message.find(": not a regular file") != std::string::npos ? 1 : 0;
            EXPECT_TRUE(message.find(": not a regular file") != std::string::npos ||
                        message.find(": No such file or directory") != std::string::npos)
                << message;
        }
    }
    swapping = false;
    swapper.join();
    EXPECT_EQ(hung, 0) << "compiles that waited on the FIFO";
    EXPECT_FALSE(fs::exists(folder.path() / lock_file));
    // What the runs met, for the reader of the log: the swap is a race by nature.
    std::cout << compiled << " compiled, " << refused_fifo << " refused the FIFO, of " << runs
              << "\n";
}

// A line of 1000000 m: its compiled line file takes 20 MB, long enough to be caught while it
// is written.
void put_long_line_sources(const fs::path& folder) {
    put_sources(folder);
    std::string line = expected_bytes(line_source_file);
    const std::string length = "lunghezza percorso,    82000";
    line.replace(line.find(length), length.size(), "lunghezza percorso,    1000000");
    put_file(folder / line_source_file, line);
}

struct stop_case {
    const char* name;
    int signal;
};

class StoppedRun : public testing::TestWithParam<stop_case> {};

// The run is caught while its partial file is there (stopped with SIGSTOP, to look), then
// given the signal. It must end by that signal, leaving no partial file and no lock file, and
// every compiled file as it was or whole. Under umask 077 the lock file it held was open to
// every user.
TEST_P(StoppedRun, RemovesItsPartialFilesAndLockBeforeItEnds) {
    temporary_folder folder;
    put_long_line_sources(folder.path());
    ASSERT_EQ(run_program(with_identity({"compile"}, folder.path())).exit_status, 0);
    std::vector<std::string> complete;
    for (const std::string& name : compiled_files) {
        complete.push_back(read_text_file(folder.path() / name));
        put_file(folder.path() / name, earlier_run);
    }

    const mode_t mask = ::umask(077);
    bool caught = false;
    for (int attempt = 0; attempt < 200 && !caught; ++attempt) {
        const pid_t pid = start_program(with_identity({"compile"}, folder.path()));
        ASSERT_GT(pid, 0);
        run_end end;
        while (!caught && !has_ended(pid, end)) {
            caught = !partial_files_in(folder.path()).empty() && ::kill(pid, SIGSTOP) == 0;
        }
        if (!caught) {
            continue;
        }
        struct stat lock {};
        ASSERT_EQ(::stat((folder.path() / lock_file).c_str(), &lock), 0)
            << "no lock file while the run writes";
        EXPECT_EQ(lock.st_mode & 0777, 0666u);
        ::kill(pid, GetParam().signal);
        ::kill(pid, SIGCONT);
        end = wait_for_end(pid);
        EXPECT_FALSE(end.exited) << "exit status " << end.exit_status;
        EXPECT_TRUE(end.killed);
    }
    ::umask(mask);
    ASSERT_TRUE(caught) << "no run was caught while writing";
    expect_no_leftovers(folder.path());
    for (std::size_t i = 0; i < compiled_files.size(); ++i) {
        const std::string now = read_text_file(folder.path() / compiled_files[i]);
        EXPECT_TRUE(now == earlier_run || now == complete[i]) << compiled_files[i];
    }
}

INSTANTIATE_TEST_SUITE_P(Signals, StoppedRun,
                         testing::Values(stop_case{"Terminate", SIGTERM},
                                         stop_case{"Interrupt", SIGINT}),
                         [](const testing::TestParamInfo<stop_case>& info) {
                             return std::string(info.param.name);
                         });

// A lock file that root left with umask 077 in a user's folder: the user's run says whose it
// is and what to do, and writes nothing.
TEST(HostileInputs, LockFileOfAnotherUserIsNamedWithItsOwner) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to leave a lock file for another user";
    }
    temporary_folder bin;
    fs::permissions(bin.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const fs::path program = bin.path() / "scenario-builder";
    fs::copy_file(SCENARIO_BUILDER_EXE, program);
    temporary_folder folder;
    ASSERT_EQ(::chown(folder.path().c_str(), 65534, 65534), 0) << std::strerror(errno);
    const fs::path lock = folder.path() / lock_file;
    put_file(lock, "");
    fs::permissions(lock, fs::perms::owner_read | fs::perms::owner_write);

    const program_result result = run_program_at(
        program.string(), {"sources", "--dir", folder.string()}, "runuser -u nobody --");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error,
              "scenario-builder: cannot open the lock file " + lock.string() +
                  ": Permission denied: it belongs to root (user 0), who made it with no access "
                  "for others; when no run is writing into the folder, remove it\n");
    EXPECT_FALSE(fs::exists(folder.path() / line_source_file));
}

}  // namespace
}  // namespace scenario
