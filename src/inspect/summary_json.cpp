// The summary of a compiled scenario as one JSON document, with the same content as the
// text: the files, the line, the general values, every object by category, the series.
#include "inspect/author_json.h"
#include "inspect/author_views.h"
#include "inspect/timetable_description.h"

namespace scenario {

namespace {

author_json window_json(const line_window* window) {
    if (window == nullptr) {
        return nullptr;
    }
    author_json json = author_json::object();
    json["first_cell"] = window->first_cell ? author_json(*window->first_cell) : nullptr;
    json["last_cell"] = window->last_cell ? author_json(*window->last_cell) : nullptr;
    json["from_m"] = window->from_metre ? author_json(*window->from_metre) : nullptr;
    json["to_m"] = window->to_metre ? author_json(*window->to_metre) : nullptr;
    return json;
}

author_json plan_json(const scenario_description& d) {
    if (!d.plan) {
        return nullptr;
    }
    const plan_description& plan = *d.plan;
    author_json json = {{"last_row", plan.last_row}, {"last_filled_row", plan.last_filled_row},
                        {"x_min_m", plan.min_x},     {"x_max_m", plan.max_x},
                        {"y_min_m", plan.min_y},     {"y_max_m", plan.max_y},
                        {"line_end", nullptr}};
    if (plan.line_end) {
        json["line_end"] = {{"x_m", plan.line_end->x}, {"y_m", plan.line_end->y}};
    }
    return json;
}

author_json series_json(const described_series& series) {
    author_json array = author_json::array();
    for (const series_range& range : *series.ranges) {
        array.push_back({{"from_m", range_from_metre(range)},
                         {"to_m", range_to_metre(range)},
                         {"first_cell", range.first_cell},
                         {"last_cell", range.last_cell},
                         {"value", range.value}});
    }
    return array;
}

}  // namespace

void print_summary_json(std::ostream& out, const scenario_description& d,
                        const compiled_scenario_files& files, const line_window* window) {
    author_json json = author_json::object();
    json["route"] = d.general.route;
    json["train"] = d.general.train;
    json["files"] = {{"items", files.items},
                     {"grid", files.grid},
                     {"line", d.plan ? author_json(files.line) : nullptr}};
    json["window"] = window_json(window);
    json["line"] = {{"lunghezza_percorso_m", d.general.lunghezza_percorso},
                    {"cells", d.grid.cell_count},
                    {"grid_to_m", d.grid.cell_count * cell_metres},
                    {"series_cells", d.grid.series_cell_count},
                    {"series_to_m", d.grid.series_cell_count * cell_metres}};
    json["plan"] = plan_json(d);
    author_json general = author_json::object();
    for (const field_value& field : general_fields(d)) {
        general[field_key(field.name)] = value_json(field);
    }
    json["general"] = std::move(general);
    json["stamps"] = {{"item_format", d.stamps.item_format},
                      {"grid_format", d.stamps.grid_format},
                      {"weighted_code", d.stamps.weighted_code},
                      {"plain_code", d.stamps.plain_code}};
    const std::vector<described_object> objects = objects_of(d);
    for (const object_category& category : object_categories()) {
        author_json array = author_json::array();
        for (const described_object& object : objects) {
            if (object.category == category.singular) {
                array.push_back(object_json(object));
            }
        }
        json[category.key] = std::move(array);
    }
    for (const described_series& series : series_of(d)) {
        json[field_key(series.plural)] = series_json(series);
    }
    // The timetable needs the whole line: a summary of a part tells nothing of it.
    if (window == nullptr) {
        json["timetable_notes"] = tight_timetable_notes(d);
    }
    out << json.dump(2) << '\n';
}

}  // namespace scenario
