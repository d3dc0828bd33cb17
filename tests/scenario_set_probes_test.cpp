// Probes of the files that belong together and of the names that make them, through the real
// program: compiled files that are not one compile's are refused by every reader, naming the
// file out of step; a compile that fails while writing leaves the earlier set whole; every
// command refuses the names that `compile` refuses; two scenarios whose names give the same
// files are told; and the messages of a command line that is not understood say what is wrong.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "format/compiled_files.h"
#include "support/program_run.h"
#include "support/scenario_folder_files.h"
#include "support/shell_run.h"

namespace scenario {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;

const std::string route = "Valdora_Rova";
const std::string train = "5284";

std::vector<std::string> compile_args(const fs::path& folder, const std::string& route_name,
                                      const std::string& train_name, bool with_line = true) {
    std::vector<std::string> args = {"compile",  "--dir",   folder.string(), "--route",
                                     route_name, "--train", train_name};
    if (!with_line) {
        args.push_back("--no-line");
    }
    return args;
}

// The built-in line source made 1000 m longer: its grid has 20 cells more.
void lengthen_line(const fs::path& folder) {
    std::string line = read_text_file(folder / line_source_file);
    const std::size_t at = line.find("lunghezza percorso,    82000");
    ASSERT_NE(at, std::string::npos);
    line.replace(at, 28, "lunghezza percorso,    83000");
    put_file(folder / line_source_file, line);
}

void compile_in(const fs::path& folder, bool with_line = true) {
    const program_result compiled = run_program(compile_args(folder, route, train, with_line));
    ASSERT_EQ(compiled.exit_status, 0) << compiled.standard_error;
}

class ScenarioSetProbes : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(run_program({"sources", "--dir", folder_.string()}).exit_status, 0);
        compile_in(folder_.path());
    }
    fs::path path_of(const std::string& name) const { return folder_.path() / name; }

    temporary_folder folder_;
};

struct out_of_step_case {
    const char* name;
    std::function<void(const fs::path&)> make;  // leaves the compiled folder out of step
    std::string file;                           // the file that the message names first
    std::string message;
};

TEST_F(ScenarioSetProbes, EveryReaderRefusesFilesOfDifferentCompiles) {
    const out_of_step_case cases[] = {
        {"OldGridBesideNewItems",
         [](const fs::path& folder) {
             const std::string old_grid = read_text_file(folder / grid_file);
             lengthen_line(folder);
             compile_in(folder);
             put_file(folder / grid_file, old_grid);
         },
         grid_file,
         " holds 1781 cells, but the item file " + std::string() +
             "%ITEMS% gives a line of 83000 m, whose grid has 1801 cells: the two are not from "
             "the same compile: compile the scenario again"},
        {"LineFileLeftByACompileWithoutTheLine",
         [](const fs::path& folder) {
             lengthen_line(folder);
             compile_in(folder, /*with_line=*/false);
         },
         compiled_line_file, " holds the plan of a line of 82000 m (89001 rows), but "},
        {"GridOfAnotherTrain",
         [](const fs::path& folder) {
             fs::copy_file(folder / train_source_file, folder / "Valdora_Rova_9999-.txt");
             ASSERT_EQ(run_program(compile_args(folder, route, "9999")).exit_status, 0);
             fs::copy_file(folder / "Valdora_Rova_9999.dat", folder / grid_file,
                           fs::copy_options::overwrite_existing);
             for (const char* name :
                  {"Valdora_Rova_9999.sim", "Valdora_Rova_9999.dat", "Valdora_Rova_9999-.txt"}) {
                 fs::remove(folder / name);
             }
         },
         grid_file, " holds the scenario code "},
        {"GridCutShort",
         [](const fs::path& folder) {
             fs::resize_file(folder / grid_file, std::uintmax_t{1000} * 15);
         },
         grid_file, " holds 1000 cells, but the item file "},
    };
    for (const out_of_step_case& c : cases) {
        temporary_folder folder;
        ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, 0);
        compile_in(folder.path());
        c.make(folder.path());
        const std::string named = (folder.path() / c.file).string();
        std::string message = c.message;
        if (const std::size_t at = message.find("%ITEMS%"); at != std::string::npos) {
            message.replace(at, 7, (folder.path() / item_file).string());
        }
        const std::vector<std::pair<std::string, std::vector<std::string>>> readers = {
            {"inspect", {"inspect", "--summary", folder.string()}},
            {"diff", {"diff", folder.string(), folder_.string()}},
            {"plot",
             {"plot", "--dir", folder.string(), "--route", route, "--train", train, "--out",
              (folder.path() / "sheet.svg").string()}},
        };
        for (const auto& [command, args] : readers) {
            const program_result result = run_program(args);
            EXPECT_EQ(result.exit_status, 2) << c.name << ", " << command;
            EXPECT_EQ(result.standard_output, "") << c.name << ", " << command;
            std::string expected = "scenario-builder ";
            expected.append(command).append(": ").append(named).append(message);
            EXPECT_TRUE(result.standard_error.starts_with(expected))
                << c.name << ", " << command << ": " << result.standard_error;
        }
        EXPECT_FALSE(fs::exists(folder.path() / "sheet.svg")) << c.name;
        // A compile puts the set in step again.
        compile_in(folder.path());
        EXPECT_EQ(run_program({"inspect", "--summary", folder.string()}).exit_status, 0) << c.name;
    }
}

TEST_F(ScenarioSetProbes, WriteThatFailsLeavesTheEarlierSetWhole) {
    compile_in(folder_.path(), /*with_line=*/false);
    const std::string items = read_text_file(path_of(item_file));
    const std::string grid = read_text_file(path_of(grid_file));
    lengthen_line(folder_.path());
    // The item file (some 3 KB) fits under the limit, the grid (26 KB) does not.
    const program_result result =
        run_program_with_output(compile_args(folder_.path(), route, train, /*with_line=*/false),
                                ">/dev/null", "ulimit -f 10");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_NE(result.standard_error.find("cannot write " + path_of(grid_file).string() +
                                         ": File too large"),
              std::string::npos)
        << result.standard_error;
    EXPECT_EQ(read_text_file(path_of(item_file)), items) << "the item file was replaced alone";
    EXPECT_EQ(read_text_file(path_of(grid_file)), grid);
    EXPECT_TRUE(partial_files_in(folder_.path()).empty());
    EXPECT_EQ(run_program({"inspect", "--summary", folder_.string()}).exit_status, 0);
}

TEST_F(ScenarioSetProbes, EveryCommandRefusesTheNamesThatCompileRefuses) {
    const std::string dir = folder_.string();
    const std::string out = (folder_.path() / "x.svg").string();
    const std::vector<std::string> commands[] = {
        {"compile", "--dir", dir, "--train", train},
        {"check", "--dir", dir, "--train", train},
        {"view", "--dir", dir, "--train", train, "--out", (folder_.path() / "x.html").string()},
        {"watch", "--dir", dir, "--train", train},
        {"plot", "--dir", dir, "--train", train, "--out", out},
        {"inspect", "--summary", "--dir", dir, "--train", train},
        {"diff", dir, dir, "--train", train},
        {"documents", "--dir", dir, "--train", train},
    };
    struct name_case {
        std::string route;
        std::string message;
    };
    const name_case names[] = {
        {"../x",
         "--route contains a path separator: the route and the train name files in "
         "DIR, so each must be a plain part of a file name\n"},
        {"x..", "--route contains \"..\": "},
        {"x\x1b", "--route contains a control character: "},
    };
    std::vector<std::string> files_before;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        files_before.push_back(entry.path().filename().string());
    }
    for (const std::vector<std::string>& command : commands) {
        for (const name_case& name : names) {
            std::vector<std::string> args = command;
            args.push_back("--route");
            args.push_back(name.route);
            const program_result result = run_program(args, "timeout 20");
            EXPECT_EQ(result.exit_status, 64) << command[0] << " " << name.route;
            EXPECT_TRUE(result.standard_error.starts_with("scenario-builder " + command[0] + ": " +
                                                          name.message))
                << command[0] << ": " << result.standard_error;
        }
    }
    std::vector<std::string> files_after;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
        files_after.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(files_after, files_before);
    EXPECT_FALSE(fs::exists(folder_.path().parent_path() / "x_5284.sim"));
}

TEST_F(ScenarioSetProbes, ScenariosWhoseFileNamesCollideAreTold) {
    // Route "Lago" with train "1_2" and route "Lago_1" with train "2": the same item file,
    // grid file and train source, two line sources.
    const temporary_folder lake;
    const fs::path& at = lake.path();
    fs::copy_file(path_of(line_source_file), at / "Lago_linea.txt");
    fs::copy_file(path_of(line_source_file), at / "Lago_1_linea.txt");
    fs::copy_file(path_of(train_source_file), at / "Lago_1_2-.txt");
    ASSERT_EQ(run_program(compile_args(at, "Lago", "1_2")).exit_status, 0);
    const std::string items = read_text_file(at / "Lago_1_2.sim");
    const std::string grid = read_text_file(at / "Lago_1_2.dat");

    const program_result second = run_program(compile_args(at, "Lago_1", "2"));
    EXPECT_EQ(second.exit_status, 2);
    EXPECT_EQ(second.standard_error,
              "scenario-builder compile: nothing was written: " + (at / "Lago_1_2.sim").string() +
                  " holds route Lago with train 1_2, another scenario whose file names are the "
                  "same as those of route Lago_1 with train 2: compiling would replace its "
                  "files; give one of the two another route or train name, or compile them in "
                  "folders of their own\n");
    EXPECT_EQ(read_text_file(at / "Lago_1_2.sim"), items);
    EXPECT_EQ(read_text_file(at / "Lago_1_2.dat"), grid);
    EXPECT_FALSE(fs::exists(at / "Lago_1_linea.dat"));

    const program_result read = run_program(
        {"inspect", "--summary", "--dir", at.string(), "--route", "Lago_1", "--train", "2"});
    EXPECT_EQ(read.exit_status, 2);
    EXPECT_NE(read.standard_error.find("Lago_1_2.sim holds route Lago with train 1_2, not route "
                                       "Lago_1 with train 2"),
              std::string::npos)
        << read.standard_error;
    // The same route and train compile again as ever.
    EXPECT_EQ(run_program(compile_args(at, "Lago", "1_2")).exit_status, 0);
}

TEST_F(ScenarioSetProbes, MessagesSayWhatIsWrong) {
    const std::string dir = folder_.string();
    const std::string long_route(220, 'R');
    struct message_case {
        std::vector<std::string> args;
        int exit_status;
        std::string message;  // how standard error starts
    };
    const message_case cases[] = {
        {{"build", "--dir", ""}, 64, "scenario-builder: --dir is empty: give a folder's path"},
        {{"sources", "--dir", ""}, 64, "scenario-builder: --dir is empty: "},
        {{"compile", "--dir", "", "--route", route, "--train", train},
         64,
         "scenario-builder compile: --dir is empty: "},
        {{"inspect", "--summary", "--dir", ""}, 64, "scenario-builder inspect: --dir is empty: "},
        {{"plot", "--dir", "", "--route", route, "--train", train},
         64,
         "scenario-builder plot: --dir is empty: "},
        {{"--bogus"},
         64,
         "usage: scenario-builder [COMMAND ...] (see --help): unknown option "
         "'--bogus'\n"},
        {{"inspect", "--bogus"},
         64,
         "usage: scenario-builder [COMMAND ...] (see --help): "
         "unknown option '--bogus'\n"},
        {{"nosuch", "--help"},
         64,
         "usage: scenario-builder [COMMAND ...] (see --help): "
         "unknown command 'nosuch'\n"},
        {{"compile", "--dir", dir, "--route", long_route, "--train", train},
         64,
         "scenario-builder compile: --route and --train are too long together: the scenario's "
         "file " +
             long_route + "_5284_rallentamenti.txt is written first as ." + long_route +
             "_5284_rallentamenti.txt.partial-XXXXXX, a name of 259 bytes, and a file name has "
             "at most 255: give a shorter route or train\n"},
        {{"plot", "--dir", dir, "--route", route, "--train", train, "--from", "0x10"},
         64,
         "usage: scenario-builder [COMMAND ...] (see --help): --from: give kilometres as a "
         "decimal number such as 12.5, not 0x10"},
        {{"inspect", (folder_.path() / grid_file).string(), "--cells", "5000.."},
         2,
         "scenario-builder inspect: --cells 5000..: the grid has cells 0 to 1780, none from "
         "cell 5000\n"},
    };
    for (const message_case& c : cases) {
        const program_result result = run_program(c.args);
        EXPECT_EQ(result.exit_status, c.exit_status) << c.args[0] << ": " << result.standard_error;
        EXPECT_EQ(result.standard_output, "") << c.args[0];
        EXPECT_TRUE(result.standard_error.starts_with(c.message))
            << c.args[0] << ": " << result.standard_error;
    }
}

TEST_F(ScenarioSetProbes, FileOfALengthNoCompileMakesIsRefusedAlone) {
    // A grid of 100 cells, a whole number of cells but fewer than a line of 0 m has, and the
    // plan of a line of 100 rows.
    fs::resize_file(path_of(grid_file), std::uintmax_t{100} * 15);
    put_file(path_of(compiled_line_file), encode_line_file(profilo_linea(99)));
    struct alone_case {
        std::vector<std::string> args;
        std::string message;
    };
    const alone_case cases[] = {
        {{"inspect", path_of(grid_file).string()},
         path_of(grid_file).string() +
             ": not a compiled grid file: it holds 100 cells, and the grid of a line of 0 to "
             "1000000 m has 141 to 20141\n"},
        {{"inspect", path_of(grid_file).string(), "--csv"},
         path_of(grid_file).string() + ": not a compiled grid file: it holds 100 cells, "},
        {{"inspect", path_of(compiled_line_file).string()},
         path_of(compiled_line_file).string() +
             ": not a compiled line file: it holds 100 rows of the plan, and the plan of a line "
             "of 0 to 1000000 m has 7001 to 1007001\n"},
    };
    for (const alone_case& c : cases) {
        const program_result result = run_program(c.args);
        EXPECT_EQ(result.exit_status, 2) << result.standard_error;
        EXPECT_EQ(result.standard_output, "");
        EXPECT_TRUE(result.standard_error.starts_with("scenario-builder inspect: " + c.message))
            << result.standard_error;
    }
}

TEST_F(ScenarioSetProbes, FolderThatCannotBeListedIsToldAsSuch) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the program as an unprivileged user";
    }
    // A folder that its owner may enter but not list: the program runs as "nobody" from a
    // copy that nobody may run.
    const temporary_folder bin;
    fs::permissions(bin.path(),
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::copy_file(SCENARIO_BUILDER_EXE, bin.path() / "scenario-builder");
    fs::permissions(folder_.path(), fs::perms::owner_all | fs::perms::others_exec);
    const program_result result =
        run_program_at((bin.path() / "scenario-builder").string(),
                       {"inspect", "--summary", "--dir", folder_.string()}, "runuser -u nobody --");
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(result.standard_error, "scenario-builder inspect: cannot list the files of " +
                                         folder_.string() + ": Permission denied\n");
}

}  // namespace
}  // namespace scenario
