#include "app/test_seams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace scenario {
namespace {

// Sets an environment variable for one test and restores its absence afterwards.
class scoped_environment {
  public:
    scoped_environment(const char* name, const char* value) : name_(name) {
        setenv(name, value, 1);
    }
    ~scoped_environment() { unsetenv(name_); }
    scoped_environment(const scoped_environment&) = delete;
    scoped_environment& operator=(const scoped_environment&) = delete;

  private:
    const char* name_;
};

struct seam_case {
    const char* name;
    const char* value;
    const char* forced_code;
    int hold_ms;
};

class SeamValues : public testing::TestWithParam<seam_case> {};

// A seam switches on only for a value a test means; anything else leaves the run as it is.
TEST_P(SeamValues, OnlyExactValuesSwitchASeamOn) {
    const seam_case& c = GetParam();
    const scoped_environment error("SCENARIO_TEST_FORCE_ERROR", c.value);
    const scoped_environment hold("SCENARIO_TEST_HOLD_WINDOW_MS", c.value);
    EXPECT_EQ(test_seams::forced_error_code(), c.forced_code);
    EXPECT_EQ(test_seams::window_hold().count(), c.hold_ms);
}

INSTANTIATE_TEST_SUITE_P(
    Values, SeamValues,
    testing::Values(seam_case{"Empty", "", "", 0}, seam_case{"Code1250", "1250", "1250", 1250},
                    seam_case{"Code1251", "1251", "1251", 1251},
                    seam_case{"OtherCode", "125", "", 125},
                    seam_case{"TrailingBlank", "1250 ", "", 0}, seam_case{"Negative", "-5", "", 0},
                    seam_case{"Word", "yes", "", 0},
                    seam_case{"HoldCappedAtAMinute", "999999", "", 60000}),
    [](const testing::TestParamInfo<seam_case>& info) { return info.param.name; });

TEST(SeamSwitches, UnsetMeansOff) {
    unsetenv("SCENARIO_TEST_FORCE_ERROR");
    unsetenv("SCENARIO_TEST_HOLD_WINDOW_MS");
    unsetenv("SCENARIO_TEST_DESCRIBE_WINDOWS");
    EXPECT_EQ(test_seams::forced_error_code(), "");
    EXPECT_EQ(test_seams::window_hold().count(), 0);
    EXPECT_FALSE(test_seams::describe_windows());
}

}  // namespace
}  // namespace scenario
