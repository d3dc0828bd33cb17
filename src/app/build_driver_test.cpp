// How the build ends after the compile routine.
#include "app/build_driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/exit_status.h"

namespace scenario {
namespace {

class recording_platform final : public platform {
  public:
    void show_window() override {}
    void close_window() override { ++windows_closed; }
    void show_error_box(const std::string& text) override { boxes.push_back(text); }

    std::vector<std::string> boxes;
    int windows_closed = 0;
};

TEST(EndBuild, StampInUseShowsTheFatalErrorBoxWithItsCode) {
    for (const char* code : {"1250", "1251"}) {
        recording_platform desktop;
        compile_outcome outcome;
        outcome.how = compile_outcome::end::stamp_in_use;
        outcome.fatal_code = code;
        EXPECT_EQ(end_build(desktop, outcome), exit_status::fatal);
        EXPECT_EQ(desktop.boxes, std::vector<std::string>{std::string(" Errore n. ") + code});
    }
}

TEST(EndBuild, RecordedErrorsEndTheBuildNormallyWithoutAMessage) {
    recording_platform desktop;
    EXPECT_EQ(end_build(desktop, compile_outcome{}), exit_status::ok);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(desktop.windows_closed, 1);
}

TEST(EndBuild, FailureOutsideTheCompilerStopsWithoutTheErrorBox) {
    for (const auto how : {compile_outcome::end::no_grid, compile_outcome::end::write_failed}) {
        recording_platform desktop;
        compile_outcome outcome;
        outcome.how = how;
        outcome.message = "cannot write x";
        EXPECT_EQ(end_build(desktop, outcome), exit_status::fatal);
        EXPECT_TRUE(desktop.boxes.empty());
        EXPECT_EQ(desktop.windows_closed, 1);
    }
}

}  // namespace
}  // namespace scenario
