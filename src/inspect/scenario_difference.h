// What changed between two compiled scenarios, in their authors' terms: the general values,
// the objects added, removed, moved or changed, the series cell by cell, and where the plans
// of the two lines part. It compares two scenario descriptions (scenario_description.h)
// through their field lists (author_fields.h), so a change is named as the sources name the
// field that changed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inspect/author_fields.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"

namespace scenario {

// One field that differs: its value in the first scenario and in the second (none when the
// field is not there).
struct field_change {
    std::string name;
    std::optional<field_value> old_value;
    std::optional<field_value> new_value;
};

enum class change_kind { added, removed, moved, changed };

struct object_change {
    change_kind how = change_kind::changed;
    std::string category;
    std::optional<described_object> old_object;  // none for an added object
    std::optional<described_object> new_object;  // none for a removed one
    std::vector<field_change> fields;            // moved and changed: what differs
};

// Cells where a series holds one value in the first scenario and another in the second;
// nothing where a grid does not reach.
struct series_change {
    std::string series;  // "gradient", "speed limit", "adherence"
    std::string unit;
    std::int64_t first_cell = 0;
    std::int64_t last_cell = 0;
    std::optional<int> old_value;
    std::optional<int> new_value;
};

// Where the plans of the two lines part: the first metre whose positions differ, and the
// largest distance between the two positions of one metre, over the metres both plans have.
struct plan_change {
    bool old_has_plan = true;
    bool new_has_plan = true;
    std::optional<std::int64_t> first_parting_metre;
    double largest_distance = 0.0;
    std::int64_t largest_distance_metre = 0;
    std::int64_t old_last_row = 0;
    std::int64_t new_last_row = 0;
};

// A field of the compiled files that differs where no change in the authors' terms explains
// it: "cell 19 extra2", "entry 84 valore4".
struct raw_change {
    std::string where;
    std::string old_value;
    std::string new_value;
};

struct scenario_difference {
    std::vector<field_change> general;
    std::vector<object_change> objects;
    std::vector<series_change> series;
    std::optional<plan_change> plan;
    std::vector<raw_change> raw;  // only when nothing above differs
    std::size_t raw_total = 0;    // how many raw differences there are in all

    bool empty() const {
        return general.empty() && objects.empty() && series.empty() && !plan && raw.empty();
    }
};

// The changes between two descriptions, without the plans' rows.
scenario_difference compare_descriptions(const scenario_description& old_scenario,
                                         const scenario_description& new_scenario);

// The plans' rows compared; nothing when the plans are the same, row for row.
std::optional<plan_change> compare_plans(const std::optional<profilo_linea>& old_plan,
                                         const std::optional<profilo_linea>& new_plan);

// Everything: the descriptions, the plans and, when these show nothing, the compiled fields
// that differ (the first few of them).
scenario_difference compare_scenarios(const compiled_tables& old_tables,
                                      const compiled_tables& new_tables);

}  // namespace scenario
