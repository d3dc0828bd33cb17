// The compile's errors and warnings for the page, each with the place on the line it concerns:
// the position that an error code carries, or else the position written in the record on the
// diagnostic's source line, when a record there placed an object.
#include <map>
#include <utility>

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

}  // namespace

json diagnostics_json(const view_inputs& inputs) {
    const std::map<line_key, std::int64_t> placed = placed_records(inputs);
    json array = json::array();
    for (const page_diagnostic& d : inputs.diagnostics) {
        std::optional<std::int64_t> metre = d.metre;
        if (!metre) {
            if (const auto found = placed.find({d.file, d.line}); found != placed.end()) {
                metre = found->second;
            }
        }
        json item = {{"severity", d.error ? "error" : "warning"},
                     {"code", d.code},
                     {"file", d.file},
                     {"line", d.line},
                     {"column", d.column},
                     {"message", d.message},
                     {"source_line", d.source_line},
                     {"metre", metre ? json(*metre) : json(nullptr)}};
        array.push_back(std::move(item));
    }
    return array;
}

}  // namespace scenario::view
