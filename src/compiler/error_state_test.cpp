#include "compiler/error_state.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

source_point line_of(int line) {
    return {"Lago_linea.txt", line, 1};
}

TEST(ErrorState, KeepsTheFirstWarningsAndCountsTheRest) {
    error_state errors;
    const std::size_t noted = most_warnings_kept + 25;
    for (std::size_t i = 0; i < noted; ++i) {
        recorded_warning& warning =
            errors.warn(warning_code::unread_key, line_of(static_cast<int>(i) + 1), "passed over");
        warning.related.push_back({line_of(1), "a place"});
        errors.relate_latest(line_of(2), "another place");
    }
    ASSERT_EQ(errors.warnings().size(), most_warnings_kept);
    EXPECT_EQ(errors.warnings_not_kept(), 25u);
    EXPECT_EQ(errors.warnings().back().where.line, static_cast<int>(most_warnings_kept));
    EXPECT_EQ(errors.warnings().back().related.size(), 2u);
    EXPECT_FALSE(errors.keeps_more_warnings());
}

TEST(ErrorState, AWarningNotKeptStillLosesItsPart) {
    error_state errors;
    for (std::size_t i = 0; i < most_warnings_kept; ++i) {
        errors.warn(warning_code::unread_key, line_of(1), "passed over");
    }
    EXPECT_FALSE(errors.lost_a_part());
    errors.warn(warning_code::no_train_records, line_of(2), "no record");
    EXPECT_TRUE(errors.lost_a_part());
    EXPECT_EQ(errors.warnings_not_kept(), 1u);
}

TEST(ErrorState, ErrorsAreAllKeptPastTheWarningsBound) {
    error_state errors;
    for (std::size_t i = 0; i < most_warnings_kept + 1; ++i) {
        errors.warn(warning_code::unread_key, line_of(1), "passed over");
        errors.record(error_code::line_too_long, std::nullopt, line_of(1));
    }
    EXPECT_EQ(errors.errors().size(), most_warnings_kept + 1);
    EXPECT_EQ(errors.codice_errore, error_code::line_too_long.codice);
}

// A scan past the compile's stop reads the sources again from their start: what it finds
// before the stop does not take the room of what it finds beyond.
TEST(ErrorState, ScanKeepsWhatLiesBeyondWhateverCameBefore) {
    error_state compiled;
    error_state scan;
    for (std::size_t i = 0; i < most_warnings_kept + 10; ++i) {
        compiled.warn(warning_code::unread_key, line_of(static_cast<int>(i) + 1), "passed over");
        scan.warn(warning_code::unread_key, line_of(static_cast<int>(i) + 1), "passed over");
    }
    scan.marking_beyond_compiled_part = true;
    for (std::size_t i = 0; i < most_warnings_kept + 3; ++i) {
        scan.warn(warning_code::unread_key, line_of(5000 + static_cast<int>(i)), "beyond");
    }
    compiled.add_beyond_compiled_part(scan);
    EXPECT_EQ(compiled.warnings_beyond().size(), most_warnings_kept);
    EXPECT_EQ(compiled.warnings_beyond().front().where.line, 5000);
    EXPECT_EQ(compiled.warnings_not_kept(), 10u + 3u);
}

}  // namespace
}  // namespace scenario
