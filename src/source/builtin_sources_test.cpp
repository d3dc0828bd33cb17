// The built-in source files read back through the field reader, where the sequence of
// fields matters: numbers separated by blanks alone, comment lines, station names running
// to the end of the line, the empty field after a trailing comma.
#include <gtest/gtest.h>

#include <string>

#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "source/field_reader.h"

namespace scenario {
namespace {

// Reads text fields until one equals `wanted`; false at the end of the file.
bool skip_to(field_reader& reader, const std::string& wanted) {
    std::string field;
    while (!reader.at_end()) {
        if (reader.read_text(field) != read_result::ok) {
            return false;
        }
        if (field == wanted) {
            return true;
        }
    }
    return false;
}

std::int32_t number(field_reader& reader) {
    std::int32_t value = 0;
    EXPECT_EQ(reader.read_number(value), read_result::ok);
    return value;
}

std::string text(field_reader& reader) {
    std::string field;
    EXPECT_EQ(reader.read_text(field), read_result::ok);
    return field;
}

TEST(BuiltinTrainReadBack, ClockNumbersAreSeparatedByBlanksAlone) {
    field_reader reader(compose_line_table(builtin_train_table()));
    ASSERT_TRUE(skip_to(reader, "orologio"));
    EXPECT_EQ(number(reader), 13);
    EXPECT_EQ(number(reader), 24);
    EXPECT_EQ(number(reader), 40);
    EXPECT_EQ(text(reader), "[aderenze]");
    EXPECT_EQ(reader.last_field().line, 9);
}

TEST(BuiltinTrainReadBack, StationLegendEndsInAnEmptyFieldAndNamesRunToLineEnd) {
    field_reader reader(compose_line_table(builtin_train_table()));
    ASSERT_TRUE(skip_to(reader, "[stazioni]"));
    EXPECT_EQ(text(reader), "");  // the empty line 34
    EXPECT_EQ(text(reader).substr(0, 17), "-           pos. ");
    EXPECT_EQ(text(reader), "");  // after the legend's trailing comma
    EXPECT_EQ(text(reader)[0], '-');
    EXPECT_EQ(text(reader)[0], '-');
    EXPECT_EQ(text(reader), "stazione");
    const std::int32_t expected[] = {0, 8, 400, 1, 0, 0, 4, 0, 0, 2, 1, 0, 1, 13, 25, 0};
    for (const std::int32_t value : expected) {
        EXPECT_EQ(number(reader), value);
    }
    EXPECT_EQ(text(reader), "VALDORA S.M.N.");
    EXPECT_EQ(text(reader), "Stazione");
    EXPECT_EQ(reader.last_field().line, 39);
}

TEST(BuiltinTrainReadBack, LastFieldOfTheFileReachesTheEnd) {
    field_reader reader(compose_line_table(builtin_train_table()));
    ASSERT_TRUE(skip_to(reader, "[codici]"));
    EXPECT_FALSE(reader.at_end());
    EXPECT_EQ(text(reader), "[fine]");
    EXPECT_TRUE(reader.at_end());
}

TEST(BuiltinLineReadBack, GradientNumbersKeepTheirSignAndBoardTextRunsToLineEnd) {
    field_reader reader(compose_line_table(builtin_line_table()));
    ASSERT_TRUE(skip_to(reader, "[generale]"));
    EXPECT_EQ(text(reader), "lunghezza percorso");
    EXPECT_EQ(number(reader), 82000);
    ASSERT_TRUE(skip_to(reader, "pendenza"));
    EXPECT_EQ(number(reader), 300);
    EXPECT_EQ(number(reader), 4);
    ASSERT_TRUE(skip_to(reader, "pendenza"));
    ASSERT_TRUE(skip_to(reader, "pendenza"));
    ASSERT_TRUE(skip_to(reader, "pendenza"));
    ASSERT_TRUE(skip_to(reader, "pendenza"));
    EXPECT_EQ(number(reader), 4000);
    EXPECT_EQ(number(reader), -4);
    ASSERT_TRUE(skip_to(reader, "cartello indicatore"));
    EXPECT_EQ(number(reader), 18550);
    EXPECT_EQ(text(reader), "(  Km. ) (18.600)");
    EXPECT_EQ(reader.last_field().line, 118);
}

}  // namespace
}  // namespace scenario
