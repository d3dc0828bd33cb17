// The compile's errors and warnings as a scenario author reads them, the way a compiler
// reports: `FILE:LINE: error CODE at POS m: MESSAGE`, then the source line with a caret
// under the field that caused it. `FILE: ` alone stands for a whole file at fault (one that
// is missing, say); an error that no source line caused (the grid pass, the check of the
// kilometre references) has no location at all. ` at POS m` appears for the codes that
// carry a position.
//
// The source line is quoted from the text that the compile read, never from the file as it
// stands now. A line wider than a terminal is cut around the field, with "..." where it is
// cut, and the caret stays under the field.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "compiler/error_state.h"
#include "source/source_text.h"

namespace scenario {

// The widest quoted line, its indent and any "..." included.
inline constexpr std::size_t widest_quoted_line = 120;

std::string format_error(const recorded_error& error);
std::string format_warning(const recorded_warning& warning);

// The two lines that point at a column of a source line: the line, cut around the column when
// it is too wide, and the caret under the column; each indented and ended by a line end.
std::string quote_line(std::string_view line, int column);

// Prints every warning, then every error in the order found, each with the source line it
// points at: the last line is the final error state.
void print_diagnostics(std::FILE* out, const error_state& errors, const source_texts& sources);

}  // namespace scenario
