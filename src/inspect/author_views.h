// The scenario description and the difference of two scenarios, printed for people (text)
// and for scripts (JSON). The text names every value as the sources name it, the JSON uses
// the same names as keys (author_fields.h, field_key).
#pragma once

#include <ostream>

#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"
#include "inspect/scenario_difference.h"

namespace scenario {

// The summary of a scenario read from `files`; `window`, when given, is the part of the line
// that the description was cut to.
void print_summary_text(std::ostream& out, const scenario_description& description,
                        const compiled_scenario_files& files, const line_window* window);
void print_summary_json(std::ostream& out, const scenario_description& description,
                        const compiled_scenario_files& files, const line_window* window);

// The changes from the first scenario to the second; nothing for no change.
void print_difference_text(std::ostream& out, const scenario_difference& difference);
void print_difference_json(std::ostream& out, const scenario_difference& difference);

}  // namespace scenario
