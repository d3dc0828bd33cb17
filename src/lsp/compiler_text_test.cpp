// Positions between the editor's text and the compiler's bytes, both ways, in every encoding
// of positions: each character of the editor is one byte of the compiler's in Windows-1252,
// and its own bytes with --utf8.
#include "lsp/compiler_text.h"

#include <gtest/gtest.h>

namespace scenario::lsp {
namespace {

// "a È b 😀 c" without blanks: "È" is 2 bytes of UTF-8 and 1 UTF-16 unit, "😀" 4 bytes and 2
// units; the compiler reads "a", 0xC8, "b", "?", "c".
const std::string editor_line =
    "a\xC3\x88"
    "b\xF0\x9F\x98\x80"
    "c";

struct place_case {
    const char* name;
    bool utf8;
    position_encoding encoding;
    int column;  // of "c" in the compiler's bytes
    std::uint32_t character;
};

class CompilerText : public ::testing::TestWithParam<place_case> {};

TEST_P(CompilerText, MapsTheColumnOfAFieldBothWays) {
    const place_case& c = GetParam();
    const compiler_text text = compiler_text::from_editor("x\n" + editor_line + "\n", c.utf8);
    EXPECT_EQ(text.position_of(2, c.column, c.encoding), (text_position{1, c.character}));
    EXPECT_EQ(text.place_of({1, c.character}, c.encoding), (std::pair{2, c.column}));
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, CompilerText,
    ::testing::Values(place_case{"SingleBytesUtf16", false, position_encoding::utf16, 5, 5},
                      place_case{"SingleBytesUtf8", false, position_encoding::utf8, 5, 8},
                      place_case{"Utf8TextsUtf16", true, position_encoding::utf16, 9, 5},
                      place_case{"Utf8TextsUtf8", true, position_encoding::utf8, 9, 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CompilerText, EditorCharactersBecomeTheBytesTheSourceFileHolds) {
    EXPECT_EQ(single_bytes_of(editor_line),
              "a\xC8"
              "b?c");
    // The euro sign is 0x80 in Windows-1252; U+0081, which an editor shows for the byte 0x81
    // that Windows-1252 leaves without a character, keeps its byte.
    EXPECT_EQ(single_bytes_of("\xE2\x82\xAC\xC2\x81"), "\x80\x81");
    const compiler_text from_file = compiler_text::from_file("CITT\xC8", false);
    EXPECT_EQ(from_file.editor_text(), "CITT\xC3\x88");
    EXPECT_EQ(from_file.shown("\"CITT\xC8\""), "\"CITT\xC3\x88\"");
    EXPECT_EQ(from_file.shown("already UTF-8: \xC3\x88"), "already UTF-8: \xC3\x88");
}

}  // namespace
}  // namespace scenario::lsp
