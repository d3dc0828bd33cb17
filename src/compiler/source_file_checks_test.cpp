#include "compiler/source_file_checks.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

TEST(HeaderGuess, TakesTheFieldClosestToTheHeader) {
    header_guess guess;
    guess.consider("Treno 101", {1, 1});
    guess.consider("[stazioni]", {9, 1});
    guess.consider("[generle]", {3, 1});
    guess.consider("[fine]", {20, 1});
    ASSERT_TRUE(guess.found());
    EXPECT_EQ(guess.field(), "[generle]");
    EXPECT_EQ(guess.line(), 3);
}

TEST(HeaderGuess, IgnoresFieldsFarFromTheHeaderOrTooLong) {
    header_guess guess;
    guess.consider("stazione, 0, 8", {4, 1});
    guess.consider("[fine]", {20, 1});
    guess.consider("- note on the [generali] values of the old timetable, kept for reference",
                   {2, 1});
    EXPECT_FALSE(guess.found());
}

TEST(HeaderGuess, TakesTheWordWithoutItsBrackets) {
    header_guess guess;
    guess.consider("generale", {3, 1});
    ASSERT_TRUE(guess.found());
    EXPECT_EQ(guess.line(), 3);
}

TEST(MissingHeader, SaysWhatWasMeantOrHowTheFileWasSaved) {
    header_guess guess;
    guess.consider("[Generael]", {5, 1});
    EXPECT_EQ(missing_header_detail(source_file::line, text_encoding::single_byte, guess),
              "the line file has no \"[generale]\" header: nothing in it can be read; did you "
              "mean \"[Generael]\" at line 5? (write \"[generale]\")");
    EXPECT_EQ(missing_header_detail(source_file::line, text_encoding::utf16_big_endian, {}),
              "the line file is saved as UTF-16 (big-endian), two bytes a character, so its "
              "\"[generale]\" header cannot be found and nothing in it can be read; save it as "
              "Windows-1252 or ASCII");
}

}  // namespace
}  // namespace scenario
