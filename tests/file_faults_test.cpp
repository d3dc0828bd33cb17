// Failures of the file system met by the program as users run it: a folder or a file that may
// not be written, a disk that fills up, a source that is missing or is a folder. Each stops
// with a message that names the file and the cause and a non-zero exit status, and leaves
// every file that the run did not finish as it was.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

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
    expect_kept(grid_file, earlier_run);
    // Everything before the grid file was written whole.
    for (const std::string& name :
         {route_notes_file, slowdown_order_file, train_sheet_file, compiled_line_file, item_file}) {
        expect_complete(name);
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

// A source file of the compile command that is missing or is a folder.
struct source_fault_case {
    const char* name;
    const std::string* source;  // the faulty source; the other one is complete
    bool is_folder;             // a folder stands at its path; otherwise nothing does
    int exit_status;
    std::string message;  // the last line printed; FILE stands for the faulty source's path
    bool compiled;        // whether the compiled files are written (from what could be read)
};

void PrintTo(const source_fault_case& c, std::ostream* out) {
    *out << c.name;
}

class SourceFaults : public FileFaults, public testing::WithParamInterface<source_fault_case> {};

TEST_P(SourceFaults, AreNamedWithTheCauseAndLeaveEveryFileWholeOrAsItWas) {
    const source_fault_case& c = GetParam();
    for (const std::string* source : {&line_source_file, &train_source_file}) {
        if (source != c.source) {
            put_file(folder_.path() / *source, expected_bytes(*source));
        }
    }
    if (c.is_folder) {
        fs::create_directory(folder_.path() / *c.source);
    }
    for (const std::string& name : compiled_files) {
        put_file(folder_.path() / name, earlier_run);
    }

    const program_result result = run_program(compile_args(folder_.path()));
    EXPECT_EQ(result.exit_status, c.exit_status);
    std::string message = c.message;
    message.replace(message.find("FILE"), 4, path_of(*c.source));
    EXPECT_TRUE(result.standard_error.ends_with(message + "\n")) << result.standard_error;

    for (const std::string* source : {&line_source_file, &train_source_file}) {
        if (source != c.source) {
            expect_complete(*source);
        }
    }
    EXPECT_EQ(fs::is_directory(folder_.path() / *c.source), c.is_folder);
    if (c.compiled) {
        // The line alone gives the built-in grid: 1781 cells of 15 bytes.
        EXPECT_EQ(fs::file_size(folder_.path() / grid_file), 26715u);
        expect_complete(compiled_line_file);
    } else {
        for (const std::string& name : compiled_files) {
            expect_kept(name, earlier_run);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceFaults,
    testing::Values(
        source_fault_case{
            "MissingLineSource", &line_source_file, false, 2,
            "scenario-builder compile: nothing was written: the line file FILE gives no cell grid "
            "(error 101: the line file does not exist)",
            false},
        source_fault_case{
            "LineSourceIsAFolder", &line_source_file, true, 2,
            "scenario-builder compile: nothing was written: the line file FILE gives no cell grid "
            "(error 101: the line file is a directory, not a file)",
            false},
        // The train half fails as a recorded error: the build goes on with what the line
        // gave, as it does for every error recorded while compiling.
        source_fault_case{
            "MissingTrainSource", &train_source_file, false, 1,
            "FILE: error 25: the train file cannot be read: No such file or directory", true},
        source_fault_case{"TrainSourceIsAFolder", &train_source_file, true, 1,
                          "FILE: error 25: the train file cannot be read: Is a directory", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
