// The lines of a source text, as messages quote them: whatever line ends the text uses, and
// with nothing for a line that the text does not have.
#include "source/source_text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {
namespace {

struct lines_case {
    const char* name;
    std::string content;
    std::vector<std::string_view> lines;  // every line, in order
};

class SourceTextLines : public testing::TestWithParam<lines_case> {};

TEST_P(SourceTextLines, GivesEachLineWithoutItsEndAndNoneBeyondTheLast) {
    const lines_case& c = GetParam();
    const source_text text(c.content);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
        EXPECT_EQ(text.line(static_cast<int>(i) + 1), std::optional(c.lines[i]))
            << "line " << i + 1;
    }
    EXPECT_EQ(text.line(static_cast<int>(c.lines.size()) + 1), std::nullopt);
    EXPECT_EQ(text.line(0), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    LineEnds, SourceTextLines,
    testing::Values(lines_case{"CrLfLfAndCr", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                    lines_case{"EndingWithALineEndGivesAnEmptyLastLine", "a\r\n", {"a", ""}},
                    lines_case{"EmptyLinesStayLines", "\r\n\n\r", {"", "", "", ""}},
                    lines_case{"EmptyTextIsOneEmptyLine", "", {""}},
                    lines_case{"LoneCrBeforeCrLf", "a\r\r\nb", {"a", "", "b"}},
                    lines_case{"LfBeforeCr", "a\n\rb\r\n", {"a", "", "b", ""}}),
    [](const testing::TestParamInfo<lines_case>& info) { return std::string(info.param.name); });

TEST(SourceText, LinesAskedInAnyOrderAreTheSame) {
    const source_text text("one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(text.line(3), "three");
    EXPECT_EQ(text.line(1), "one");
    EXPECT_EQ(text.line(5), std::nullopt);
    EXPECT_EQ(text.line(2), "two");
    EXPECT_EQ(text.line(4), "");
}

TEST(SourceTexts, FindsTheTextKeptForAPathAndTheLatestOne) {
    source_texts sources;
    const auto first = sources.keep("d/a.txt", "first");
    sources.keep("d/b.txt", "other");
    ASSERT_NE(sources.find("d/a.txt"), nullptr);
    EXPECT_EQ(sources.find("d/a.txt")->content(), "first");
    sources.keep("d/a.txt", "second");
    EXPECT_EQ(sources.find("d/a.txt")->content(), "second");
    EXPECT_EQ(first->content(), "first") << "a reader of the first text keeps it";
    EXPECT_EQ(sources.find("d/c.txt"), nullptr);
    sources.clear();
    EXPECT_EQ(sources.find("d/b.txt"), nullptr);
}

}  // namespace
}  // namespace scenario
