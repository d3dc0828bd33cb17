// What a run does before its work. Which shared libraries it loads, read from the dynamic
// loader's own account of the files it opens (LD_DEBUG=files): the built-in build and
// `compile` load nothing but the C library and what the core needs, and only `plot` loads
// the drawing module and the libraries under it; what `plot` says when its module is
// missing or not its own; and the lone --version, answered without the parser.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/exit_status.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::program_result;
using testing_support::replace_every;
using testing_support::run_program;
using testing_support::run_program_at;
using testing_support::temporary_folder;

const std::filesystem::path build_folder = SCENARIO_BINARY_DIR;
const std::filesystem::path program_path = SCENARIO_BUILDER_EXE;

// The file names that the loader reports opening, from lines such as
// "  1234:\tfile=libm.so.6 [0];  needed by ./scenario-builder [0]".
std::set<std::string> loaded_files(const std::string& loader_report) {
    std::set<std::string> files;
    std::istringstream in(loader_report);
    for (std::string line; std::getline(in, line);) {
        const std::size_t start = line.find("file=");
        if (start == std::string::npos) {
            continue;
        }
        const std::size_t end = line.find_first_of(" \t", start);
        const std::string path = line.substr(start + 5, end - start - 5);
        files.insert(std::filesystem::path(path).filename().string());
    }
    return files;
}

// The libraries of drawing and of windows, and the program's own modules that load them.
bool draws_or_shows_windows(const std::string& file) {
    for (const char* part : {"cairo", "pixman", "fontconfig", "freetype", "png", "libX", "xcb",
                             "fltk", "scenario-plot", "scenario-desktop"}) {
        if (file.find(part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// What a run may load besides: the C library and its mathematics. The sanitizer build adds
// its run-time libraries and the shared C++ runtime.
bool needed_by_the_core(const std::string& file) {
#if defined(__SANITIZE_ADDRESS__)
    for (const char* part : {"libasan", "libubsan", "libstdc++", "libgcc_s"}) {
        if (file.starts_with(part)) {
            return true;
        }
    }
#endif
    return file == "libc.so.6" || file == "libm.so.6";
}

// The program and its two modules copied into a folder of their own, whose built-in build
// lands beside them.
class program_copy {
  public:
    program_copy() {
        for (const char* name : {"scenario-desktop.so", "scenario-plot.so"}) {
            std::filesystem::copy_file(build_folder / name, folder_.path() / name);
        }
        std::filesystem::copy_file(program_path, program());
    }
    std::filesystem::path program() const { return folder_.path() / "scenario-builder"; }

  private:
    temporary_folder folder_;
};

struct loading_case {
    const char* name;
    std::vector<std::string> args;  // DIR stands for a folder that holds the built-in sources
};

class LoadedLibraries : public testing::TestWithParam<loading_case> {};

TEST_P(LoadedLibraries, RunWithoutDrawingLoadsOnlyTheCLibrary) {
    const program_copy copy;
    temporary_folder folder;
    ASSERT_EQ(run_program({"sources", "--dir", folder.string()}).exit_status, exit_status::ok);
    std::vector<std::string> args = GetParam().args;
    for (std::string& arg : args) {
        if (arg == "DIR") {
            arg = folder.string();
        }
    }
    const program_result result =
        run_program_at(copy.program().string(), args, "env LD_DEBUG=files");
    ASSERT_EQ(result.exit_status, exit_status::ok) << result.standard_error;
    const std::set<std::string> files = loaded_files(result.standard_error);
    ASSERT_FALSE(files.empty()) << "the loader reported nothing:\n" << result.standard_error;
    for (const std::string& file : files) {
        EXPECT_FALSE(draws_or_shows_windows(file)) << file;
        EXPECT_TRUE(needed_by_the_core(file)) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, LoadedLibraries,
                         testing::Values(loading_case{"BuiltinBuildWithoutArguments", {}},
                                         loading_case{"BuildCommand", {"build", "--dir", "DIR"}},
                                         loading_case{"Compile",
                                                      {"compile", "--dir", "DIR", "--route",
                                                       "Valdora_Rova", "--train", "5284"}},
                                         loading_case{"Version", {"--version"}}),
                         [](const testing::TestParamInfo<loading_case>& info) {
                             return info.param.name;
                         });

// The check above can see a library: `plot` loads its module and cairo under it.
TEST(LoadedLibraries, PlotAloneLoadsTheDrawingModuleAndCairo) {
    temporary_folder folder;
    ASSERT_EQ(run_program({"build", "--dir", folder.string()}).exit_status, exit_status::ok);
    const program_result result = run_program(
        {"plot", "--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"},
        "env LD_DEBUG=files");
    ASSERT_EQ(result.exit_status, exit_status::ok) << result.standard_error;
    const std::set<std::string> files = loaded_files(result.standard_error);
    EXPECT_TRUE(files.contains("scenario-plot.so"));
    EXPECT_TRUE(files.contains("libcairo.so.2"));
}

// A folder that holds the program, a compiled scenario and, in place of the drawing module,
// whatever the case puts there.
struct module_case {
    const char* name;
    const char* module_source;  // a file of the build folder copied as the module, or none
    const char* message;        // after "scenario-builder plot: ", FOLDER for the folder
};

class PlotModule : public testing::TestWithParam<module_case> {};

TEST_P(PlotModule, PlotWithoutItsOwnModuleSaysSoAndStops) {
    temporary_folder folder("scenario-test-FOLDER-");
    std::filesystem::copy_file(program_path, folder.path() / "scenario-builder");
    if (GetParam().module_source != nullptr) {
        std::filesystem::copy_file(build_folder / GetParam().module_source,
                                   folder.path() / "scenario-plot.so");
    }
    const std::string program = (folder.path() / "scenario-builder").string();
    ASSERT_EQ(run_program_at(program, {}).exit_status, exit_status::ok);
    const program_result result = run_program_at(
        program, {"plot", "--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"});
    EXPECT_EQ(result.exit_status, exit_status::fatal);
    EXPECT_EQ(result.standard_output, "");
    EXPECT_EQ(result.standard_error,
              // The parent first: the folder's own name may hold "PARENT", the parent's
              // cannot hold "FOLDER".
              replace_every(
                  replace_every(std::string("scenario-builder plot: ") + GetParam().message + "\n",
                                "PARENT", folder.path().parent_path().string()),
                  "FOLDER", folder.string()));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "Valdora_Rova_5284.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Modules, PlotModule,
    testing::Values(
        module_case{"Missing", nullptr,
                    "cannot draw without the drawing module: FOLDER/scenario-plot.so is missing: "
                    "it belongs beside the program (or, installed, in "
                    "PARENT/lib/scenario-builder)"},
        module_case{"TheDesktopModuleInItsPlace", "scenario-desktop.so",
                    "cannot draw without the drawing module: FOLDER/scenario-plot.so is not a "
                    "module of this program: it has no scenario_drawing_module"}),
    [](const testing::TestParamInfo<module_case>& info) { return info.param.name; });

TEST(PlotModule, FileThatIsNotASharedObjectIsNamedWithTheLoadersReason) {
    temporary_folder folder;
    std::filesystem::copy_file(program_path, folder.path() / "scenario-builder");
    std::ofstream(folder.path() / "scenario-plot.so") << "not a module\n";
    const std::string program = (folder.path() / "scenario-builder").string();
    ASSERT_EQ(run_program_at(program, {}).exit_status, exit_status::ok);
    const program_result result = run_program_at(
        program, {"plot", "--dir", folder.string(), "--route", "Valdora_Rova", "--train", "5284"});
    EXPECT_EQ(result.exit_status, exit_status::fatal);
    EXPECT_TRUE(result.standard_error.starts_with(
        "scenario-builder plot: cannot draw without the drawing module: cannot load " +
        folder.string() + "/scenario-plot.so: "))
        << result.standard_error;
}

// The parser answers --version among other arguments; alone, the program answers it without
// building the parser, in the same words.
TEST(LoneVersion, AnswersInTheParsersWords) {
    const program_result lone = run_program({"--version"});
    const program_result parsed = run_program({"--version", "--help"});
    EXPECT_EQ(lone.exit_status, exit_status::ok);
    EXPECT_EQ(parsed.exit_status, exit_status::ok);
    EXPECT_EQ(lone.standard_output, parsed.standard_output);
    EXPECT_EQ(lone.standard_output, "scenario-builder " SCENARIO_VERSION_TEXT "\n");
    EXPECT_EQ(lone.standard_error, "");
}

}  // namespace
}  // namespace scenario
