// How errors read for authors: the location, the code, the position only where the error
// carries one, and the quoted source line with its caret, whatever line ends the file uses.
#include "compiler/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace scenario {
namespace {

struct format_case {
    const char* name;
    recorded_error error;
    std::string expected;
};

class FormatError : public testing::TestWithParam<format_case> {};

TEST_P(FormatError, GivesLocationCodePositionAndMessage) {
    EXPECT_EQ(format_error(GetParam().error), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, FormatError,
    testing::Values(
        format_case{"RecordInAFile",
                    {16, 1000, {"d/R_T-.txt", 14, 1}, "signal at 1000 m: cell 21 is taken"},
                    "d/R_T-.txt:14: error 16 at 1000 m: signal at 1000 m: cell 21 is taken"},
        format_case{"WholeFile",
                    {101, std::nullopt, {"d/R_linea.txt", 0, 0}, "the line file does not exist"},
                    "d/R_linea.txt: error 101: the line file does not exist"},
        format_case{"NoSourceLine",
                    {12, 1450, {}, "slowdown starting in cell 29: no free cell"},
                    "error 12 at 1450 m: slowdown starting in cell 29: no free cell"},
        format_case{"NoDetailFallsBackOnTheCodesMeaning",
                    {22, 1400, {"f", 3, 1}, ""},
                    "f:3: error 22 at 1400 m: a station area begins less than 350 m after the "
                    "end of the previous one"},
        format_case{"ControlCharactersFromTheSourceAreShownAsQuestionMarks",
                    {5, std::nullopt, {"f", 2, 1}, "the key \"ripetizione\x1b[2J\" is wrong"},
                    "f:2: error 5: the key \"ripetizione?[2J\" is wrong"}),
    [](const testing::TestParamInfo<format_case>& info) { return std::string(info.param.name); });

// Prints the diagnostics of an error state into a string.
std::string printed(const error_state& errors) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* out = ::open_memstream(&buffer, &size);
    print_diagnostics(out, errors);
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

class QuotedSource : public testing::Test {
  protected:
    QuotedSource() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scenario-diagnostics-XXXXXX").string();
        folder_ = ::mkdtemp(pattern.data());
    }
    ~QuotedSource() override { std::filesystem::remove_all(folder_); }

    std::string write(const std::string& content) const {
        const std::string path = (folder_ / "R_linea.txt").string();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    std::filesystem::path folder_;
};

TEST_F(QuotedSource, LineIsFoundWhateverTheLineEndsAndTheCaretKeepsTabs) {
    // Line 4 follows a CR LF, a lone LF and a lone CR.
    const std::string path = write("a\r\nb\nc\r\tpendenza,\t12x, 0\r\n[fine]\r\n");
    error_state errors;
    errors.record(25, std::nullopt, {path, 4, 12}, "bad number");
    EXPECT_EQ(printed(errors), path +
                                   ":4: error 25: bad number\n"
                                   "    \tpendenza,\t12x, 0\n"
                                   "    \t         \t^\n");
}

TEST_F(QuotedSource, ControlCharactersInTheLineKeepTheCaretColumn) {
    const std::string path = write("x\x07y, 5\n");
    error_state errors;
    errors.record(25, std::nullopt, {path, 1, 5}, "bad");
    EXPECT_EQ(printed(errors), path + ":1: error 25: bad\n    x?y, 5\n        ^\n");
}

TEST_F(QuotedSource, NothingIsQuotedWithoutALineToQuote) {
    const std::string path = write("only line\n");
    error_state errors;
    errors.record(101, std::nullopt, {path, 0, 0}, "whole file");
    errors.record(25, std::nullopt, {path, 7, 1}, "beyond the last line");
    errors.record(25, std::nullopt, {(folder_ / "gone.txt").string(), 1, 1}, "missing file");
    errors.record(11, 3050, {}, "grid pass");
    EXPECT_EQ(printed(errors), path + ": error 101: whole file\n" + path +
                                   ":7: error 25: beyond the last line\n" +
                                   (folder_ / "gone.txt").string() +
                                   ":1: error 25: missing file\n"
                                   "error 11 at 3050 m: grid pass\n");
}

TEST_F(QuotedSource, WarningsComeFirstAndTheLastLineIsTheFinalError) {
    const std::string path = write("one\ntwo\n");
    error_state errors;
    errors.record(15, 100, {path, 2, 1}, "first");
    errors.warn({path, 1, 1}, "a warning");
    errors.record(2, std::nullopt, {}, "last");
    EXPECT_EQ(printed(errors), path + ":1: warning: a warning\n    one\n    ^\n" + path +
                                   ":2: error 15 at 100 m: first\n    two\n    ^\nerror 2: last\n");
}

}  // namespace
}  // namespace scenario
