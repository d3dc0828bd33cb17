// The page of a scenario compiled from its sources, as `view` writes it and `watch --serve`
// serves it: one compile as `compile` runs it (its errors and warnings printed the same way),
// then the page's data from that compile.
#pragma once

#include <string>
#include <string_view>

#include "app/compile_run.h"

namespace scenario {

struct view_page {
    std::string title;
    std::string data_json;  // empty when the compile made nothing to show
    // When it made nothing to show: why, and its diagnostics as the page lists them (JSON),
    // so that a page of an earlier compile can tell that it is no longer the scenario's.
    std::string unusable;
    std::string diagnostics_json;
};

// Compiles and fills `page`; returns the compile's exit status, or the fatal one when the
// compile made no line to show (the reason told on standard error). The compile writes the
// compiled files when the request says so (`watch`), or nothing at all (`view`).
int compile_view_page(compile_request request, std::string_view command, view_page& page,
                      compile_tally* tally = nullptr);

}  // namespace scenario
