// Edits of open documents as editors send them: ranges in UTF-16 code units or in bytes,
// across line breaks of every kind, past the ends, inverted; and the notifications that
// carry them.
#include "lsp/text_documents.h"

#include <gtest/gtest.h>

#include <string>

#include "lsp/document_sync.h"

namespace scenario::lsp {
namespace {

constexpr auto utf16 = position_encoding::utf16;
constexpr auto utf8 = position_encoding::utf8;

struct edit_case {
    const char* name;
    std::string text;
    text_range range;
    std::string replacement;
    position_encoding encoding;
    std::string expected;
};

class RangeEdit : public ::testing::TestWithParam<edit_case> {};

TEST_P(RangeEdit, ReplacesTheBytesTheRangeNames) {
    std::string text = GetParam().text;
    apply_change(text, {GetParam().range, GetParam().replacement}, GetParam().encoding);
    EXPECT_EQ(text, GetParam().expected);
}

// "\xc3\xa8" is è (two bytes, one UTF-16 unit), "\xe2\x82\xac" is € (three bytes, one unit)
// and "\xf0\x9f\x98\x80" is an emoji (four bytes, a surrogate pair of two units).
INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeEdit,
    ::testing::Values(
        edit_case{"InsertAtStart", "abc", {{0, 0}, {0, 0}}, "X", utf16, "Xabc"},
        edit_case{"ReplaceOnSecondCrLfLine",
                  "ab\r\ncd\r\n",
                  {{1, 1}, {1, 2}},
                  "Z",
                  utf16,
                  "ab\r\ncZ\r\n"},
        edit_case{"DeleteAcrossLines", "a\nb\nc", {{0, 1}, {2, 0}}, "", utf16, "ac"},
        edit_case{"JoinCrLfLines", "ab\r\ncd", {{0, 2}, {1, 0}}, "", utf16, "abcd"},
        edit_case{"LoneCrEndsALine", "a\rb", {{1, 0}, {1, 1}}, "c", utf16, "a\rc"},
        edit_case{"CharacterPastLineEndIsLineEnd",
                  "ab\r\ncd",
                  {{0, 10}, {0, 99}},
                  "!",
                  utf16,
                  "ab!\r\ncd"},
        edit_case{"LinePastLastLineIsTextEnd", "ab", {{5, 0}, {6, 3}}, "!", utf16, "ab!"},
        edit_case{"InvertedRangeIsEmptyAtItsStart", "abcd", {{0, 3}, {0, 1}}, "X", utf16, "abcXd"},
        edit_case{"InvertedAcrossLines", "ab\ncd", {{1, 1}, {0, 0}}, "X", utf16, "ab\ncXd"},
        edit_case{"TwoByteCharacterIsOneUnit",
                  "\xc3\xa8"
                  "a",
                  {{0, 1}, {0, 2}},
                  "b",
                  utf16,
                  "\xc3\xa8"
                  "b"},
        edit_case{"ThreeByteCharactersAreOneUnitEach",
                  "\xe2\x82\xac\xe2\x82\xacx",
                  {{0, 2}, {0, 3}},
                  "y",
                  utf16,
                  "\xe2\x82\xac\xe2\x82\xacy"},
        edit_case{"SurrogatePairIsTwoUnits",
                  "\xf0\x9f\x98\x80"
                  "a",
                  {{0, 2}, {0, 3}},
                  "b",
                  utf16,
                  "\xf0\x9f\x98\x80"
                  "b"},
        edit_case{"ReplaceTheSurrogatePairWhole",
                  "x\xf0\x9f\x98\x80y",
                  {{0, 1}, {0, 3}},
                  "-",
                  utf16,
                  "x-y"},
        edit_case{"InsideSurrogatePairIsItsStart",
                  "\xf0\x9f\x98\x80"
                  "a",
                  {{0, 1}, {0, 1}},
                  "x",
                  utf16,
                  "x\xf0\x9f\x98\x80"
                  "a"},
        edit_case{"Utf8CountsBytes",
                  "\xc3\xa8"
                  "a",
                  {{0, 2}, {0, 3}},
                  "b",
                  utf8,
                  "\xc3\xa8"
                  "b"},
        edit_case{"Utf8InsideCharacterIsItsStart",
                  "\xc3\xa8"
                  "a",
                  {{0, 1}, {0, 1}},
                  "x",
                  utf8,
                  "x\xc3\xa8"
                  "a"},
        edit_case{"InvalidByteCountsAlone",
                  "\xff"
                  "ab",
                  {{0, 1}, {0, 2}},
                  "X",
                  utf16,
                  "\xff"
                  "Xb"},
        edit_case{"TruncatedCharacterAtLineEnd",
                  "a\xe2\x82\nb",
                  {{0, 2}, {1, 0}},
                  "",
                  utf16,
                  "a\xe2"
                  "b"},
        edit_case{"EmptyText", "", {{3, 4}, {7, 9}}, "new", utf16, "new"},
        edit_case{"LargestNumbers",
                  "ab",
                  {{0, 4294967295u}, {4294967295u, 4294967295u}},
                  "!",
                  utf16,
                  "ab!"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineIndex, PositionsAndOffsetsAgreeOnEveryCharacterStart) {
    const std::string text = "a\xc3\xa8\r\n\xf0\x9f\x98\x80\xe2\x82\xac\rz\n\nend";
    for (const position_encoding encoding : {utf16, utf8}) {
        const line_index lines(text);
        EXPECT_EQ(lines.line_count(), 5u);
        for (std::size_t offset = 0; offset <= text.size(); ++offset) {
            const bool character_start =
                offset == text.size() || (static_cast<unsigned char>(text[offset]) & 0xc0) != 0x80;
            const bool inside_crlf = offset > 0 && text[offset - 1] == '\r' && text[offset] == '\n';
            if (character_start && !inside_crlf) {
                EXPECT_EQ(lines.offset_of(lines.position_of(offset, encoding), encoding), offset)
                    << "offset " << offset;
            }
        }
    }
}

TEST(LineIndex, PositionOfAnOffsetCountsUnitsOfTheEncoding) {
    const std::string text = "x\n\xf0\x9f\x98\x80\xc3\xa8z";
    const line_index lines(text);
    const std::size_t z = text.find('z');
    EXPECT_EQ(lines.position_of(z, utf16), (text_position{1, 3}));
    EXPECT_EQ(lines.position_of(z, utf8), (text_position{1, 6}));
    EXPECT_EQ(lines.position_of(999, utf16), (text_position{1, 4}));
    // Between CR and LF is the end of the first line.
    const line_index crlf("ab\r\ncd");
    EXPECT_EQ(crlf.position_of(3, utf16), (text_position{0, 2}));
}

json did_change(const char* uri, int version, json changes) {
    return {{"textDocument", {{"uri", uri}, {"version", version}}},
            {"contentChanges", std::move(changes)}};
}

json range_change(int start_line, int start_character, int end_line, int end_character,
                  const char* text) {
    return {{"range",
             {{"start", {{"line", start_line}, {"character", start_character}}},
              {"end", {{"line", end_line}, {"character", end_character}}}}},
            {"text", text}};
}

TEST(DocumentSync, ChangesApplyInOrderAndTakeTheVersion) {
    text_documents documents;
    ASSERT_FALSE(open_document(documents, {{"textDocument",
                                            {{"uri", "file:///w/R_linea.txt"},
                                             {"languageId", "scenario-line"},
                                             {"version", 1},
                                             {"text", "stazione, 100\r\nfine\r\n"}}}}));
    // The second change's range counts in the text that the first change left.
    ASSERT_FALSE(change_document(
        documents,
        did_change("file:///w/R_linea.txt", 4,
                   {range_change(0, 10, 0, 13, "2500"), range_change(1, 0, 1, 4, "\xc3\xa8 fine")}),
        utf16));
    const text_document* document = documents.find("file:///w/R_linea.txt");
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->text, "stazione, 2500\r\n\xc3\xa8 fine\r\n");
    EXPECT_EQ(document->version, 4);
    EXPECT_EQ(document->language_id, "scenario-line");

    ASSERT_FALSE(change_document(
        documents, did_change("file:///w/R_linea.txt", 5, {{{"text", "whole"}}}), utf16));
    EXPECT_EQ(documents.find("file:///w/R_linea.txt")->text, "whole");

    EXPECT_FALSE(close_document(documents, {{"textDocument", {{"uri", "file:///w/R_linea.txt"}}}}));
    EXPECT_EQ(documents.find("file:///w/R_linea.txt"), nullptr);
}

TEST(DocumentSync, ChangeWithOneBadPartChangesNothing) {
    text_documents documents;
    ASSERT_FALSE(open_document(
        documents,
        {{"textDocument", {{"uri", "u"}, {"languageId", "x"}, {"version", 1}, {"text", "abc"}}}}));
    json bad = range_change(0, 0, 0, 1, "X");
    bad["range"]["end"]["character"] = "one";
    const auto fault =
        change_document(documents, did_change("u", 2, {range_change(0, 0, 0, 0, "Y"), bad}), utf16);
    ASSERT_TRUE(fault);
    EXPECT_EQ(*fault, "a content change whose range is not two positions of integers");
    EXPECT_EQ(documents.find("u")->text, "abc");
    EXPECT_EQ(documents.find("u")->version, 1);
}

TEST(DocumentSync, NotificationsThatCannotApplySayWhy) {
    text_documents documents;
    EXPECT_EQ(change_document(documents, did_change("nowhere", 2, json::array()), utf16),
              "didChange of a document that is not open: nowhere");
    EXPECT_EQ(close_document(documents, {{"textDocument", {{"uri", "nowhere"}}}}),
              "didClose of a document that is not open: nowhere");
    EXPECT_EQ(open_document(documents, {{"textDocument", {{"uri", 5}}}}),
              "didOpen without a textDocument and its uri");
    EXPECT_EQ(open_document(documents, json::array()),
              "didOpen without a textDocument and its uri");
    EXPECT_EQ(open_document(documents,
                            {{"textDocument", {{"uri", "u"}, {"version", 1.5}, {"text", ""}}}}),
              "didOpen without the document's text and version");
    EXPECT_EQ(documents.size(), 0u);
}

TEST(DocumentSync, NegativeAndHugeNumbersAreHeldToTheirRange) {
    text_documents documents;
    ASSERT_FALSE(open_document(
        documents, {{"textDocument", {{"uri", "u"}, {"version", 1}, {"text", "ab\ncd"}}}}));
    json change = range_change(-3, -1, 0, 1, "X");
    ASSERT_FALSE(change_document(documents, did_change("u", 2, {change}), utf16));
    EXPECT_EQ(documents.find("u")->text, "Xb\ncd");
    json far = range_change(0, 0, 0, 0, "Y");
    far["range"]["start"]["line"] = 18446744073709551615ull;
    far["range"]["end"]["line"] = 18446744073709551615ull;
    ASSERT_FALSE(change_document(documents, did_change("u", 3, {far}), utf16));
    EXPECT_EQ(documents.find("u")->text, "Xb\ncdY");
}

}  // namespace
}  // namespace scenario::lsp
