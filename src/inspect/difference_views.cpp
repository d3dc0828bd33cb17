// The difference of two scenarios as text, one change a line (an added or removed object
// with all its values), and as JSON with the same content.
#include <cstdio>
#include <string>

#include "inspect/author_json.h"
#include "inspect/author_views.h"

namespace scenario {
namespace {

constexpr std::size_t line_width = 100;
constexpr std::size_t continuation_indent = 4;

std::string format(const char* pattern, auto... values) {
    char text[512];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

void write_wrapped(std::ostream& out, std::string line, const std::vector<std::string>& parts) {
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const std::string part = parts[k] + (k + 1 < parts.size() ? "," : "");
        if (line.size() + 1 + part.size() > line_width && line.size() > continuation_indent) {
            out << line << '\n';
            line = std::string(continuation_indent, ' ') + part;
        } else {
            line += " " + part;
        }
    }
    out << line << '\n';
}

std::string optional_text(const std::optional<field_value>& field) {
    return field ? value_text(*field) : "none";
}

std::string change_text(const field_change& change) {
    return change.name + " " + optional_text(change.old_value) + " -> " +
           optional_text(change.new_value);
}

std::string head_of(const described_object& object) {
    return object.name.empty() ? place_text(object.at)
                               : object.name + " at " + place_text(object.at);
}

std::vector<std::string> all_fields(const described_object& object) {
    std::vector<std::string> parts;
    for (const field_value& field : object.fields) {
        if (field.name != "nome") {
            parts.push_back(field.name + " " + value_text(field));
        }
    }
    return parts;
}

const char* change_word(change_kind how) {
    switch (how) {
        case change_kind::added:
            return "added";
        case change_kind::removed:
            return "removed";
        case change_kind::moved:
            return "moved";
        case change_kind::changed:
            break;
    }
    return "changed";
}

void write_object_change(std::ostream& out, const object_change& change) {
    const std::string word = std::string(change_word(change.how)) + " " + change.category + " ";
    if (change.how == change_kind::added) {
        write_wrapped(out, word + head_of(*change.new_object) + ":",
                      all_fields(*change.new_object));
        return;
    }
    if (change.how == change_kind::removed) {
        write_wrapped(out, word + head_of(*change.old_object) + ":",
                      all_fields(*change.old_object));
        return;
    }
    std::vector<std::string> parts;
    for (const field_change& field : change.fields) {
        if (change.how != change_kind::moved || field.name != "position") {
            parts.push_back(change_text(field));
        }
    }
    if (change.how == change_kind::moved) {
        write_wrapped(out,
                      word + "from " + place_text(change.old_object->at) + " to " +
                          place_text(change.new_object->at) + (parts.empty() ? "" : ":"),
                      parts);
        return;
    }
    write_wrapped(out, word + head_of(*change.old_object) + ":", parts);
}

std::string series_value(const std::optional<int>& value, const std::string& unit) {
    return value ? std::to_string(*value) + (unit.empty() ? "" : " " + unit) : "none";
}

void write_plan_change(std::ostream& out, const plan_change& plan) {
    if (!plan.old_has_plan || !plan.new_has_plan) {
        out << "plan: only the " << (plan.old_has_plan ? "first" : "second")
            << " scenario has one; the other was compiled without the line\n";
        return;
    }
    std::string text = "plan: ";
    if (plan.first_parting_metre) {
        text += format(
            "the two lines part at metre %lld; the largest distance between them is "
            "%.3f m, at metre %lld",
            static_cast<long long>(*plan.first_parting_metre), plan.largest_distance,
            static_cast<long long>(plan.largest_distance_metre));
    } else {
        text += "the two lines run together wherever both have a position";
    }
    if (plan.old_last_row != plan.new_last_row) {
        text += format("; rows 0..%lld -> 0..%lld", static_cast<long long>(plan.old_last_row),
                       static_cast<long long>(plan.new_last_row));
    }
    out << text << '\n';
}

}  // namespace

void print_difference_text(std::ostream& out, const scenario_difference& difference) {
    for (const field_change& change : difference.general) {
        out << "changed " << change_text(change) << '\n';
    }
    for (const object_change& change : difference.objects) {
        write_object_change(out, change);
    }
    for (const series_change& change : difference.series) {
        out << "changed " << change.series << " at " << change.first_cell * cell_metres << " .. "
            << (change.last_cell + 1) * cell_metres << " m (cells " << change.first_cell << ".."
            << change.last_cell << "): " << series_value(change.old_value, change.unit) << " -> "
            << series_value(change.new_value, change.unit) << '\n';
    }
    if (difference.plan) {
        write_plan_change(out, *difference.plan);
    }
    for (const raw_change& change : difference.raw) {
        out << "changed in the compiled files: " << change.where << " " << change.old_value
            << " -> " << change.new_value << '\n';
    }
    if (difference.raw_total > difference.raw.size()) {
        out << "and " << difference.raw_total - difference.raw.size()
            << " more fields of the compiled files\n";
    }
}

namespace {

author_json optional_json(const std::optional<field_value>& field) {
    return field ? value_json(*field) : author_json(nullptr);
}

author_json field_change_json(const field_change& change) {
    return {{"name", change.name},
            {"key", field_key(change.name)},
            {"old", optional_json(change.old_value)},
            {"new", optional_json(change.new_value)}};
}

author_json object_change_json(const object_change& change) {
    author_json fields = author_json::array();
    for (const field_change& field : change.fields) {
        fields.push_back(field_change_json(field));
    }
    return {{"change", change_word(change.how)},
            {"category", change.category},
            {"old", change.old_object ? object_json(*change.old_object) : author_json(nullptr)},
            {"new", change.new_object ? object_json(*change.new_object) : author_json(nullptr)},
            {"fields", std::move(fields)}};
}

author_json optional_number(const std::optional<int>& value) {
    return value ? author_json(*value) : author_json(nullptr);
}

author_json plan_json(const std::optional<plan_change>& plan) {
    if (!plan) {
        return nullptr;
    }
    return {
        {"old_has_plan", plan->old_has_plan},
        {"new_has_plan", plan->new_has_plan},
        {"first_parting_metre", plan->first_parting_metre ? author_json(*plan->first_parting_metre)
                                                          : author_json(nullptr)},
        {"largest_distance_m", plan->largest_distance},
        {"largest_distance_metre", plan->largest_distance_metre},
        {"old_last_row", plan->old_last_row},
        {"new_last_row", plan->new_last_row}};
}

}  // namespace

void print_difference_json(std::ostream& out, const scenario_difference& difference) {
    author_json json = author_json::object();
    json["same"] = difference.empty();
    author_json general = author_json::array();
    for (const field_change& change : difference.general) {
        general.push_back(field_change_json(change));
    }
    json["general"] = std::move(general);
    author_json objects = author_json::array();
    for (const object_change& change : difference.objects) {
        objects.push_back(object_change_json(change));
    }
    json["objects"] = std::move(objects);
    author_json series = author_json::array();
    for (const series_change& change : difference.series) {
        series.push_back({{"series", change.series},
                          {"unit", change.unit},
                          {"from_m", change.first_cell * cell_metres},
                          {"to_m", (change.last_cell + 1) * cell_metres},
                          {"first_cell", change.first_cell},
                          {"last_cell", change.last_cell},
                          {"old", optional_number(change.old_value)},
                          {"new", optional_number(change.new_value)}});
    }
    json["series"] = std::move(series);
    json["plan"] = plan_json(difference.plan);
    author_json raw = author_json::array();
    for (const raw_change& change : difference.raw) {
        raw.push_back(
            {{"where", change.where}, {"old", change.old_value}, {"new", change.new_value}});
    }
    json["compiled_fields"] = std::move(raw);
    json["compiled_fields_total"] = difference.raw_total;
    out << json.dump(2) << '\n';
}

}  // namespace scenario
