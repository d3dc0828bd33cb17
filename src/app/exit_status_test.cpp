// The one mapping of outcomes to exit statuses: 0 success, 1 a compile that wrote its files
// with errors that count, 2 a command that stopped, 64 a request that is not understood.
#include "app/exit_status.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct kind_case {
    const char* name;
    status_kind kind;
    int exit_status;
};

class ExitStatusOfAKind : public testing::TestWithParam<kind_case> {};

TEST_P(ExitStatusOfAKind, IsTheStatusOfItsKind) {
    EXPECT_EQ(exit_status_of(GetParam().kind), GetParam().exit_status);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ExitStatusOfAKind,
    testing::Values(kind_case{"SuccessIs0", status_kind::success, 0},
                    kind_case{"InvalidInputIsAUsageError", status_kind::invalid_input, 64},
                    kind_case{"NotFoundStops", status_kind::not_found, 2},
                    kind_case{"InputOutputStops", status_kind::input_output, 2},
                    kind_case{"CorruptFileStops", status_kind::corrupt_file, 2},
                    kind_case{"OtherContentKeptStops", status_kind::would_overwrite, 2}),
    [](const testing::TestParamInfo<kind_case>& info) { return std::string(info.param.name); });

struct compile_case {
    const char* name;
    compile_outcome::end how;
    bool errors_count;
    int exit_status;
};

class ExitStatusOfACompile : public testing::TestWithParam<compile_case> {};

TEST_P(ExitStatusOfACompile, IsTheStatusOfHowItEnded) {
    EXPECT_EQ(exit_status_of(GetParam().how, GetParam().errors_count), GetParam().exit_status);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, ExitStatusOfACompile,
    testing::Values(
        compile_case{"WrittenWithoutErrorsIs0", compile_outcome::end::compiled, false, 0},
        compile_case{"WrittenWithErrorsIs1", compile_outcome::end::compiled, true, 1},
        compile_case{"StampInUseStops", compile_outcome::end::stamp_in_use, false, 2},
        compile_case{"NoGridStopsWhateverTheErrors", compile_outcome::end::no_grid, true, 2},
        compile_case{"TextNotConvertedStops", compile_outcome::end::text_not_converted, false, 2},
        compile_case{"WriteFailureStops", compile_outcome::end::write_failed, false, 2}),
    [](const testing::TestParamInfo<compile_case>& info) { return std::string(info.param.name); });

TEST(ExitStatus, AFailureWithTheKindOfSuccessStillFails) {
    const status refused = status::failure(status_kind::success, "cannot read x");
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(exit_status_of(refused.kind()), 2);
}

}  // namespace
}  // namespace scenario
