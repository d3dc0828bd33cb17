// A compile on texts that its caller holds, writing nothing, as an editor runs it on unsaved
// buffers: the same record as from the files, no file touched, and the diagnostics as values
// with their codes, ranges, related records and fixes.
#include "compiler/compile_report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "format/compiled_files.h"
#include "source/builtin_line.h"
#include "source/builtin_train.h"
#include "support/byte_compare.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::line_of_length;
using testing_support::source_folder;

std::string expected_file(const std::string& name) {
    std::ifstream input(std::string(SCENARIO_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    std::ostringstream content;
    content << input.rdbuf();
    return content.str();
}

// A compile of the folder's scenario from the texts held, writing nothing.
struct held_compile {
    source_texts held;
    compile_context context;
    compile_report report;

    held_compile(const source_folder& folder, const std::string* line_text,
                 const std::string* train_text)
        : context({folder.path().string(), builtin_identity(), false}) {
        if (line_text != nullptr) {
            held.keep(folder.line_source_path().string(), *line_text);
        }
        if (train_text != nullptr) {
            held.keep(folder.train_source_path().string(), *train_text);
        }
        context.options.texts = &held;
        context.options.write_compiled_files = false;
        report = compile_and_report(context, 1);
    }
};

TEST(CompileInMemory, BuiltinTextsGiveTheBuiltinRecordAndNoFileIsWritten) {
    const source_folder folder;
    const std::string line_text = compose_line_table(builtin_line_table());
    const std::string train_text = compose_line_table(builtin_train_table());
    const held_compile compiled(folder, &line_text, &train_text);

    EXPECT_EQ(compiled.report.outcome.how, compile_outcome::end::compiled);
    EXPECT_TRUE(compiled.report.diagnostics.empty());
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_TRUE(testing_support::same_bytes(encode_item_file(compiled.context.record.voci),
                                            expected_file("Valdora_Rova_5284.sim")));
    EXPECT_TRUE(testing_support::same_bytes(encode_grid_file(compiled.context.record.celle),
                                            expected_file("Valdora_Rova_5284.dat")));
}

TEST(CompileInMemory, HeldTextTakesThePlaceOfItsFileAndThePartnerIsReadFromDisk) {
    const source_folder folder;
    folder.write_line_source("this line file would give no grid\r\n");
    folder.write_train_source(
        "[generale]\r\nsegnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n");
    const std::string line_text = line_of_length(5000, {});
    const held_compile compiled(folder, &line_text, nullptr);

    EXPECT_EQ(compiled.report.outcome.how, compile_outcome::end::compiled);
    EXPECT_TRUE(compiled.report.diagnostics.empty());
    EXPECT_EQ(compiled.context.record.celle[21].tipo, kind::segnale);
    EXPECT_FALSE(folder.holds(item_file_name(builtin_identity())));
}

TEST(CompileInMemory, MissingPartnerFileIsToldAsByTheCommandLine) {
    const source_folder folder;
    const std::string line_text = line_of_length(5000, {});
    const held_compile compiled(folder, &line_text, nullptr);

    ASSERT_EQ(compiled.report.count(severity::error), 1u);
    const diagnostic& told = compiled.report.diagnostics.back();
    EXPECT_EQ(told.code, "25");
    EXPECT_EQ(told.file, folder.train_source_path().string());
    EXPECT_EQ(told.range.line, 0);  // the file as a whole
}

struct range_case {
    const char* name;
    std::string line;
    int column;
    source_range expected;
};

class FieldRange : public testing::TestWithParam<range_case> {};

TEST_P(FieldRange, CoversTheFieldThatStartsAtTheColumn) {
    const range_case& c = GetParam();
    EXPECT_EQ(field_range_in_line(c.line, 3, c.column), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FieldRange,
    testing::Values(range_case{"KeyWithoutItsTrailingBlanks", "pendenza  , 300", 1, {3, 1, 3, 9}},
                    range_case{"NumberUpToItsComma", "pendenza, 300, 4", 11, {3, 11, 3, 14}},
                    range_case{
                        "NumberUpToTheBlankAfterIt", "orologio, 13 24 40", 11, {3, 11, 3, 13}},
                    range_case{"NegativeNumber", "pendenza, 300, -12", 16, {3, 16, 3, 19}},
                    range_case{"TextToTheLineEnd", "stazione, 1, SAN DONATO", 14, {3, 14, 3, 24}},
                    range_case{"PastTheLineEndIsAnEmptyRange", "pendenza, 300", 14, {3, 14, 3, 14}},
                    range_case{"TextOfOneBlankIsOneCharacter", " , 3", 1, {3, 1, 3, 2}}),
    [](const testing::TestParamInfo<range_case>& info) { return std::string(info.param.name); });

TEST(Diagnostics, CellTakenNamesTheRecordThatHoldsIt) {
    const source_folder folder;
    const std::string line_text = line_of_length(5000, {});
    const std::string train_text =
        "[generale]\r\n"
        "segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
        "- a comment\r\n"
        "segnale, 1010, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n"
        "[fine]\r\n";
    const held_compile compiled(folder, &line_text, &train_text);

    ASSERT_EQ(compiled.report.diagnostics.size(), 1u);
    const diagnostic& told = compiled.report.diagnostics.front();
    EXPECT_EQ(told.code, "16");
    EXPECT_EQ(told.range, (source_range{4, 1, 4, 8}));
    ASSERT_EQ(told.related.size(), 1u);
    EXPECT_EQ(told.related[0].file, folder.train_source_path().string());
    EXPECT_EQ(told.related[0].range, (source_range{2, 1, 2, 8}));
    EXPECT_NE(told.related[0].message.find("cell 21"), std::string::npos)
        << told.related[0].message;
}

// A record short of values takes them from the next line: the message stands at the record
// and names the line the values came from, as a warning when they were numbers, as error 25
// when the next line's key stood where a number was expected.
TEST(Diagnostics, ValueTakenFromALaterLineNamesThatLine) {
    const source_folder folder;
    const std::string line_text = line_of_length(5000, {});
    for (const auto& [train_text, code] :
         {std::pair{std::string("[generale]\r\nsegnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0\r\n"
                                "0\r\n[fine]\r\n"),
                    std::string("values-on-later-line")},
          std::pair{std::string("[generale]\r\nsegnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0\r\n"
                                "segnale, 2000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0\r\n[fine]\r\n"),
                    std::string("25")}}) {
        const held_compile compiled(folder, &line_text, &train_text);
        ASSERT_FALSE(compiled.report.diagnostics.empty()) << code;
        const diagnostic& told = compiled.report.diagnostics.front();
        EXPECT_EQ(told.code, code);
        EXPECT_EQ(told.range.line, 2);
        ASSERT_EQ(told.related.size(), 1u) << code;
        EXPECT_EQ(told.related[0].range.line, 3) << code;
        EXPECT_EQ(told.related[0].range.column, 1) << code;
    }
}

// The text with the fix applied; the fix must stand on one line of the text.
std::string with_fix(const std::string& text, const diagnostic_fix& fix) {
    std::size_t start = 0;
    for (int line = 1; line < fix.range.line; ++line) {
        start = text.find('\n', start) + 1;
    }
    const std::size_t from = start + static_cast<std::size_t>(fix.range.column - 1);
    const std::size_t to = start + static_cast<std::size_t>(fix.range.end_column - 1);
    return text.substr(0, from) + fix.replacement + text.substr(to);
}

struct misspelling {
    const char* name;
    bool in_line_file;
    std::string record;  // as the author wrote it
};

class MisspeltKey : public testing::TestWithParam<misspelling> {};

// The fix offered for a misspelt key makes the record read: after it the compile has nothing
// to say, and the record is in the compiled scenario.
TEST_P(MisspeltKey, FixMakesTheRecordRead) {
    const misspelling& c = GetParam();
    const source_folder folder;
    std::string line_text =
        c.in_line_file
            ? "[generale]\r\nlunghezza percorso, 5000\r\n[linea]\r\n" + c.record + "\r\n[fine]\r\n"
            : line_of_length(5000, {});
    // The train's general values after the record, so that the train file is a train's.
    const std::string general_values(testing_support::general_values_train_source);
    std::string train_text = c.in_line_file
                                 ? general_values
                                 : "[generale]\r\n" + c.record + "\r\n" +
                                       general_values.substr(general_values.find('\n') + 1);
    const held_compile before(folder, &line_text, &train_text);
    ASSERT_EQ(before.report.diagnostics.size(), 1u);
    const diagnostic& told = before.report.diagnostics.front();
    EXPECT_EQ(told.code, "unread-key");
    ASSERT_TRUE(told.fix.has_value()) << told.message;
    std::string& fixed = c.in_line_file ? line_text : train_text;
    fixed = with_fix(fixed, *told.fix);

    const held_compile after(folder, &line_text, &train_text);
    EXPECT_TRUE(after.report.diagnostics.empty())
        << fixed << "\n"
        << (after.report.diagnostics.empty() ? "" : after.report.diagnostics.front().message);
    EXPECT_NE(before.context.record.celle, after.context.record.celle);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MisspeltKey,
    testing::Values(
        misspelling{"LetterChanged", true, "pendenze, 300, 4"},
        misspelling{"LettersSwapped", false, "segnael, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"},
        misspelling{"LetterDropped", false, "rallentameno, 2000, 60, 300, 0, 0, 0"},
        misspelling{"BoardWordOfTwo", true, "cartelo indicatore, 1000, (Km. 1)"},
        misspelling{"SpeedBoardPrefix", true, "indicatri_vmax, 1000, 60, 0, 0, 0, 60, 0, 0, 0"},
        misspelling{"SpeedLimitWithApostrophe", false, "velocta' limite, 0, 60"}),
    [](const testing::TestParamInfo<misspelling>& info) { return std::string(info.param.name); });

TEST(MisspeltKey, NoFixWhenTheKeywordBelongsToTheOtherFile) {
    const source_folder folder;
    const std::string line_text =
        line_of_length(5000, {"segnale, 1000, 1, 4, 1, 0, 0, 0, 0, 0, 0, 0"});
    const std::string train_text = "[generale]\r\n[fine]\r\n";
    const held_compile compiled(folder, &line_text, &train_text);
    ASSERT_FALSE(compiled.report.diagnostics.empty());
    EXPECT_EQ(compiled.report.diagnostics.front().code, "unread-key");
    EXPECT_FALSE(compiled.report.diagnostics.front().fix.has_value());
}

}  // namespace
}  // namespace scenario
