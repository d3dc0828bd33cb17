// How errors read for authors: the location, the code, the position only where the error
// carries one, and the quoted source line with its caret, whatever line ends the file uses.
#include "compiler/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "support/compile_test_support.h"

namespace scenario {
namespace {

recorded_error made(std::int32_t codice, std::optional<std::int32_t> posizione, source_point where,
                    std::string detail, bool beyond = false) {
    recorded_error error;
    error.codice = codice;
    error.posizione = posizione;
    error.where = std::move(where);
    error.detail = std::move(detail);
    error.beyond_compiled_part = beyond;
    return error;
}

struct format_case {
    const char* name;
    recorded_error error;
    std::string expected;
};

class FormatError : public testing::TestWithParam<format_case> {};

TEST_P(FormatError, GivesLocationCodePositionAndMessage) {
    EXPECT_EQ(format_head(diagnostic_of(GetParam().error, {})), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FormatError,
    testing::Values(
        format_case{
            "RecordInAFile",
            made(16, 1000, {"d/R_T-.txt", 14, 1}, "the segnale record at 1000 m: cell 21 is taken"),
            "d/R_T-.txt:14: error 16 at 1000 m: the segnale record at 1000 m: cell 21 is taken"},
        format_case{
            "WholeFile",
            made(101, std::nullopt, {"d/R_linea.txt", 0, 0}, "the line file does not exist"),
            "d/R_linea.txt: error 101: the line file does not exist"},
        format_case{"NoSourceLine",
                    made(12, 1450, {}, "slowdown starting in cell 29: no free cell"),
                    "error 12 at 1450 m: slowdown starting in cell 29: no free cell"},
        format_case{"NoDetailFallsBackOnTheCodesMeaning", made(22, 1400, {"f", 3, 1}, ""),
                    "f:3: error 22 at 1400 m: a station area begins less than 350 m after the "
                    "end of the previous one"},
        format_case{"TextErrorHasNoCode",
                    made(0, std::nullopt, {"f", 3, 9}, "the name holds a character"),
                    "f:3: error: the name holds a character"},
        format_case{
            "FoundBeyondTheCompiledPart",
            made(9, 1025, {"f", 4, 1}, "the stazione record at 1025 m: the length", true),
            "f:4: error 9 at 1025 m: beyond the compiled part: the stazione record at 1025 m: the "
            "length"},
        format_case{"ControlCharactersFromTheSourceAreShownAsQuestionMarks",
                    made(5, std::nullopt, {"f", 2, 1}, "the key \"ripetizione\x1b[2J\" is wrong"),
                    "f:2: error 5: the key \"ripetizione?[2J\" is wrong"}),
    [](const testing::TestParamInfo<format_case>& info) { return std::string(info.param.name); });

// Prints the diagnostics of an error state into a string, quoting the sources given.
std::string printed(const error_state& errors, const source_texts& sources = {}) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&buffer, &size);
    print_diagnostics(out, errors, sources);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

const std::string path = "d/R_linea.txt";

TEST(QuotedSource, LineIsFoundWhateverTheLineEndsAndTheCaretKeepsTabs) {
    // Line 4 follows a CR LF, a lone LF and a lone CR.
    source_texts sources;
    sources.keep(path, "a\r\nb\nc\r\tpendenza,\t12x, 0\r\n[fine]\r\n");
    error_state errors;
    errors.record(error_code::runtime_failure, std::nullopt, {path, 4, 12}, "bad number");
    EXPECT_EQ(printed(errors, sources), path +
                                            ":4: error 25: bad number\n"
                                            "    \tpendenza,\t12x, 0\n"
                                            "    \t         \t^\n");
}

TEST(QuotedSource, ControlCharactersInTheLineKeepTheCaretColumn) {
    source_texts sources;
    sources.keep(path, "x\x07y, 5\n");
    error_state errors;
    errors.record(error_code::runtime_failure, std::nullopt, {path, 1, 5}, "bad");
    EXPECT_EQ(printed(errors, sources), path + ":1: error 25: bad\n    x?y, 5\n        ^\n");
}

TEST(QuotedSource, NothingIsQuotedWithoutALineToQuote) {
    source_texts sources;
    sources.keep(path, "only line\n");
    error_state errors;
    errors.record(error_code::no_line_file, std::nullopt, {path, 0, 0}, "whole file");
    errors.record(error_code::runtime_failure, std::nullopt, {path, 7, 1}, "beyond the last line");
    errors.record(error_code::runtime_failure, std::nullopt, {"d/unread.txt", 1, 1},
                  "a file the compile never read");
    errors.record(error_code::no_cell_ahead_of_signal, 3050, {}, "grid pass");
    EXPECT_EQ(printed(errors, sources), path + ": error 101: whole file\n" + path +
                                            ":7: error 25: beyond the last line\n"
                                            "d/unread.txt:1: error 25: a file the compile never "
                                            "read\n"
                                            "error 11 at 3050 m: grid pass\n");
}

TEST(QuotedSource, WarningsComeFirstAndTheLastLineIsTheFinalError) {
    source_texts sources;
    sources.keep(path, "one\ntwo\n");
    error_state errors;
    errors.record(error_code::beyond_grid, 100, {path, 2, 1}, "first");
    errors.warn(warning_code::unread_key, {path, 1, 1}, "a warning");
    errors.record(error_code::reference_off_cell, std::nullopt, {}, "last");
    EXPECT_EQ(printed(errors, sources),
              path + ":1: warning: a warning [unread-key]\n    one\n    ^\n" + path +
                  ":2: error 15 at 100 m: first\n    two\n    ^\n"
                  "error 2: last\n");
}

// A long line of numbered fields: "f000, f001, ..." (6 characters a field), so that every
// cut shows which fields it keeps.
std::string numbered_fields(int count) {
    std::string line;
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        line += "f" + std::string(3 - number.size(), '0') + number + ", ";
    }
    return line;
}

struct cut_case {
    const char* name;
    std::string line;
    int column;
    std::string shown;  // the quoted line without its indent
    std::size_t caret;  // the caret's column in the quoted line, its indent included
};

class LongLine : public testing::TestWithParam<cut_case> {};

TEST_P(LongLine, IsCutAroundTheFieldWithTheCaretUnderIt) {
    const cut_case& c = GetParam();
    const std::string quoted = quote_line(c.line, c.column);
    const std::size_t end = quoted.find('\n');
    ASSERT_NE(end, std::string::npos);
    const std::string shown = quoted.substr(0, end);
    const std::string under = quoted.substr(end + 1);
    EXPECT_EQ(shown, "    " + c.shown);
    EXPECT_LE(shown.size(), widest_quoted_line);
    EXPECT_EQ(under, std::string(c.caret, ' ') + "^\n");
    // The caret stands under the field's first character, wherever the line was cut.
    EXPECT_EQ(shown.substr(c.caret, 4), c.line.substr(static_cast<std::size_t>(c.column - 1), 4));
}

const std::string fields_100 = numbered_fields(100);  // 600 characters

INSTANTIATE_TEST_SUITE_P(
    Cuts, LongLine,
    testing::Values(cut_case{"LineThatFitsIsShownWhole", numbered_fields(19) + "xy", 115,
                             numbered_fields(19) + "xy", 4 + 114},
                    cut_case{"FieldNearTheStartCutsTheEndOnly", fields_100, 13,
                             fields_100.substr(0, 113) + "...", 4 + 12},
                    cut_case{"FieldInTheMiddleCutsBothSides", fields_100, 301,
                             "..." + fields_100.substr(260, 110) + "...", 4 + 3 + 40},
                    cut_case{"FieldNearTheEndCutsTheStartOnly", fields_100, 595,
                             "..." + fields_100.substr(600 - 113), 4 + 3 + 594 - 487}),
    [](const testing::TestParamInfo<cut_case>& info) { return std::string(info.param.name); });

TEST(LongLine, CaretPastTheEndOfACutLineStaysAfterItsLastCharacter) {
    const std::string quoted = quote_line(fields_100, 601);
    EXPECT_EQ(quoted,
              "    ..." + fields_100.substr(487) + "\n" + std::string(4 + 3 + 113, ' ') + "^\n");
}

// A compile that reports an error in its line file, and the file's text afterwards.
class QuotedAsRead : public testing::Test {
  protected:
    const std::string line_text =
        testing_support::line_of_length(2000, {"pendenza, 100, 2", "pendenza, 9000, 1"});
    const std::string expected_quote = "    pendenza, 9000, 1\n    ^\n";

    std::string compile_and_change(const std::function<void()>& change) {
        const auto result = testing_support::compile_sources(folder_, line_text);
        EXPECT_EQ(result.context.errors.codice_errore, error_code::beyond_grid.codice);
        change();
        return printed(result.context.errors, result.context.sources);
    }

    testing_support::source_folder folder_;
};

TEST_F(QuotedAsRead, SourceChangedAfterTheCompileIsQuotedAsItWasRead) {
    const std::string text = compile_and_change([&] {
        folder_.write_line_source(testing_support::line_of_length(2000, {"changed, 1, 2, 3"}));
    });
    EXPECT_NE(text.find(expected_quote), std::string::npos) << text;
}

TEST_F(QuotedAsRead, SourceDeletedAfterTheCompileIsQuotedAsItWasRead) {
    // The built-in build deletes its sources after reading them.
    const std::string text = compile_and_change([] {});
    ASSERT_FALSE(std::filesystem::exists(folder_.line_source_path()));
    EXPECT_NE(text.find(expected_quote), std::string::npos) << text;
}

// What a scan past the compile's stop found comes last, in the order found, without what the
// compile already told, and never touches the error state.
TEST(BeyondCompiledPart, ComesLastInTheOrderFoundWithoutRepeatsAndLeavesTheState) {
    source_texts sources;
    sources.keep(path, "one\ntwo\nthree\nfour\n");
    error_state compiled;
    compiled.warn(warning_code::unread_key, {path, 1, 1}, "told by the compile");
    compiled.record(error_code::station_position_off_cell, 1025, {path, 2, 1}, "the stop");
    error_state scan;
    scan.warn(warning_code::unread_key, {path, 1, 1}, "told by the compile");
    scan.record(error_code::station_position_off_cell, 1025, {path, 2, 1}, "the stop");
    scan.marking_beyond_compiled_part = true;
    scan.record(error_code::station_length_off_100, 1025, {path, 2, 1}, "second error");
    scan.warn(warning_code::series_order, {path, 4, 1}, "a later warning");
    scan.record(error_code::signal_cell_taken, 3000, {path, 3, 1}, "a later error");
    compiled.add_beyond_compiled_part(scan);
    EXPECT_EQ(compiled.codice_errore, error_code::station_position_off_cell.codice);
    EXPECT_EQ(compiled.posizione_errore, 1025);
    EXPECT_EQ(
        printed(compiled, sources),
        path + ":1: warning: told by the compile [unread-key]\n    one\n    ^\n" + path +
            ":2: error 8 at 1025 m: the stop\n    two\n    ^\n" + path +
            ":2: error 9 at 1025 m: beyond the compiled part: second error\n    two\n    ^\n" +
            path +
            ":4: warning: beyond the compiled part: a later warning [series-order]\n    four\n    "
            "^\n" +
            path +
            ":3: error 16 at 3000 m: beyond the compiled part: a later error\n    three\n"
            "    ^\n");
}

// The scan stands at the field where the compile stopped: the first error there is the
// compile's own, a second one lies beyond.
TEST(BeyondCompiledPart, SecondErrorAtTheStopLiesBeyond) {
    error_state scan;
    scan.stand_at_compile_stop(true);
    scan.record(error_code::cab_signalling_start_off_cell, std::nullopt, {path, 4, 1}, "start");
    scan.record(error_code::cab_signalling_end_off_cell, std::nullopt, {path, 4, 1}, "end");
    scan.stand_at_compile_stop(false);
    ASSERT_EQ(scan.errors().size(), 2u);
    EXPECT_FALSE(scan.errors()[0].beyond_compiled_part);
    EXPECT_TRUE(scan.errors()[1].beyond_compiled_part);
}

}  // namespace
}  // namespace scenario
