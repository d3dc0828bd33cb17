// The JSON of the authors' terms, shared by the summary and the difference: a field list as
// an object under the fields' keys, a place as its position and cell.
#pragma once

#include <nlohmann/json.hpp>

#include "inspect/author_fields.h"

namespace scenario {

using author_json = nlohmann::ordered_json;

// {"position_m": ..., "cell": ...}; no "cell" for a place without one.
void add_place_json(author_json& object, const line_place& at);
// The value alone: null, a number, a text, a place or an array of parts.
author_json value_json(const field_value& field);
// The place, then every field under its key.
author_json object_json(const described_object& object);

}  // namespace scenario
