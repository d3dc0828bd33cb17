#include "source/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

TEST(CodePage, Windows1252ShowsItsOwnCharactersAboveLatin1Controls) {
    EXPECT_EQ(windows_1252_to_utf8("CITT\xC3\x80"), "CITT\xC3\x83\xE2\x82\xAC");  // Ã€
    EXPECT_EQ(windows_1252_to_utf8("CITT\xC0"), "CITT\xC3\x80");                  // À
    EXPECT_EQ(windows_1252_to_utf8("\x9C"), "\xC5\x93");                          // œ
    // A byte without a character shows as the replacement character.
    EXPECT_EQ(windows_1252_to_utf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(windows_1252_to_utf8("plain"), "plain");
}

TEST(CodePage, AsciiIsSevenBitOnly) {
    EXPECT_TRUE(is_ascii("VALDORA S.M.N. e'"));
    EXPECT_TRUE(is_ascii(""));
    EXPECT_FALSE(is_ascii("CITT\xC0"));
}

struct conversion_case {
    const char* name;
    std::string utf8;
    code_page_conversion::result how;
    std::string text = {};   // when converted
    std::size_t offset = 0;  // of the character without a place
    std::size_t length = 0;
    char32_t code_point = 0;
};

class Utf8ToWindows1252 : public testing::TestWithParam<conversion_case> {};

TEST_P(Utf8ToWindows1252, ConvertsAllOrTellsWhy) {
    const conversion_case& c = GetParam();
    const code_page_conversion converted = utf8_to_windows_1252(c.utf8);
    EXPECT_EQ(converted.how, c.how);
    if (c.how == code_page_conversion::result::converted) {
        EXPECT_EQ(converted.text, c.text);
    }
    if (c.how == code_page_conversion::result::no_place) {
        EXPECT_EQ(converted.offset, c.offset);
        EXPECT_EQ(converted.length, c.length);
        EXPECT_EQ(converted.code_point, c.code_point);
    }
}

using result = code_page_conversion::result;

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8ToWindows1252,
    testing::Values(
        conversion_case{"AsciiStaysAsItIs", "ROVA C.le", result::converted, "ROVA C.le"},
        conversion_case{"Latin1LetterTakesItsByte", "CITT\xC3\x80", result::converted, "CITT\xC0"},
        conversion_case{"EuroSignTakesItsPlaceAt0x80", "5 \xE2\x82\xAC", result::converted,
                        "5 \x80"},
        conversion_case{"CharacterWithoutAPlace",
                        "\xC3\x93"
                        "D\xC5\xB9",
                        result::no_place, "", 3, 2, 0x179},
        conversion_case{"EmojiHasNoPlace", "a\xF0\x9F\x9A\x82", result::no_place, "", 1, 4,
                        0x1F682},
        conversion_case{"SingleByteTextIsNoUtf8", "CITT\xC0", result::not_utf8},
        conversion_case{"OverlongFormIsNoUtf8", "\xC0\x80", result::not_utf8},
        conversion_case{"SurrogateIsNoUtf8", "\xED\xA0\x80", result::not_utf8},
        conversion_case{"CutSequenceIsNoUtf8", "ab\xE2\x82", result::not_utf8},
        // The whole text is checked before anything is converted.
        conversion_case{"NoUtf8AfterACharacterWithoutAPlace", "\xC5\x81 \xC0", result::not_utf8}),
    [](const testing::TestParamInfo<conversion_case>& info) { return info.param.name; });

}  // namespace
}  // namespace scenario
