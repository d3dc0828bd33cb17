// The compile's errors and warnings for the page, each with the place on the line it concerns:
// the position that an error code carries, or else the position written in the record on the
// diagnostic's source line, when a record there placed an object.
#include <map>
#include <utility>

#include "source/code_page.h"
#include "view/view_json.h"

namespace scenario::view {
namespace {

using line_key = std::pair<std::string, std::int32_t>;

// The position that the author wrote in each record that placed an object, by its file and
// line; a record that placed several objects wrote one position.
std::map<line_key, std::int64_t> placed_records(const view_inputs& inputs) {
    std::map<line_key, std::int64_t> placed;
    if (inputs.origins == nullptr || inputs.tables == nullptr) {
        return placed;
    }
    const auto note = [&](const record_origin& origin) {
        if (origin.known() && origin.kind->positioned && !origin.added_by_grid_pass) {
            placed.emplace(line_key{source_name(inputs, origin.file), origin.line},
                           origin.position);
        }
    };
    for (std::size_t cell = 0; cell < inputs.tables->celle.size(); ++cell) {
        note(inputs.origins->cell(cell));
    }
    for (std::size_t entry = 0; entry < numero_voci; ++entry) {
        note(inputs.origins->entry(entry));
    }
    return placed;
}

// The line as the compile read it; empty when the diagnostic points at no line.
std::string quoted_line(const view_inputs& inputs, const std::string& file, int line) {
    if (inputs.sources == nullptr || file.empty() || line <= 0) {
        return "";
    }
    const source_text* text = inputs.sources->find(file);
    if (text == nullptr) {
        return "";
    }
    const std::optional<std::string_view> quoted = text->line(line);
    return quoted ? std::string(*quoted) : "";
}

}  // namespace

std::string file_name(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

json diagnostics_json(const view_inputs& inputs) {
    json array = json::array();
    if (inputs.diagnostics == nullptr) {
        return array;
    }
    const std::map<line_key, std::int64_t> placed = placed_records(inputs);
    for (const diagnostic& d : *inputs.diagnostics) {
        const std::string file = file_name(d.file);
        std::optional<std::int64_t> metre;
        if (d.posizione) {
            metre = *d.posizione;
        } else if (const auto found = placed.find({file, d.range.line}); found != placed.end()) {
            metre = found->second;
        }
        json related = json::array();
        for (const diagnostic_note& note : d.related) {
            related.push_back({file_name(note.file), note.range.line, shown_as_utf8(note.message)});
        }
        array.push_back({{"severity", d.level == severity::error ? "error" : "warning"},
                         {"code", d.code},
                         {"file", file},
                         {"line", d.range.line},
                         {"column", d.range.column},
                         {"message", shown_as_utf8(d.message)},
                         {"source_line", shown_as_utf8(quoted_line(inputs, d.file, d.range.line))},
                         {"related", std::move(related)},
                         {"metre", metre ? json(*metre) : json(nullptr)}});
    }
    return array;
}

}  // namespace scenario::view
