// The compile's errors and warnings as a scenario author reads them, the way a compiler
// reports: `FILE:LINE: error CODE at POS m: MESSAGE`, then the source line with a caret
// under the field that caused it. `FILE: ` alone stands for a whole file at fault (one that
// is missing, say); an error that no source line caused (the grid pass, the check of the
// kilometre references) has no location at all. ` at POS m` appears for the codes that
// carry a position.
#pragma once

#include <cstdio>
#include <string>

#include "compiler/error_state.h"

namespace scenario {

std::string format_error(const recorded_error& error);
std::string format_warning(const recorded_warning& warning);

// Prints every warning, then every error in the order found: the last line is the final
// error state.
void print_diagnostics(std::FILE* out, const error_state& errors);

}  // namespace scenario
