// What an author sees on pointing at a record in an editor: what the record compiled to, in
// the author's terms (the cell or cells, the position in km, the values as the compiled files
// keep them), the station and board nearby, and on its key the record's fields with the values
// written and what each means.
#pragma once

#include <optional>
#include <string>

#include "editor/pair_compile.h"

namespace scenario::editor {

struct hover_text {
    std::string markdown;  // UTF-8
    int line = 0;          // the field pointed at: line, first column and the column after it
    int column = 0;
    int end_column = 0;
};

// None where no record stands (a comment, an empty line, a field passed over).
std::optional<hover_text> hover_at(const pair_compile& compiled, source_file file, int line,
                                   int column);

}  // namespace scenario::editor
