// The outline of a source file as the compiler read it: its records grouped by kind (the
// general part, gradients, curves, boards ... in the line file; the general values, series,
// stations, slowdowns, signals in the train file), each named as an author knows it (a
// station by its name, a signal by its position) and spanning its lines.
#pragma once

#include <string>
#include <vector>

#include "editor/pair_compile.h"

namespace scenario::editor {

enum class symbol_kind {
    group,
    setting,
    station,
    signal,
    slowdown,
    board,
    series,
    curve,
    mountain,
    point
};

struct outline_symbol {
    std::string name;  // UTF-8, as is the detail
    std::string detail;
    symbol_kind kind = symbol_kind::group;
    // The whole record: from its key to the end of its last line; and its key alone.
    // Lines and columns from 1, columns in bytes, ends exclusive.
    int line = 0;
    int column = 0;
    int end_line = 0;
    int end_column = 0;
    int key_end_column = 0;
    std::vector<outline_symbol> children;
};

std::vector<outline_symbol> outline_of(const pair_compile& compiled, source_file file);

}  // namespace scenario::editor
