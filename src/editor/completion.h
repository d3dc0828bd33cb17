// Keywords offered where a record begins: those read in the part of the file where the line
// stands (the settings in the line file's general part, the records after it, the train's
// records), each with a snippet whose placeholders name the record's fields in order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/pair_compile.h"

namespace scenario::editor {

struct completion_item {
    std::string label;          // the key as the built-in files write it
    std::string snippet;        // the record with its fields as placeholders ${1:name}
    std::string detail;         // what the record is
    std::string documentation;  // its fields and their meanings
};

// The keywords to offer at a column of a line (columns in bytes, from 1); none past the first
// field of the line, where values are written.
std::vector<completion_item> completions_at(const pair_compile& compiled, source_file file,
                                            int line, std::string_view line_text, int column);

}  // namespace scenario::editor
