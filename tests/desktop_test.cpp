// The desktop platform on a real X server. Each test runs tests/desktop/under_xvfb.sh, which
// starts a private Xvfb, runs the program on it and records what the program said about its
// windows, what the X server says about them, screenshots and the exit status; the checks
// are here. The test is skipped only where Xvfb is not installed (`make test` installs it).
#include <FL/Enumerations.H>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "support/program_run.h"

namespace scenario {
namespace {

using testing_support::read_text_file;
using testing_support::shell_quote;

const std::filesystem::path build_folder = SCENARIO_BINARY_DIR;

// Runs the command through /bin/sh and returns its exit status (-1 when it did not exit).
int run_shell(const std::string& command) {
    const int raw = std::system(command.c_str());
    return raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::vector<std::string> read_lines(const std::filesystem::path& path) {
    std::istringstream in(read_text_file(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

class DesktopUnderXvfb : public testing::Test {
  protected:
    void SetUp() override {
        if (run_shell("command -v Xvfb >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "Xvfb is not installed; `make test` installs it";
        }
    }

    // Runs the script in the mode; its records land in build/desktop_runs/<mode>.
    std::filesystem::path run_script(const std::string& mode) {
        const std::filesystem::path out = build_folder / "desktop_runs" / mode;
        const std::string command = shell_quote(SCENARIO_DESKTOP_SCRIPTS "/under_xvfb.sh") + " " +
                                    mode + " " + shell_quote(SCENARIO_BUILDER_EXE) + " " +
                                    shell_quote(out.string());
        EXPECT_EQ(run_shell(command), 0) << "the Xvfb run failed; see " << out;
        return out;
    }
};

int recorded_exit_status(const std::filesystem::path& out) {
    return std::stoi(read_text_file(out / "exit_status"));
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void keep_screenshot(const std::filesystem::path& png, const std::string& name) {
    const std::filesystem::path shots = build_folder / "screenshots";
    std::filesystem::create_directories(shots);
    std::filesystem::copy_file(png, shots / name,
                               std::filesystem::copy_options::overwrite_existing);
}

TEST_F(DesktopUnderXvfb, WaitingWindowShowsOneBoldLabelWhileTheBuildRuns) {
    const std::filesystem::path out = run_script("window");

    // Found by its title while the program was still running.
    EXPECT_EQ(read_text_file(out / "running_while_shown"), "yes\n");
    EXPECT_EQ(read_text_file(out / "title.txt"), "Scenario builder\n");
    const std::string geometry = read_text_file(out / "xwininfo.txt");
    EXPECT_TRUE(contains(geometry, "Width: 280\n")) << geometry;
    EXPECT_TRUE(contains(geometry, "Height: 179\n")) << geometry;

    // The window holds exactly one widget: the label.
    const std::vector<std::string> described = read_lines(out / "stderr.txt");
    ASSERT_EQ(described.size(), 2u) << read_text_file(out / "stderr.txt");
    EXPECT_TRUE(std::regex_match(
        described[0],
        std::regex(R"(window xid=0x[0-9a-f]+ title="Scenario builder" client=280x179 modal=no)")))
        << described[0];
    EXPECT_EQ(described[1], "widget kind=box label=\"Attendere\" x=64 y=64 w=177 h=53 font=" +
                                std::to_string(FL_HELVETICA_BOLD) + " size=32");

    // The screenshot is the client area and is not one flat colour.
    int width = 0;
    int height = 0;
    int colours = 0;
    ASSERT_EQ(std::sscanf(read_text_file(out / "png_info.txt").c_str(), "%d %d %d", &width, &height,
                          &colours),
              3);
    EXPECT_EQ(width, 280);
    EXPECT_EQ(height, 179);
    EXPECT_GT(colours, 1) << "the screenshot is blank";
    keep_screenshot(out / "window.png", "window.png");

    EXPECT_EQ(recorded_exit_status(out), exit_status::ok);
    EXPECT_TRUE(std::filesystem::exists(out / "scenario" / "Valdora_Rova_5284_scheda_treno.txt"));
}

TEST_F(DesktopUnderXvfb, ErrorBoxHasOneOkButtonAndOkEndsTheProgramWithFailure) {
    const std::filesystem::path out = run_script("error_box");

    const std::vector<std::string> described = read_lines(out / "stderr.txt");
    const auto box = std::find_if(described.begin(), described.end(), [](const std::string& line) {
        return std::regex_match(
            line,
            std::regex(
                R"(window xid=0x[0-9a-f]+ title="Scenario builder" client=\d+x\d+ modal=yes)"));
    });
    ASSERT_NE(box, described.end()) << read_text_file(out / "stderr.txt");
    // The box's widgets: the text with its leading blank and one button, nothing else.
    const std::vector<std::string> widgets(box + 1, described.end());
    ASSERT_EQ(widgets.size(), 2u) << read_text_file(out / "stderr.txt");
    EXPECT_TRUE(widgets[0].starts_with("widget kind=box label=\" Errore n. 1250\" ")) << widgets[0];
    EXPECT_TRUE(widgets[1].starts_with("widget kind=button label=\"OK\" ")) << widgets[1];

    // The X server shows the box under the application's title.
    EXPECT_EQ(read_text_file(out / "title.txt"), "Scenario builder\n");
    const std::vector<std::string> titled = read_lines(out / "titled_windows.txt");
    EXPECT_NE(std::find(titled.begin(), titled.end(), read_lines(out / "box_id.txt").at(0)),
              titled.end());
    keep_screenshot(out / "error_box.png", "error_box.png");

    // The box held the program until OK; then it ended at once with a failure status, and
    // nothing was written after the call.
    EXPECT_EQ(read_text_file(out / "running_before_ok"), "yes\n");
    EXPECT_EQ(recorded_exit_status(out), exit_status::fatal);
    EXPECT_EQ(read_text_file(out / "files.txt"), "Valdora_Rova_linea.txt\n");
}

TEST_F(DesktopUnderXvfb, ServerThatRefusesTheConnectionMeansHeadless) {
    const std::filesystem::path out = run_script("refused");

    EXPECT_EQ(recorded_exit_status(out), exit_status::ok);
    EXPECT_EQ(read_text_file(out / "stderr.txt"), "");
    EXPECT_EQ(read_text_file(out / "stdout.txt"), "");
    EXPECT_TRUE(std::filesystem::exists(out / "scenario" / "Valdora_Rova_5284_scheda_treno.txt"));
}

}  // namespace
}  // namespace scenario
