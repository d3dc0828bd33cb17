// One compile as the reports of `check` and `compile` show it (check/checked_scenario.h): the
// counts, whether it failed, what stopped it, and the diagnostics as a list and as the command
// line's text. `check` of a collection compiles each scenario here, in memory.
#pragma once

#include "check/checked_scenario.h"
#include "check/scenario_search.h"
#include "compiler/compile_report.h"

namespace scenario {

// How the scenarios of a collection are compiled.
struct check_settings {
    bool no_line = false;
    bool warnings_as_errors = false;
    bool utf8 = false;
};

// The result of a compile that ran.
checked_scenario checked_result(const compile_context& context, const compile_report& report,
                                bool warnings_as_errors);

// Compiles a scenario found in a collection without writing anything and without the folder's
// lock (nothing is written, so nothing is taken from another run). A source that cannot be
// read gives a scenario that was not read.
checked_scenario check_scenario(const found_scenario& found, const check_settings& settings);

}  // namespace scenario
