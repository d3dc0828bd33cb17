#include "compiler/record_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenario {
namespace {

struct split_case {
    const char* name;
    std::string line;
    std::vector<std::string> found;  // as written
    std::vector<bool> thousands;
};

class SplitNumbers : public testing::TestWithParam<split_case> {};

TEST_P(SplitNumbers, AreFoundStandingAlone) {
    const split_case& c = GetParam();
    const std::vector<split_number> found = find_split_numbers(c.line, 1);
    ASSERT_EQ(found.size(), c.found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].text, c.found[i]);
        EXPECT_EQ(found[i].thousands, c.thousands[i]);
        EXPECT_EQ(
            c.line.substr(static_cast<std::size_t>(found[i].column - 1), found[i].text.size()),
            c.found[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitNumbers,
    testing::Values(
        split_case{"ThousandsSeparator", "pendenza, 12,000, 4", {"12,000"}, {true}},
        split_case{"DecimalComma", "pendenza  , 6000   , -3,5", {"-3,5"}, {false}},
        split_case{"FourDigitsAfterTheCommaAreNoThousands", "x, 1,0000", {"1,0000"}, {false}},
        split_case{"KeyWithADigitIsNoNumber", "curvas3,  3000,  400", {}, {}},
        split_case{"ChainedValuesAreAList", "stazione, 0, 8, 400, 1, 0, 0, 4,0,0, 2,1,0", {}, {}},
        // Where the author lists values with tight commas, "8,15" is two values too; a group
        // of three digits is still taken for thousands.
        split_case{"TightListKeepsOnlyThousands",
                   "stazione, 1,500, 2, 600, 0, 0, 1, 1,1,0, 4,1,1, 0, 8,15, 0, A",
                   {"1,500"},
                   {true}},
        split_case{
            "TimeWithoutTightListsIsTaken", "stazione, 0, 8, 400, 8,15, 0, A", {"8,15"}, {false}}),
    [](const testing::TestParamInfo<split_case>& info) { return info.param.name; });

}  // namespace
}  // namespace scenario
