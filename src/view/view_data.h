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

#include <string>
#include <vector>

#include "compiler/diagnostic_list.h"
#include "compiler/record_origins.h"
#include "inspect/compiled_scenario.h"
#include "source/status.h"

namespace scenario::view {

// What the page is made from: the tables of one compile, the origins of its objects (none
// when the tables were read back from compiled files), its diagnostics and the texts they
// quote. The page names the two sources by their file names, without their folder.
struct view_inputs {
    const compiled_tables* tables = nullptr;
    const record_origins* origins = nullptr;
    std::string line_source;
    std::string train_source;
    const std::vector<diagnostic>* diagnostics = nullptr;
    const source_texts* sources = nullptr;
};

// The JSON text of the page's data. Fails when the tables hold no grid to draw.
status make_view_data(const view_inputs& inputs, std::string& text);

}  // namespace scenario::view
