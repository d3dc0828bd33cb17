#include "compiler/source_cursor.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct containing_case {
    const char* name;
    std::string field;
    std::string word;
    bool contained;
};

class ContainsIgnoringCase : public testing::TestWithParam<containing_case> {};

TEST_P(ContainsIgnoringCase, FindsTheWordAnywhereInEitherCase) {
    EXPECT_EQ(contains_ignoring_case(GetParam().field, GetParam().word), GetParam().contained);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ContainsIgnoringCase,
    testing::Values(containing_case{"WordAlone", "pendenza", "pendenza", true},
                    containing_case{"WordInCapitals", "PENDENZA", "pendenza", true},
                    containing_case{"MixedCaseInsideText", "la PenDenza nuova", "pendenza", true},
                    containing_case{"WordAtTheVeryEnd", "xxxxpendenza", "pendenza", true},
                    containing_case{"WordCutAtTheEnd", "xxxxpendenz", "pendenza", false},
                    containing_case{"FirstLetterInBothCasesBeforeIt", "pPpPpendenzA", "pendenza",
                                    true},
                    containing_case{"BracketsHaveNoCase", "  [Generale] ", "[generale]", true},
                    containing_case{"DigitsHaveNoCase", "curvad4", "4", true},
                    containing_case{"WordLongerThanField", "pen", "pendenza", false},
                    containing_case{"EmptyWordStandsEverywhere", "", "", true},
                    // Only ASCII letters fold: the bytes beyond are compared as they are.
                    containing_case{"BytesBeyondAsciiDoNotFold", "citt\xC0", "citt\xE0", false},
                    containing_case{"LongFieldWithTheWordLast",
                                    std::string(1 << 20, 'p') + "Pendenza", "pendenza", true},
                    containing_case{"LongFieldOfFirstLettersOnly", std::string(1 << 20, 'P'),
                                    "pendenza", false}),
    [](const testing::TestParamInfo<containing_case>& info) { return info.param.name; });

}  // namespace
}  // namespace scenario
