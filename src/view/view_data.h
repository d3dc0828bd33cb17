// The data of the page: what `view` and `watch --serve` hand to the page's script, as one JSON
// document. It holds the drawing model of `plot` (the plan and the panels on the distance
// axis, over the whole line), the plan's track thinned at several tolerances so that the page
// can show any part of it at its own scale, every object of the scenario in the author's terms
// with the source file and line that placed it, and the compile's errors and warnings with the
// place on the line they concern.
//
// Nothing here decides what an object is or means: the drawing model, the author's-terms
// description and the diagnostics are the ones that `plot`, `inspect --summary` and `compile`
// print. This file only puts them side by side for the page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "compiler/record_origins.h"
#include "inspect/compiled_scenario.h"
#include "source/status.h"

namespace scenario::view {

// One error or warning of the compile, as the page shows it: on the axis at `metre` when it
// concerns a place on the line, in the list of the compile's messages in any case.
struct page_diagnostic {
    bool error = false;
    std::int32_t code = 0;  // the error code; 0 for a warning
    std::string file;       // the source file's name, without its folder; empty for none
    std::int32_t line = 0;
    std::int32_t column = 0;
    std::string message;
    std::string source_line;  // the line as the compile read it; empty for none
    std::optional<std::int64_t> metre;
};

// What the page is made from: the tables of one compile, the origins of its objects (none
// when the tables were read back from compiled files) and its diagnostics. The file names are
// those of the two sources, without their folder, for the objects' origins.
struct view_inputs {
    const compiled_tables* tables = nullptr;
    const record_origins* origins = nullptr;
    std::string line_source;
    std::string train_source;
    std::vector<page_diagnostic> diagnostics;
};

// The JSON text of the page's data. Fails when the tables hold no grid to draw.
status make_view_data(const view_inputs& inputs, std::string& json);

}  // namespace scenario::view
