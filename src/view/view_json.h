// The parts of the page's data, each a JSON value built from one of the models it shows.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "inspect/scenario_description.h"
#include "plot/model.h"
#include "view/view_data.h"

namespace scenario::view {

using json = nlohmann::ordered_json;

// The panels on the distance axis and the plan, as the drawing model of `plot` has them.
json distance_json(const plot::distance_view& distance);
json plan_json(const plot::plan_view& plan, const compiled_tables& tables);

// Every object of the description in the author's terms, with the cells it occupies, the
// stretch it covers and the source line that placed it (when the origins are known).
json objects_json(const scenario_description& description, const view_inputs& inputs);
// The series that the drawing model does not draw but a cell's card tells: the adherence.
json adherence_json(const scenario_description& description);

// The diagnostics, each with its place on the line where one can be told.
json diagnostics_json(const view_inputs& inputs);

// The name of a source file, without its folder, as the page names it.
std::string source_name(const view_inputs& inputs, source_file file);

// The file's name without its folder: the page names the two sources, wherever they lie.
std::string file_name(std::string_view path);

// A length in metres kept to the centimetre: enough for any drawing, and short in the text.
double centimetres(double metres);

}  // namespace scenario::view
