// The comment rule that both readers share: a run of comments is passed over up to the
// rule's count, and only the record parts stop at the end of the file inside the run.
#include "compiler/source_reading.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

struct key_case {
    const char* name;
    comment_rule rule;
    std::string content;
    key_read expected;
    std::string key;  // for a key read
};

class ReadKey : public testing::TestWithParam<key_case> {};

TEST_P(ReadKey, PassesOverCommentsByTheRule) {
    const key_case& c = GetParam();
    compile_context context(compile_options{"", {"R", "T"}, /*delete_sources=*/false});
    source_cursor cursor(context, "R_linea.txt", c.content, source_file::line);
    source_reading reading(context, cursor, source_part::line_records);
    EXPECT_EQ(read_key(reading, c.rule), c.expected);
    if (c.expected == key_read::key || c.expected == key_read::comment_read_as_key) {
        EXPECT_EQ(reading.key, c.key);
    }
}

std::string comments(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "- comment " + std::to_string(i) + "\r\n";
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ReadKey,
    testing::Values(key_case{"RecordPartPassesOverTwoComments", record_part_comments,
                             comments(2) + "pendenza, 0, 1\r\n", key_read::key, "pendenza"},
                    key_case{"RecordPartReadsTheThirdCommentAsTheKey", record_part_comments,
                             comments(3) + "x\r\n", key_read::comment_read_as_key, "- comment 2"},
                    key_case{"RecordPartStopsAtTheEndOfTheFileInsideTheRun", record_part_comments,
                             comments(1) + "last", key_read::end_of_file, ""},
                    key_case{"GeneralPartPassesOverTenComments", general_part_comments,
                             comments(10) + "sfondo uno, 1\r\n", key_read::key, "sfondo uno"},
                    key_case{"GeneralPartReadsTheEleventhCommentAsTheKey", general_part_comments,
                             comments(11) + "x\r\n", key_read::comment_read_as_key, "- comment 10"},
                    key_case{"GeneralPartExaminesTheLastFieldAfterComments", general_part_comments,
                             comments(1) + "last", key_read::key, "last"},
                    key_case{"AnEmptyFileHasNoKey", record_part_comments, "", key_read::end_of_file,
                             ""}),
    [](const testing::TestParamInfo<key_case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
