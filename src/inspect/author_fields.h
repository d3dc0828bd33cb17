// Every object of a scenario description in one shape: its place and a list of named
// values, under the names of the source record's fields ("sx", "lung.", "first group d2",
// "f_tt") and in that record's order. The text and JSON printers and the comparison of two
// scenarios all work on these lists, so each object's fields are named in one place.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "inspect/scenario_description.h"

namespace scenario {

struct field_value;
using field_list = std::vector<field_value>;

// A part of an object with a place of its own: a slowdown's points, a stretch's markers.
struct placed_part {
    line_place at;
    field_list fields;

    bool operator==(const placed_part& other) const;
};

using field_content =
    std::variant<std::monostate, std::int64_t, std::string, line_place, std::vector<placed_part>>;

// A value under its field's name: nothing (none), a whole number with its unit, a text, a
// place on the line, or placed parts.
struct field_value {
    std::string name;
    field_content value;
    std::string unit;  // "m", "km/h", "per mille" ...; empty for a plain number

    bool operator==(const field_value& other) const;
};

// The key of a field in JSON: the name in lower case, blanks as underscores, without
// full stops and apostrophes ("first group d2" -> "first_group_d2", "lung." -> "lung").
std::string field_key(const std::string& name);

// "400 m", "13:25:00", "none", "35300 m (cell 707)", a text as it stands.
std::string value_text(const field_value& field);
// "1000 m (cell 21)", or "1000 m" for a place without a cell.
std::string place_text(const line_place& at);
// A station's time in the timetable, "13:25:00"; empty for a station without one.
std::string time_text(const station_description& station);

// One object of the description.
struct described_object {
    std::string category;  // "station", "signal", "slowdown", ... (see object_categories)
    std::string name;      // a station's name; empty for other objects
    line_place at;
    field_list fields;  // everything but the place
};

// The categories in the order of the summary: singular, the heading of their list, and the
// key of that list in JSON.
struct object_category {
    const char* singular;
    const char* heading;
    const char* key;
};
const std::vector<object_category>& object_categories();

// Every object, category by category in the order above, each category in line order.
std::vector<described_object> objects_of(const scenario_description& description);

// The general values, the cab-signal stretch and the kilometre references, as their settings
// and records name them.
field_list general_fields(const scenario_description& description);

// A series, its name and the unit of its values.
struct described_series {
    const char* name;    // "gradient", "speed limit", "adherence"
    const char* plural;  // "gradients", "speed limits", "adherence"
    const char* unit;    // "per mille", "km/h", ""
    const std::vector<series_range>* ranges;
};
std::vector<described_series> series_of(const scenario_description& description);

// The metres that a range covers: from first_cell x 50 to (last_cell + 1) x 50.
std::int64_t range_from_metre(const series_range& range);
std::int64_t range_to_metre(const series_range& range);

}  // namespace scenario
