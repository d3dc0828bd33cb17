// What an author reads on pointing at a record of the built-in scenario.
#include "editor/hover.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/editor_test_support.h"

namespace scenario::editor {
namespace {

std::string hover_markdown(const pair_compile& compiled, source_file file, int line, int column) {
    const std::optional<hover_text> hover = hover_at(compiled, file, line, column);
    return hover ? hover->markdown : "(none)";
}

TEST(Hover, SignalKeyShowsItsCellPositionAndFields) {
    const auto compiled = builtin_pair();
    ASSERT_TRUE(compiled->report.diagnostics.empty());
    // "segnale,   1000, 1, 4, 1, 0, 0,     0, 0, 0, 0, 0" is line 63 of the train file.
    const std::string text = hover_markdown(*compiled, source_file::train, 63, 3);
    EXPECT_NE(text.find("**segnale** at 1000 m (km 1.000)"), std::string::npos) << text;
    EXPECT_NE(text.find("signal at 1000 m (cell 21)"), std::string::npos) << text;
    EXPECT_NE(text.find("| tempo | 0 | waiting time"), std::string::npos) << text;
    EXPECT_NE(text.find("nearest station VALDORA S.M.N."), std::string::npos) << text;
}

TEST(Hover, ValueNamesItsField) {
    const auto compiled = builtin_pair();
    const std::string text = hover_markdown(*compiled, source_file::train, 63, 18);
    EXPECT_NE(text.find("`sx` = 1: left group: kind code"), std::string::npos) << text;
    EXPECT_EQ(text.find("| field |"), std::string::npos) << text;
}

TEST(Hover, StationSlowdownGradientAndSettingShowWhatTheyCompiledTo) {
    const auto compiled = builtin_pair();
    for (const auto& [file, line, wanted] :
         {std::tuple{source_file::train, 45, "station EMPOLI at 33800 m"},
          std::tuple{source_file::train, 57, "slowdown at 36500 m (cell 731)"},
          std::tuple{source_file::line, 15, "gradient 4 per mille from cell 6 (300 m)"},
          std::tuple{source_file::line, 6, "lunghezza percorso 82000 m"},
          std::tuple{source_file::line, 39, "**curvad3** at 1150 m"}}) {
        const std::string text = hover_markdown(*compiled, file, line, 1);
        EXPECT_NE(text.find(wanted), std::string::npos) << line << ":\n" << text;
    }
}

TEST(Hover, NothingOnACommentOrAnEmptyLine) {
    const auto compiled = builtin_pair();
    EXPECT_EQ(hover_markdown(*compiled, source_file::line, 45, 1), "(none)");  // "- cascine"
    EXPECT_EQ(hover_markdown(*compiled, source_file::line, 2, 1), "(none)");
}

}  // namespace
}  // namespace scenario::editor
