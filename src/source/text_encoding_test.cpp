#include "source/text_encoding.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct encoding_case {
    const char* name;
    std::string content;
    text_encoding expected;
};

const std::string header_le("[\0g\0e\0n\0e\0r\0a\0l\0e\0]\0\r\0\n\0", 24);
const std::string header_be("\0[\0g\0e\0n\0e\0r\0a\0l\0e\0]\0\r\0\n", 24);

class Encodings : public testing::TestWithParam<encoding_case> {};

TEST_P(Encodings, AreToldFromTheFirstBytes) {
    EXPECT_EQ(encoding_of(GetParam().content), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, Encodings,
    testing::Values(
        encoding_case{"Ascii", "[generale]\r\nlunghezza percorso, 1000\r\n",
                      text_encoding::single_byte},
        encoding_case{"Empty", "", text_encoding::single_byte},
        encoding_case{"Windows1252", "stazione, 0, CITT\xC0\r\n", text_encoding::single_byte},
        encoding_case{"Utf8WithoutMark", "CITT\xC3\x80\r\n", text_encoding::single_byte},
        encoding_case{"Utf8WithMark", "\xEF\xBB\xBF[generale]\r\n", text_encoding::utf8_with_mark},
        encoding_case{"Utf16LittleEndianWithMark", "\xFF\xFE" + header_le,
                      text_encoding::utf16_little_endian},
        encoding_case{"Utf16BigEndianWithMark", "\xFE\xFF" + header_be,
                      text_encoding::utf16_big_endian},
        encoding_case{"Utf16LittleEndianWithoutMark", header_le,
                      text_encoding::utf16_little_endian},
        encoding_case{"Utf16BigEndianWithoutMark", header_be, text_encoding::utf16_big_endian},
        // A stray zero byte in a text of single bytes does not make it UTF-16.
        encoding_case{"OneZeroByte", std::string("[generale]\0\r\n", 13),
                      text_encoding::single_byte}),
    [](const testing::TestParamInfo<encoding_case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
