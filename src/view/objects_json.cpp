// The objects of the scenario in the author's terms (inspect/author_fields.h), each with what
// the page needs to find it: the cells it occupies, the stretch of line it covers, and the
// source file and line of the record that placed it, from the compile's origins.
#include <cstddef>
#include <optional>

#include "inspect/author_fields.h"
#include "view/view_json.h"

namespace scenario::view {
namespace {

// Where an object came from: an entry of the item table (a station) or a cell of the grid.
struct origin_key {
    std::optional<std::size_t> entry;
    std::optional<std::int64_t> cell;
};

// What the page needs beside an object's fields, in the order of objects_of.
struct object_reach {
    origin_key origin;
    std::vector<std::int64_t> cells;
    std::optional<std::pair<std::int64_t, std::int64_t>> span;  // metres
};

std::vector<std::int64_t> cell_of(const line_place& at) {
    return at.cell ? std::vector<std::int64_t>{*at.cell} : std::vector<std::int64_t>{};
}

std::vector<object_reach> reaches_of(const scenario_description& d) {
    std::vector<object_reach> reaches;
    for (const station_description& s : d.stations) {
        object_reach reach{{s.entry, std::nullopt}, {}, std::pair{s.area_start, s.area_end}};
        if (s.end_cell) {
            reach.cells.push_back(*s.end_cell);
        }
        reaches.push_back(std::move(reach));
    }
    for (const signal_description& s : d.signals) {
        reaches.push_back({{std::nullopt, s.at.cell}, cell_of(s.at), std::nullopt});
    }
    for (const slowdown_description& s : d.slowdowns) {
        object_reach reach{{std::nullopt, s.start.cell}, cell_of(s.start), std::nullopt};
        if (s.end) {
            for (const std::int64_t c : cell_of(*s.end)) {
                reach.cells.push_back(c);
            }
            reach.span = std::pair{s.start.metre, s.end->metre};
        }
        if (s.warning_board) {
            for (const std::int64_t c : cell_of(*s.warning_board)) {
                reach.cells.push_back(c);
            }
        }
        for (const abbattimento_point& p : s.points) {
            for (const std::int64_t c : cell_of(p.at)) {
                reach.cells.push_back(c);
            }
        }
        reaches.push_back(std::move(reach));
    }
    for (const speed_board_description& b : d.speed_boards) {
        reaches.push_back({{std::nullopt, b.at.cell}, cell_of(b.at), std::nullopt});
    }
    for (const indicator_board_description& b : d.indicator_boards) {
        reaches.push_back({{std::nullopt, b.at.cell}, cell_of(b.at), std::nullopt});
    }
    for (const abbattimento_point& p : d.points) {
        reaches.push_back({{std::nullopt, p.at.cell}, cell_of(p.at), std::nullopt});
    }
    for (const mountain_stretch& m : d.mountains) {
        // Only the marker cells remember the stretch's record.
        object_reach reach{
            {},
            m.markers,
            std::pair{start_place(m.first_cell).metre, start_place(m.last_cell + 1).metre}};
        if (!m.markers.empty()) {
            reach.origin.cell = m.markers.front();
        }
        reaches.push_back(std::move(reach));
    }
    if (d.plan) {
        for (const curve_description& c : d.plan->curves) {
            reaches.push_back({{}, {}, std::pair{c.inizio, c.inizio + c.length}});
        }
    }
    for (const other_object& o : d.other_objects) {
        reaches.push_back({{std::nullopt, o.at.cell}, cell_of(o.at), std::nullopt});
    }
    return reaches;
}

const record_origin* origin_of(const origin_key& key, const record_origins& origins) {
    const record_origin* origin = nullptr;
    if (key.entry) {
        origin = &origins.entry(*key.entry);
    } else if (key.cell && *key.cell >= 0) {
        origin = &origins.cell(static_cast<std::size_t>(*key.cell));
    }
    return origin != nullptr && origin->known() ? origin : nullptr;
}

}  // namespace

std::string source_name(const view_inputs& inputs, source_file file) {
    switch (file) {
        case source_file::line:
            return inputs.line_source;
        case source_file::train:
            return inputs.train_source;
        case source_file::none:
            break;
    }
    return "";
}

json objects_json(const scenario_description& description, const view_inputs& inputs) {
    const std::vector<described_object> objects = objects_of(description);
    const std::vector<object_reach> reaches = reaches_of(description);
    json array = json::array();
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const described_object& object = objects[i];
        json fields = json::array();
        for (const field_value& field : object.fields) {
            fields.push_back({field.name, value_text(field)});
        }
        json item = {{"kind", object.category},
                     {"name", object.name},
                     {"metre", object.at.metre},
                     {"cell", object.at.cell ? json(*object.at.cell) : json(nullptr)},
                     {"fields", std::move(fields)}};
        if (i < reaches.size()) {
            const object_reach& reach = reaches[i];
            item["cells"] = reach.cells;
            if (reach.span) {
                item["span"] = {reach.span->first, reach.span->second};
            }
            const record_origin* origin =
                inputs.origins != nullptr ? origin_of(reach.origin, *inputs.origins) : nullptr;
            if (origin != nullptr) {
                item["source"] = {{"file", source_name(inputs, origin->file)},
                                  {"line", origin->line},
                                  {"record", record_origins::name_of(*origin)},
                                  {"added", origin->added_by_grid_pass}};
            }
        }
        array.push_back(std::move(item));
    }
    return array;
}

json adherence_json(const scenario_description& description) {
    json array = json::array();
    for (const series_range& range : description.adherence) {
        array.push_back({range_from_metre(range), range_to_metre(range), range.value});
    }
    return array;
}

}  // namespace scenario::view
