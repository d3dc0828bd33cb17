// The summary of a compiled scenario as text: the line and the general values first, then
// every object, category by category, one object per entry, then the series as ranges.
#include <cstdio>
#include <string>

#include "inspect/author_views.h"
#include "inspect/timetable_description.h"

namespace scenario {
namespace {

constexpr std::size_t line_width = 100;
constexpr const char* continuation = "      ";

std::string format(const char* pattern, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// "HEAD: part, part, ..." wrapped at the line width.
void write_wrapped(std::ostream& out, const std::string& head,
                   const std::vector<std::string>& parts) {
    std::string line = "  " + head + (parts.empty() ? "" : ":");
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::string part = parts[k] + (k + 1 < parts.size() ? "," : "");
        if (line.size() + 1 + part.size() > line_width &&
            line.size() > std::string(continuation).size()) {
            out << line << '\n';
            line = continuation + part;
        } else {
            line += " " + part;
        }
    }
    out << line << '\n';
}

std::string object_head(const described_object& object) {
    if (!object.name.empty()) {
        return object.name + " at " + place_text(object.at);
    }
    return place_text(object.at);
}

void write_object(std::ostream& out, const described_object& object) {
    std::vector<std::string> parts;
    for (const field_value& field : object.fields) {
        if (field.name == "nome") {
            continue;  // in the head
        }
        std::string value = value_text(field);
        if (field.name == "text") {
            value.insert(0, 1, '"').push_back('"');
        }
        parts.push_back(field.name + " " + value);
    }
    write_wrapped(out, object_head(object), parts);
}

void write_files(std::ostream& out, const compiled_scenario_files& files, bool has_plan) {
    out << "  item file  " << files.items << "\n  grid file  " << files.grid << "\n  line file  "
        << (has_plan ? files.line : "none (" + files.line + " is not there)") << '\n';
}

void write_window(std::ostream& out, const line_window& window) {
    std::string text;
    if (window.first_cell || window.last_cell) {
        text += "cells " + (window.first_cell ? std::to_string(*window.first_cell) : "0") + ".." +
                (window.last_cell ? std::to_string(*window.last_cell) : "");
    }
    if (window.from_metre || window.to_metre) {
        text += (text.empty() ? "" : ", ") + format("%g .. %g km",
                                                    window.from_metre.value_or(0.0) / 1000,
                                                    window.to_metre.value_or(0.0) / 1000);
    }
    out << "only what lies within " << text << " (the general values for the whole line)\n";
}

void write_line(std::ostream& out, const scenario_description& d) {
    const std::int64_t cells = d.grid.cell_count;
    out << "line: " << d.general.lunghezza_percorso << " m; grid cells 0.." << cells - 1
        << ", 0 .. " << cells * cell_metres << " m; series over cells 0.."
        << d.grid.series_cell_count - 1 << ", 0 .. " << d.grid.series_cell_count * cell_metres
        << " m\n";
    if (!d.plan) {
        out << "plan: none (compiled without the line)\n";
        return;
    }
    const plan_description& plan = *d.plan;
    out << format("plan: rows 0..%d, filled to %d; x from %.3f to %.3f m, y from %.3f to %.3f m\n",
                  plan.last_row, plan.last_filled_row, plan.min_x, plan.max_x, plan.min_y,
                  plan.max_y);
    if (plan.line_end) {
        out << format("  the line ends at metre %d at x %.3f, y %.3f m\n",
                      d.general.lunghezza_percorso, plan.line_end->x, plan.line_end->y);
    }
}

void write_general(std::ostream& out, const scenario_description& d) {
    const general_values& g = d.general;
    out << format(
        "train: numero vetture %d, percentuale massa frenata %d, sabbia %d, orologio "
        "%02d:%02d:%02d\n",
        g.numero_vetture, g.percentuale_massa_frenata, g.sabbia, g.orologio[0], g.orologio[1],
        g.orologio[2]);
    out << format("backgrounds: sfondo uno %d, sfondo due %d, sfondo tre %d\n", g.sfondo[0],
                  g.sfondo[1], g.sfondo[2]);
    const cab_signal_stretch& cab = d.cab_signals;
    if (cab.codes == 0) {
        out << format("ripetizione segnali: none (start %d m, end %d m)\n", cab.start, cab.end);
    } else {
        out << format("ripetizione segnali: %d codes from %d m to %d m\n", cab.codes, cab.start,
                      cab.end);
    }
    const char* const names[3] = {"uno", "due", "tre"};
    for (std::size_t k = 0; k < 3; ++k) {
        const kilometre_reference& r = d.references[k];
        out << format("progressiva chilometrica %s: position %d m, value %d m, flag %d\n", names[k],
                      r.position, r.value_as_written(), r.flag);
    }
    out << format("stamps: %d in the item file, %d in the grid; scenario codes %d and %d\n",
                  d.stamps.item_format, d.stamps.grid_format, d.stamps.weighted_code,
                  d.stamps.plain_code);
}

void write_objects(std::ostream& out, const std::vector<described_object>& objects) {
    for (const object_category& category : object_categories()) {
        std::vector<const described_object*> listed;
        for (const described_object& object : objects) {
            if (object.category == category.singular) {
                listed.push_back(&object);
            }
        }
        const bool optional_category = std::string(category.singular) == "other object";
        if (listed.empty()) {
            if (!optional_category) {
                out << '\n' << category.heading << ": none\n";
            }
            continue;
        }
        out << '\n' << category.heading << " (" << listed.size() << "):\n";
        for (const described_object* object : listed) {
            write_object(out, *object);
        }
    }
}

void write_series(std::ostream& out, const scenario_description& d) {
    for (const described_series& series : series_of(d)) {
        const std::size_t count = series.ranges->size();
        out << '\n'
            << series.plural << " (" << count << (count == 1 ? " range" : " ranges") << "):\n";
        for (const series_range& range : *series.ranges) {
            out << "  " << range_from_metre(range) << " .. " << range_to_metre(range)
                << " m (cells " << range.first_cell << ".." << range.last_cell
                << "): " << range.value << (*series.unit ? " " : "") << series.unit << '\n';
        }
    }
}

}  // namespace

void print_summary_text(std::ostream& out, const scenario_description& description,
                        const compiled_scenario_files& files, const line_window* window) {
    out << description.general.route << ", train " << description.general.train << '\n';
    write_files(out, files, description.plan.has_value());
    if (window) {
        write_window(out, *window);
    }
    out << '\n';
    write_line(out, description);
    write_general(out, description);
    write_objects(out, objects_of(description));
    write_series(out, description);
    // The timetable needs the whole line: a summary of a part tells nothing of it.
    if (window == nullptr) {
        for (const std::string& note : tight_timetable_notes(description)) {
            out << "note: " << note << '\n';
        }
    }
}

}  // namespace scenario
