#include "editor/hover.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

#include "compiler/record_fields.h"
#include "editor/record_lookup.h"
#include "format/rounding.h"
#include "inspect/author_fields.h"
#include "source/code_page.h"
#include "source/source_text.h"

namespace scenario::editor {
namespace {

std::string km_text(std::int64_t metres) {
    char text[32];
    std::snprintf(text, sizeof text, "km %.3f", static_cast<double>(metres) / 1000.0);
    return text;
}

// The field's text as the author wrote it.
std::string written(const pair_compile& compiled, const mapped_field& field) {
    const source_text* text = compiled.context.sources.find(compiled.path_of(field.file));
    const std::optional<std::string_view> line =
        text != nullptr ? text->line(field.line) : std::nullopt;
    if (!line || field.column < 1 || static_cast<std::size_t>(field.column - 1) > line->size()) {
        return "";
    }
    const std::string_view bytes = line->substr(static_cast<std::size_t>(field.column - 1),
                                                static_cast<std::size_t>(field.length));
    // The hover is UTF-8: a source of single bytes is shown as Windows-1252.
    return compiled.context.options.utf8_texts ? std::string(bytes) : windows_1252_to_utf8(bytes);
}

bool placed_by(const record_origin& origin, const mapped_record& record) {
    return origin.known() && origin.file == record.file && origin.line == record.line &&
           origin.column == record.column;
}

std::string fields_text(const described_object& object) {
    std::string text;
    for (const field_value& field : object.fields) {
        if (field.name == "nome") {
            continue;
        }
        text += (text.empty() ? "" : ", ") + field.name + " " + value_text(field);
    }
    return text;
}

std::string object_line(const described_object& object) {
    std::string head = object.category;
    if (!object.name.empty()) {
        head += " " + object.name;
    }
    head += " at " + place_text(object.at) + ", " + km_text(object.at.metre);
    const std::string values = fields_text(object);
    return values.empty() ? head : head + ": " + values;
}

// The general values that a setting or general record filled, by their names in the summary.
void general_lines(const pair_compile& compiled, const mapped_record& record,
                   const scenario_description& description, std::vector<std::string>& lines) {
    // The summary names the general values by the keywords that set them.
    const std::string_view name = record.kind->name;
    if (name.starts_with("progressiva")) {
        // The reader orders the references: the entry that this record filled tells which.
        const char* const names[3] = {"uno", "due", "tre"};
        for (std::size_t k = 0; k < 3; ++k) {
            const std::size_t entry = 83 - k;
            if (placed_by(compiled.context.origins.entry(entry), record)) {
                const kilometre_reference& kept = description.references[k];
                lines.push_back("kept as reference " + std::string(names[k]) + ": position " +
                                std::to_string(kept.position) + " m, value " +
                                std::to_string(kept.value_as_written()) + " m, flag " +
                                std::to_string(kept.flag));
            }
        }
        return;
    }
    for (const field_value& field : general_fields(description)) {
        if (field.name.starts_with(name)) {
            lines.push_back(field.name + " " + value_text(field));
        }
    }
    if (record.kind == &keywords::lunghezza_percorso) {
        lines.push_back("the grid: cells 0 to " + std::to_string(description.grid.cell_count - 1) +
                        " of 50 m, to " + std::to_string(description.grid.cell_count * 50) + " m");
    }
}

// A series record: the range of cells over which its value holds.
void series_lines(const mapped_record& record, const scenario_description& description,
                  std::vector<std::string>& lines) {
    if (!record.position) {
        return;
    }
    const std::int64_t start = cella_di_inizio(*record.position);
    for (const described_series& series : series_of(description)) {
        const bool mine = (record.kind == &keywords::pendenza && series.name[0] == 'g') ||
                          (record.kind == &keywords::velocita && series.name[0] == 's') ||
                          (record.kind == &keywords::aderenza && series.name[0] == 'a');
        if (!mine) {
            continue;
        }
        for (const series_range& range : *series.ranges) {
            if (start >= range.first_cell && start <= range.last_cell) {
                lines.push_back(std::string(series.name) + " " + std::to_string(range.value) +
                                (*series.unit != '\0' ? " " + std::string(series.unit) : "") +
                                " from cell " + std::to_string(start) + " (" +
                                std::to_string(start * 50) + " m) to cell " +
                                std::to_string(range.last_cell) + " (up to " +
                                std::to_string(range_to_metre(range)) + " m)");
            }
        }
    }
}

// What the record compiled to, one line per object.
std::vector<std::string> compiled_lines(const pair_compile& compiled, const mapped_record& record,
                                        const scenario_description& description) {
    std::vector<std::string> lines;
    if (record.kind->setting || !record.kind->positioned) {
        general_lines(compiled, record, description, lines);
        return lines;
    }
    if (record.kind == &keywords::pendenza || record.kind == &keywords::velocita ||
        record.kind == &keywords::aderenza) {
        series_lines(record, description, lines);
        return lines;
    }
    std::vector<std::int64_t> cells;
    const std::size_t cell_count = compiled.context.record.celle.size();
    for (std::size_t i = 0; i < cell_count; ++i) {
        if (placed_by(compiled.context.origins.cell(i), record)) {
            cells.push_back(static_cast<std::int64_t>(i));
        }
    }
    std::vector<std::string> station_names;
    for (std::size_t entry = 0; entry < numero_voci; ++entry) {
        if (placed_by(compiled.context.origins.entry(entry), record) &&
            record.kind == &keywords::stazione) {
            station_names.push_back(compiled.context.record.voci[entry].testo);
        }
    }
    for (const described_object& object : objects_of(description)) {
        const bool in_cells =
            object.at.cell && std::find(cells.begin(), cells.end(), *object.at.cell) != cells.end();
        const bool station = object.category == "station" && record.position &&
                             object.at.metre == *record.position &&
                             std::find(station_names.begin(), station_names.end(), object.name) !=
                                 station_names.end();
        bool curve = false;
        if (object.category == "curve" && record.kind == &keywords::curva && record.position) {
            curve =
                object.at.metre <= *record.position + 1 &&
                object.at.metre + std::get<std::int64_t>(object.fields[1].value) > *record.position;
        }
        if (in_cells || station || curve) {
            lines.push_back(object_line(object));
        }
    }
    if (lines.empty() && !cells.empty()) {
        lines.push_back("cells " + std::to_string(cells.front()) + " to " +
                        std::to_string(cells.back()));
    }
    return lines;
}

// The station whose area holds the position, or the nearest one, and the nearest board.
std::vector<std::string> nearby_lines(std::int64_t position,
                                      const scenario_description& description) {
    std::vector<std::string> lines;
    const station_description* nearest = nullptr;
    std::int64_t distance = std::numeric_limits<std::int64_t>::max();
    for (const station_description& station : description.stations) {
        const std::int64_t away = position < station.area_start ? station.area_start - position
                                  : position > station.area_end ? position - station.area_end
                                                                : 0;
        if (away < distance) {
            distance = away;
            nearest = &station;
        }
    }
    if (nearest != nullptr) {
        lines.push_back(distance == 0
                            ? "within the area of station " + nearest->nome + " (" +
                                  std::to_string(nearest->area_start) + " to " +
                                  std::to_string(nearest->area_end) + " m)"
                            : "nearest station " + nearest->nome + " at " +
                                  std::to_string(nearest->pos) + " m, " + km_text(nearest->pos));
    }
    const auto nearest_board = [&](const auto& boards, const char* what) {
        const line_place* best = nullptr;
        for (const auto& board : boards) {
            if (best == nullptr ||
                std::llabs(board.at.metre - position) < std::llabs(best->metre - position)) {
                best = &board.at;
            }
        }
        constexpr std::int64_t reach = 2000;
        if (best != nullptr && std::llabs(best->metre - position) <= reach) {
            lines.push_back(std::string("nearest ") + what + " at " + place_text(*best));
        }
    };
    nearest_board(description.speed_boards, "maximum-speed board");
    nearest_board(description.indicator_boards, "indicator board");
    return lines;
}

std::string field_table(const pair_compile& compiled, const mapped_record& record,
                        const record_reference& reference) {
    const std::vector<const mapped_field*> values =
        reading_index(compiled.context.reading).values_of(record);
    std::string table = "\n| field | written | meaning |\n|---|---|---|\n";
    for (std::size_t i = 0; i < reference.fields.size(); ++i) {
        const std::string value = i < values.size() ? written(compiled, *values[i]) : "(missing)";
        table += "| " + std::string(reference.fields[i].name) + " | " + value + " | " +
                 std::string(reference.fields[i].meaning) + " |\n";
    }
    return table;
}

}  // namespace

std::optional<hover_text> hover_at(const pair_compile& compiled, source_file file, int line,
                                   int column) {
    const std::optional<record_at_place> place =
        record_at(compiled.context.reading, file, line, column);
    if (!place || place->record == nullptr) {
        return std::nullopt;
    }
    const mapped_record& record = *place->record;
    const record_reference* reference = reference_of(record.kind);
    hover_text hover{"", place->field->line, place->field->column,
                     place->field->column + place->field->length};
    std::string& text = hover.markdown;
    const reading_index index(compiled.context.reading);
    const mapped_field* key = index.key_of(record);
    const std::string key_text = key != nullptr ? written(compiled, *key) : std::string();
    text = "**" + key_text + "**";
    if (record.kind->positioned && record.position) {
        text +=
            " at " + std::to_string(*record.position) + " m (" + km_text(*record.position) + ")";
    }
    if (reference != nullptr) {
        text += ": " + std::string(reference->what);
    }
    text += "\n\n";
    if (place->value && reference != nullptr &&
        static_cast<std::size_t>(*place->value) < reference->fields.size()) {
        const field_reference& field = reference->fields[static_cast<std::size_t>(*place->value)];
        text += "`" + std::string(field.name) + "` = " + written(compiled, *place->field) + ": " +
                std::string(field.meaning) + "\n\n";
    }
    if (const scenario_description* description = compiled.description()) {
        const std::vector<std::string> lines = compiled_lines(compiled, record, *description);
        text += "**Compiled:** " + (lines.empty() ? std::string("nothing placed") : lines.front());
        for (std::size_t i = 1; i < lines.size(); ++i) {
            text += "  \n" + lines[i];
        }
        text += "\n\n";
        if (record.kind->positioned && record.position && !record.kind->setting) {
            const std::vector<std::string> near = nearby_lines(*record.position, *description);
            for (std::size_t i = 0; i < near.size(); ++i) {
                text += (i == 0 ? "**Nearby:** " : "  \n") + near[i];
            }
            if (!near.empty()) {
                text += "\n";
            }
        }
    } else {
        text += "**Compiled:** nothing: the line file gives no grid\n";
    }
    if (!place->value && reference != nullptr) {
        text += field_table(compiled, record, *reference);
    }
    return hover;
}

}  // namespace scenario::editor
