// The compile's errors and warnings as a scenario author reads them on the command line, the
// way a compiler reports: `FILE:LINE: error CODE at POS m: MESSAGE`, then the source line with
// a caret under the field that caused it; `FILE:LINE: warning: MESSAGE [CODE]`; and after
// either, a `FILE:LINE: note: ...` for each other record it concerns. `FILE: ` alone stands for
// a whole file at fault (one that is missing, say); an error that no source line caused has no
// location at all. ` at POS m` appears for the codes that carry a position.
//
// The source line is quoted from the text that the compile read, never from the file as it
// stands now. A line wider than a terminal is cut around the field, with "..." where it is
// cut, and the caret stays under the field.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/diagnostic_list.h"
#include "compiler/error_state.h"
#include "source/source_text.h"

namespace scenario {

// The widest quoted line, its indent and any "..." included.
inline constexpr std::size_t widest_quoted_line = 120;

// The first line of a diagnostic, without its line end.
std::string format_head(const diagnostic& told);

// The two lines that point at a column of a source line: the line, cut around the column when
// it is too wide, and the caret under the column; each indented and ended by a line end.
std::string quote_line(std::string_view line, int column);

// Each diagnostic of the list with the source line it points at, and its notes, as the
// command line prints them.
std::string format_diagnostics(const std::vector<diagnostic>& list, const source_texts& sources);

// Prints each diagnostic of the list with the source line it points at, and its notes.
void print_diagnostics(std::FILE* out, const std::vector<diagnostic>& list,
                       const source_texts& sources);
// Prints the list of an error state: every warning, then every error in the order found, so
// that the last error printed is the final error state, then what lies beyond the compiled
// part.
void print_diagnostics(std::FILE* out, const error_state& errors, const source_texts& sources);

}  // namespace scenario
