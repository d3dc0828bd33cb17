#include "source/visible_text.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct visible_case {
    std::string text;
    bool keep_line_breaks;
    std::string shown;
};

TEST(VisibleText, EveryControlCharacterShowsAsAnEscape) {
    const visible_case cases[] = {
        {"Rova", false, "Rova"},
        {"\x1b]0;owned\x07", false, "\\x1b]0;owned\\x07"},
        {"a\x1b[2Jb", false, "a\\x1b[2Jb"},
        {std::string("nul\0end", 7), false, "nul\\x00end"},
        {"del\x7f", false, "del\\x7f"},
        {"two\nlines", false, "two\\x0alines"},
        {"two\nlines\r", true, "two\nlines\\x0d"},
        {"tab\tkept", false, "tab\tkept"},
        // C1 controls in UTF-8 (U+009B, the one-byte CSI; U+0090) and their neighbours.
        {"\xc2\x9b"
         "31m",
         false, "\\u009b31m"},
        {"\xc2\x90", false, "\\u0090"},
        {"\xc2\xa0\xc3\xa8", false, "\xc2\xa0\xc3\xa8"},
        {"\xe2\x82\xac", false, "\xe2\x82\xac"},
        {"cut\xc2", false, "cut\xc2"},
    };
    for (const visible_case& c : cases) {
        EXPECT_EQ(visible_text(c.text, c.keep_line_breaks), c.shown) << c.text;
    }
}

TEST(VisibleText, NoEscapeLeavesAControlByte) {
    std::string every_byte;
    for (int byte = 0; byte < 256; ++byte) {
        every_byte += static_cast<char>(byte);
    }
    for (const unsigned char c : visible_text(every_byte)) {
        EXPECT_TRUE(!is_control_byte(c) || c == '\t') << static_cast<int>(c);
    }
}

}  // namespace
}  // namespace scenario
