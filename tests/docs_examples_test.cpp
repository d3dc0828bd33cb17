// The authors' guide, docs/source-formats.md, stays true: its two examples compile without
// an error or a warning, so do the records it shows field by field, each record's part of it
// names the fields as the table of fields does, and its table of errors has a row for every
// code the compiler can report.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/error_codes.h"
#include "compiler/record_fields.h"
#include "compiler/warning_codes.h"
#include "support/author_folder.h"
#include "support/compile_test_support.h"

namespace scenario {
namespace {

using testing_support::author_compiled_files;
using testing_support::author_folder;
using testing_support::author_line_source;
using testing_support::author_train_source;
using testing_support::read_text_file;

std::string guide() {
    return read_text_file(std::string(SCENARIO_TEST_DATA_DIR) + "/../../docs/source-formats.md");
}

// The first fenced block after the heading that starts with `heading`.
std::string first_example_after(const std::string& text, const std::string& heading) {
    const std::size_t section = text.find("\n" + heading);
    if (section == std::string::npos) {
        return "";
    }
    const std::size_t fence = text.find("\n```\n", section);
    if (fence == std::string::npos) {
        return "";
    }
    const std::size_t start = fence + 5;
    const std::size_t end = text.find("\n```\n", start);
    return end == std::string::npos ? "" : text.substr(start, end + 1 - start);
}

TEST(AuthorsGuide, BothExamplesCompileWithoutAnyDiagnostic) {
    const std::string text = guide();
    const std::string line = first_example_after(text, "## The line file");
    const std::string train = first_example_after(text, "## The train file");
    ASSERT_TRUE(line.find("[generale]") != std::string::npos) << line;
    ASSERT_TRUE(train.find("[generale]") != std::string::npos) << train;

    author_folder folder;
    folder.write(author_line_source, line);
    folder.write(author_train_source, train);
    const auto result = folder.compile({"--werror"});
    EXPECT_EQ(result.exit_status, 0) << result.standard_error;
    EXPECT_EQ(result.standard_error, "");
    for (const char* name : author_compiled_files) {
        EXPECT_TRUE(folder.holds(name)) << name;
    }
}

// The fenced blocks that open with "```" followed by `info`: records of one kind of source.
std::vector<std::string> record_examples(const std::string& text, const std::string& info) {
    std::vector<std::string> blocks;
    const std::string opening = "\n```" + info + "\n";
    for (std::size_t at = text.find(opening); at != std::string::npos;
         at = text.find(opening, at + 1)) {
        const std::size_t start = at + opening.size();
        const std::size_t end = text.find("\n```\n", start);
        if (end == std::string::npos) {
            break;
        }
        blocks.push_back(text.substr(start, end + 1 - start));
    }
    return blocks;
}

std::string with_crlf(const std::string& lines) {
    std::string text;
    for (const char c : lines) {
        text += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return text;
}

void expect_compiles(const std::string& line, const std::string& train, const std::string& block) {
    author_folder folder;
    folder.write(author_line_source, with_crlf(line));
    folder.write(author_train_source, with_crlf(train));
    const auto result = folder.compile();
    EXPECT_EQ(result.exit_status, 0) << block << result.standard_error;
    EXPECT_TRUE(testing_support::error_lines(result.standard_error).empty())
        << block << result.standard_error;
}

// A block of line records is compiled on a line of 10000 m; a block of train records after
// the header of a train file, on the line of the guide's example.
TEST(AuthorsGuide, RecordsShownFieldByFieldCompileWithoutAnError) {
    const std::string text = guide();
    const std::vector<std::string> line_blocks = record_examples(text, "line");
    const std::vector<std::string> train_blocks = record_examples(text, "train");
    EXPECT_FALSE(line_blocks.empty());
    EXPECT_FALSE(train_blocks.empty());
    for (const std::string& block : line_blocks) {
        expect_compiles("[generale]\nlunghezza percorso, 10000\n[tracciato]\n" + block + "[fine]\n",
                        std::string(testing_support::general_values_train_source), block);
    }
    const std::string line = first_example_after(text, "## The line file");
    for (const std::string& block : train_blocks) {
        expect_compiles(line, "[generale]\n" + block + "[fine]\n", block);
    }
}

// The part of the guide's field reference about one record: from the first mention of its
// key to the next record's heading.
std::string part_about(const std::string& reference, const record_reference& record) {
    std::string key(record.written);
    if (const std::size_t second_blank = key.find(' ', key.find(' ') + 1);
        second_blank != std::string::npos) {
        key.resize(second_blank);  // "progressiva chilometrica" for all three references
    }
    while (!key.empty() && std::isdigit(static_cast<unsigned char>(key.back())) != 0) {
        key.pop_back();  // "curvas" for every curve
    }
    const std::size_t start = reference.find("`" + key);
    if (start == std::string::npos) {
        return "";
    }
    std::size_t end = reference.size();
    for (const char* heading : {"\n**`", "\n#"}) {
        end = std::min(end, reference.find(heading, start + 1));
    }
    return reference.substr(start, end - start);
}

bool holds_word(const std::string& text, std::string_view word) {
    const auto part_of_word = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
        const std::size_t after = at + word.size();
        if ((at == 0 || !part_of_word(text[at - 1])) &&
            (after == text.size() || !part_of_word(text[after]))) {
            return true;
        }
    }
    return false;
}

TEST(AuthorsGuide, NamesEveryRecordsFieldsAsTheTableOfFieldsDoes) {
    const std::string text = guide();
    const std::size_t from = text.find("\n## Every field of the line file");
    const std::size_t to = text.find("\n## Reading the result");
    ASSERT_NE(from, std::string::npos);
    ASSERT_NE(to, std::string::npos);
    const std::string reference = text.substr(from, to - from);
    for (const record_reference& record : record_references()) {
        const std::string part = part_about(reference, record);
        ASSERT_FALSE(part.empty()) << "no part about " << record.written;
        for (const field_reference& field : record.fields) {
            EXPECT_TRUE(holds_word(part, field.name))
                << "the part about " << record.written << " never names " << field.name;
        }
    }
}

TEST(AuthorsGuide, ErrorTableHasARowForEveryCode) {
    const std::string text = guide();
    const std::size_t errors = text.find("\n## Errors\n");
    ASSERT_NE(errors, std::string::npos);
    const std::string section = text.substr(errors, text.find("\n## ", errors + 1) - errors);
    int codes = 0;
    for (std::int32_t codice = 1; codice <= 9999; ++codice) {
        if (error_code_meaning(codice) == error_code_meaning(0)) {
            continue;  // not a code of the compiler
        }
        ++codes;
        EXPECT_NE(section.find("\n| " + std::to_string(codice) + " | "), std::string::npos)
            << "no row for error " << codice;
    }
    EXPECT_EQ(codes, 29);
}

TEST(AuthorsGuide, WarningsSectionGivesEveryWarningCode) {
    const std::string text = guide();
    const std::size_t warnings = text.find("\n## Warnings\n");
    ASSERT_NE(warnings, std::string::npos);
    const std::string section = text.substr(warnings, text.find("\n## ", warnings + 1) - warnings);
    for (const warning_code_entry& entry : warning_code_table) {
        EXPECT_NE(section.find("`[" + std::string(entry.code) + "]`"), std::string::npos)
            << "no example of warning " << entry.code;
    }
}

}  // namespace
}  // namespace scenario
