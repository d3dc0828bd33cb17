// A source file laid out in the columns of the built-in writer: every record that stands alone
// on its line is written again with its key as the author wrote it and its values as written,
// in the built-in files' columns for its kind (a position right-aligned, values after ", ",
// a station's name last). Comments, headers, empty lines, the preamble and any line that
// holds more or less than one whole record stay as they are, byte for byte, line ends too.
//
// A layout is only offered when it compiles to what the file compiled to before: the same
// record, the same error state, the same diagnostics at the same lines.
#pragma once

#include <optional>
#include <string>

#include "editor/pair_compile.h"

namespace scenario::editor {

// The file's text laid out; the text itself when nothing changes.
std::string lay_out(const pair_compile& compiled, source_file file);

struct layout_result {
    std::optional<std::string> text;  // none when the layout would change what is compiled
    std::string refusal;              // why not, for the author
};

// The layout, checked by compiling the laid-out text in place of the file's.
layout_result checked_layout(const pair_compile& compiled, source_file file);

}  // namespace scenario::editor
