// The records of the built-in source files, read through the field reader line by line:
// what the built-in sources write, for checking what the compiled files say against it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "source/field_reader.h"
#include "source/line_table_writer.h"

namespace scenario::testing_support {

struct source_record {
    std::string key;
    std::vector<std::int32_t> numbers;
    std::string text;  // the text field after the numbers, when the record has one
};

inline std::string lower_case(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The records whose key contains `keyword` (in any case), each with `count` numbers and, when
// `with_text`, the text that follows them. Comment lines start with "-".
inline std::vector<source_record> records_of(const line_table& table, std::string_view keyword,
                                             int count, bool with_text = false) {
    std::vector<source_record> records;
    for (const std::string_view line : table) {
        if (line == end_marker || line.empty() || line.front() == '-') {
            continue;
        }
        field_reader reader{std::string(line)};
        source_record record;
        if (reader.read_text(record.key) != read_result::ok ||
            lower_case(record.key).find(keyword) == std::string::npos) {
            continue;
        }
        for (int k = 0; k < count; ++k) {
            std::int32_t value = 0;
            EXPECT_EQ(reader.read_number(value), read_result::ok) << line;
            record.numbers.push_back(value);
        }
        if (with_text) {
            EXPECT_EQ(reader.read_text(record.text), read_result::ok) << line;
        }
        records.push_back(std::move(record));
    }
    return records;
}

}  // namespace scenario::testing_support
