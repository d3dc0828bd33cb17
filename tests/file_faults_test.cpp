// Failures of the file system met by the program as users run it: a folder or a file that may
// not be written, a disk that fills up, a source that is missing or is a folder. Each stops
// with a message that names the file and the cause and a non-zero exit status, and leaves
// every file that the run did not finish as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "support/byte_compare.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

// What an earlier run left in a file: not what this run writes, so that a test can tell a
// file left alone from a file written again.
const std::string earlier_run = "earlier run\n";

std::vector<std::string> compile_args(const fs::path& folder) {
    return {"compile", "--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"};
}

// Root may write anywhere, so a refusal by permission is only seen by another user: the
// program runs as "nobody" from a copy in a folder that nobody may enter.
class unprivileged_program {
  public:
    unprivileged_program() {
        fs::permissions(bin_.path(), fs::perms::owner_all | fs::perms::group_read |
                                         fs::perms::group_exec | fs::perms::others_read |
                                         fs::perms::others_exec);
        fs::copy_file(SCENARIO_BUILDER_EXE, program_);
    }

    program_result run(const std::vector<std::string>& args) const {
        return run_program_at(program_.string(), args, "runuser -u nobody --");
    }

  private:
    temporary_folder bin_;
    fs::path program_ = bin_.path() / "scenario-builder";
};

void give_to_nobody(const fs::path& path) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0) << std::strerror(errno);
}

class FileFaults : public testing::Test {
  protected:
    void expect_kept(const std::string& name, const std::string& content) const {
        EXPECT_EQ(read_text_file(folder_.path() / name), content) << name << " was changed";
    }
    void expect_complete(const std::string& name) const {
        EXPECT_TRUE(same_bytes(read_text_file(folder_.path() / name), expected_bytes(name)))
            << name;
    }
    void expect_no_partial_files() const {
        EXPECT_TRUE(partial_files_in(folder_.path()).empty())
            << "left behind: " << partial_files_in(folder_.path()).front();
    }
    std::string path_of(const std::string& name) const { return (folder_.path() / name).string(); }

    temporary_folder folder_;
};

TEST_F(FileFaults, UnwritableFolderStopsTheCompileAndKeepsEveryFile) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as an unprivileged user";
    }
    unprivileged_program program;
    fs::permissions(folder_.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    put_file(folder_.path() / line_source_file, expected_bytes(line_source_file));
    put_file(folder_.path() / train_source_file, expected_bytes(train_source_file));
    for (const std::string& name : compiled_files) {
        put_file(folder_.path() / name, earlier_run);
    }

    const program_result result = program.run(compile_args(folder_.path()));
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder compile: cannot write " +
                                         path_of(compiled_line_file) + ": Permission denied\n");
    for (const std::string& name : compiled_files) {
        expect_kept(name, earlier_run);
    }
    expect_complete(line_source_file);
    expect_complete(train_source_file);
}

TEST_F(FileFaults, ReadOnlyCompiledFileIsNamedAndKeptAsItWas) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as an unprivileged user";
    }
    unprivileged_program program;
    give_to_nobody(folder_.path());
    for (const std::string& name : compiled_files) {
        put_file(folder_.path() / name, earlier_run);
        give_to_nobody(folder_.path() / name);
    }
    fs::permissions(folder_.path() / grid_file,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    const program_result result = program.run({"build", "--dir", folder_.string()});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error,
              "scenario-builder: cannot write " + path_of(grid_file) + ": Permission denied\n");
    // The documents before the compile were written whole; the three compiled files, which
    // take their names only once all three are written, stay the earlier run's set.
    for (const std::string& name : {route_notes_file, slowdown_order_file, train_sheet_file}) {
        expect_complete(name);
    }
    for (const std::string& name : compiled_files) {
        expect_kept(name, earlier_run);
    }
    expect_no_partial_files();
}

// A file system of a fixed small size, mounted for the test and unmounted with the object.
class small_file_system {
  public:
    small_file_system(const fs::path& where, const std::string& size) : where_(where) {
        const std::string options = "size=" + size + ",mode=0755";
        if (::mount("tmpfs", where.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
            error_ = std::strerror(errno);
        }
    }
    ~small_file_system() {
        if (error_.empty()) {
            ::umount2(where_.c_str(), MNT_DETACH);
        }
    }
    small_file_system(const small_file_system&) = delete;
    small_file_system& operator=(const small_file_system&) = delete;

    bool mounted() const { return error_.empty(); }
    const std::string& error() const { return error_; }

  private:
    fs::path where_;
    std::string error_;
};

TEST_F(FileFaults, FullDiskStopsAtTheFileThatDoesNotFitAndKeepsItsEarlierVersion) {
    // One megabyte takes the sources and the documents but not the 1.7 MB compiled line.
    const small_file_system disk(folder_.path(), "1m");
    if (!disk.mounted()) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << disk.error()
                     << "); FileSizeLimitFailsLikeAFullDisk covers the same path";
    }
    for (const std::string& name : compiled_files) {
        put_file(folder_.path() / name, earlier_run);
    }

    const program_result result = run_program({"build", "--dir", folder_.string()});
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder: cannot write " +
                                         path_of(compiled_line_file) +
                                         ": No space left on device\n");
    for (const std::string& name : compiled_files) {
        expect_kept(name, earlier_run);
    }
    for (const std::string& name : document_files) {
        expect_complete(name);
    }
    expect_no_partial_files();
}

TEST_F(FileFaults, FileSizeLimitFailsLikeAFullDisk) {
    // The limit (in blocks of 512 or 1024 bytes, as the shell counts them) lets every text
    // file through and stops the compiled line, of 1.7 MB. The program must report the
    // refused write rather than die of the signal that the limit raises.
    for (const std::string& name : compiled_files) {
        put_file(folder_.path() / name, earlier_run);
    }
    const program_result result =
        run_program({"build", "--dir", folder_.string()}, "ulimit -f 1000 &&");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder: cannot write " +
                                         path_of(compiled_line_file) + ": File too large\n");
    for (const std::string& name : compiled_files) {
        expect_kept(name, earlier_run);
    }
    for (const std::string& name : document_files) {
        expect_complete(name);
    }
    expect_no_partial_files();
}

// An input of the compile command that is missing, is a folder or cannot be read. The compile
// checks its inputs before anything else: it names the one at fault and writes nothing, and
// every compiled file of the folder stays as it was.
struct input_fault_case {
    const char* name;
    std::string faulty;  // the name of the faulty source in the folder
    bool is_folder;      // a folder stands at its path; otherwise nothing does
    std::string train;   // the train number given to the compile
    std::string cause;
};

void PrintTo(const input_fault_case& c, std::ostream* out) {
    *out << c.name;
}

class CompileInputs : public FileFaults, public testing::WithParamInterface<input_fault_case> {
  protected:
    // Both sources of the built-in scenario and an earlier run's compiled files.
    void put_scenario() const {
        for (const std::string* source : {&line_source_file, &train_source_file}) {
            put_file(folder_.path() / *source, expected_bytes(*source));
        }
        for (const std::string& name : compiled_files) {
            put_file(folder_.path() / name, earlier_run);
        }
    }
    // Every file of the folder as put_scenario left it, and nothing else but `extra`.
    void expect_folder_as_it_was(const std::string& extra = "") const {
        for (const std::string* source : {&line_source_file, &train_source_file}) {
            if (fs::is_regular_file(folder_.path() / *source)) {
                expect_complete(*source);
            }
        }
        for (const std::string& name : compiled_files) {
            expect_kept(name, earlier_run);
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_.path())) {
            const std::string name = entry.path().filename().string();
            const bool known = name == line_source_file || name == train_source_file ||
                               name == extra ||
                               std::ranges::find(compiled_files, name) != compiled_files.end();
            EXPECT_TRUE(known) << "unexpected " << name;
        }
    }
};

TEST_P(CompileInputs, AreCheckedBeforeAnythingIsWritten) {
    const input_fault_case& c = GetParam();
    put_scenario();
    fs::remove(folder_.path() / c.faulty);
    if (c.is_folder) {
        fs::create_directory(folder_.path() / c.faulty);
    }

    std::vector<std::string> args = compile_args(folder_.path());
    args.back() = c.train;
    const program_result result = run_program(args);
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder compile: nothing was written: cannot read " +
                                         path_of(c.faulty) + ": " + c.cause + "\n");
    EXPECT_EQ(fs::is_directory(folder_.path() / c.faulty), c.is_folder);
    expect_folder_as_it_was(c.is_folder ? c.faulty : "");
}

INSTANTIATE_TEST_SUITE_P(
    Sources, CompileInputs,
    testing::Values(
        input_fault_case{"MissingLineSource", line_source_file, false, "5284",
                         "No such file or directory"},
        input_fault_case{"LineSourceIsAFolder", line_source_file, true, "5284", "Is a directory"},
        input_fault_case{"MissingTrainSource", train_source_file, false, "5284",
                         "No such file or directory"},
        input_fault_case{"TrainSourceIsAFolder", train_source_file, true, "5284", "Is a directory"},
        // A mistyped train number: no file compiled without a train beside the real ones,
        // and the compiled line, which the same line source would give, is not rewritten.
        input_fault_case{"MistypedTrainNumber", "Valdora_Rova_2210-.txt", false, "2210",
                         "No such file or directory"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CompileInputs, UnreadableSourceIsNamedWithItsCause) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as an unprivileged user";
    }
    // The folder is root's and may not be written by the program: the compile goes on
    // without the folder's lock, which it could not make, to the check of its sources.
    unprivileged_program program;
    fs::permissions(folder_.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    put_scenario();
    fs::permissions(folder_.path() / train_source_file, fs::perms::owner_read);

    const program_result result = program.run(compile_args(folder_.path()));
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder compile: nothing was written: cannot read " +
                                         path_of(train_source_file) + ": Permission denied\n");
    expect_folder_as_it_was();
}

TEST_F(CompileInputs, FolderThatIsMissingOrIsAFileIsNamed) {
    put_file(folder_.path() / "a_file", "not a folder");
    struct folder_case {
        std::string folder;
        std::string message;
    };
    for (const folder_case& c : {
             folder_case{path_of("missing"),
                         "the folder " + path_of("missing") + " does not exist"},
             folder_case{path_of("a_file"), path_of("a_file") + " is not a folder"},
         }) {
        const program_result result = run_program(compile_args(c.folder));
        EXPECT_EQ(result.exit_status, 2) << c.folder;
        EXPECT_EQ(result.standard_error,
                  "scenario-builder compile: nothing was written: " + c.message + "\n");
    }
    EXPECT_FALSE(fs::exists(folder_.path() / "missing"));
    EXPECT_EQ(read_text_file(folder_.path() / "a_file"), "not a folder");
}

}  // namespace
}  // namespace scenario
