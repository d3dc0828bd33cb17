#include "source/field_reader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace scenario {
namespace {

// One read of a script: 't' for a text field, 'n' for a number.
struct read_step {
    char kind;
    std::string text;
    std::int32_t number = 0;
    read_result result = read_result::ok;
};

struct reader_case {
    const char* name;
    std::string content;
    std::vector<read_step> steps;
    bool ends_at_end = true;
};

void PrintTo(const reader_case& c, std::ostream* out) {
    *out << c.name;
}

class FieldReaderCases : public testing::TestWithParam<reader_case> {};

TEST_P(FieldReaderCases, ReadsFieldsAsListed) {
    const reader_case& c = GetParam();
    field_reader reader(c.content);
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const read_step& step = c.steps[i];
        SCOPED_TRACE("read " + std::to_string(i));
        if (step.kind == 't') {
            std::string field;
            ASSERT_EQ(reader.read_text(field), step.result);
            EXPECT_EQ(field, step.text);
        } else {
            std::int32_t value = -1;
            ASSERT_EQ(reader.read_number(value), step.result);
            if (step.result == read_result::ok) {
                EXPECT_EQ(value, step.number);
            }
        }
    }
    EXPECT_EQ(reader.at_end(), c.ends_at_end);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, FieldReaderCases,
    testing::Values(
        reader_case{"TextEndsAtCommaAndLineEnd",
                    "abc, def\r\nghi\r\n",
                    {{'t', "abc"}, {'t', "def"}, {'t', "ghi"}}},
        reader_case{"LeadingAndTrailingBlanksDropped",
                    "   key text   ,x\r\n",
                    {{'t', "key text"}, {'t', "x"}}},
        reader_case{
            "EmptyLineIsEmptyField", "\r\n\r\nabc\r\n", {{'t', ""}, {'t', ""}, {'t', "abc"}}},
        reader_case{
            "TrailingCommaLeavesEmptyField", "a,\r\nb\r\n", {{'t', "a"}, {'t', ""}, {'t', "b"}}},
        reader_case{"BlanksBeforeCommaBelongToNumber",
                    "pendenza  , 300    , 4\r\n",
                    {{'t', "pendenza"}, {'n', "", 300}, {'n', "", 4}}},
        reader_case{"NumbersSeparatedByBlanksAlone",
                    "orologio,    13              24            40 \r\nx\r\n",
                    {{'t', "orologio"}, {'n', "", 13}, {'n', "", 24}, {'n', "", 40}, {'t', "x"}}},
        reader_case{"NegativeNumber",
                    "pendenza  , 4000   , -4\r\n",
                    {{'t', "pendenza"}, {'n', "", 4000}, {'n', "", -4}}},
        reader_case{
            "LoneLfAndLoneCrAreLineEnds", "a\nb\rc\r\n", {{'t', "a"}, {'t', "b"}, {'t', "c"}}},
        reader_case{"NumberAtLastByteReachesEnd", "7", {{'n', "", 7}}},
        reader_case{"ReadAtEndFails", "x\r\n", {{'t', "x"}, {'t', "", 0, read_result::past_end}}},
        reader_case{"NumberReadAtEndFails", "", {{'n', "", 0, read_result::past_end}}},
        reader_case{"LettersAreNotANumber",
                    "12abc, 5\r\n",
                    {{'n', "", 0, read_result::not_a_number}, {'n', "", 5}}},
        reader_case{
            "DecimalPointIsNotANumber", "1.5\r\n", {{'n', "", 0, read_result::not_a_number}}},
        reader_case{"EmptyNumberField",
                    " , 3\r\n",
                    {{'n', "", 0, read_result::not_a_number}, {'n', "", 3}}},
        reader_case{"LoneMinusIsNotANumber",
                    "-, 3\r\n",
                    {{'n', "", 0, read_result::not_a_number}, {'n', "", 3}}},
        reader_case{"Int32Limits",
                    "2147483647, -2147483648\r\n",
                    {{'n', "", 2147483647}, {'n', "", -2147483647 - 1}}},
        reader_case{
            "BeyondInt32IsOutOfRange",
            "2147483648, 99999999999999999999\r\n",
            {{'n', "", 0, read_result::out_of_range}, {'n', "", 0, read_result::out_of_range}}},
        reader_case{"NumberThenTextOnSameStretch",
                    "5 VALDORA S.M.N.\r\n",
                    {{'n', "", 5}, {'t', "VALDORA S.M.N."}}},
        reader_case{"TrailingBlanksOnlyGiveEmptyLastField", "a\r\n   ", {{'t', "a"}, {'t', ""}}},
        reader_case{"FieldBeforeEndIsNotAtEnd", "a\r\nb\r\n", {{'t', "a"}}, false}),
    [](const testing::TestParamInfo<reader_case>& info) { return info.param.name; });

TEST(FieldReader, KnowsTheLineAndColumnOfEachField) {
    field_reader reader("title\r\n\r\n  key,   42\nlast\r");
    std::string field;
    std::int32_t value = 0;
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(reader.last_field().line, 1);
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(reader.last_field().line, 2);
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(reader.last_field().line, 3);
    EXPECT_EQ(reader.last_field().column, 3);
    ASSERT_EQ(reader.read_number(value), read_result::ok);
    EXPECT_EQ(reader.last_field().line, 3);
    EXPECT_EQ(reader.last_field().column, 10);
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(reader.last_field().line, 4);
    EXPECT_TRUE(reader.at_end());
    EXPECT_EQ(reader.line_text(3), "  key,   42");
    EXPECT_EQ(reader.line_text(4), "last");
}

// What the checks after a record look at: whether a field ended at a comma, and whether the
// last read ended its line.
TEST(FieldReader, TellsWhetherAFieldEndedAtACommaAndWhetherItsLineIsDone) {
    field_reader reader("- note, more\r\n12,000\r\n7   \r\n");
    std::string field;
    std::int32_t value = 0;
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_TRUE(reader.ended_at_comma());
    EXPECT_FALSE(reader.at_line_start());
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_FALSE(reader.ended_at_comma());
    EXPECT_TRUE(reader.at_line_start());
    EXPECT_EQ(reader.current_line(), 2);
    ASSERT_EQ(reader.read_number(value), read_result::ok);
    EXPECT_EQ(value, 12);
    EXPECT_TRUE(reader.ended_at_comma());
    ASSERT_EQ(reader.read_number(value), read_result::ok);
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(reader.ended_at_comma());
    // Blanks after a number belong to its line end.
    ASSERT_EQ(reader.read_number(value), read_result::ok);
    EXPECT_TRUE(reader.at_line_start());
    EXPECT_EQ(reader.current_line(), 4);
}

TEST(FieldReader, ResumesAtTheStartOfALine) {
    field_reader reader("a, b\r\nc, d\nlast\r\n");
    std::string field;
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    reader.resume_at_line(2);
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(field, "c");
    EXPECT_EQ(reader.last_field().line, 2);
    EXPECT_EQ(reader.last_field().column, 1);
    reader.resume_at_line(3);
    ASSERT_EQ(reader.read_text(field), read_result::ok);
    EXPECT_EQ(field, "last");
    // A line the text does not have ends the reading.
    reader.resume_at_line(9);
    EXPECT_TRUE(reader.at_end());
}

}  // namespace
}  // namespace scenario
