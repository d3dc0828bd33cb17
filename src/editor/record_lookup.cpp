#include "editor/record_lookup.h"

#include <utility>

namespace scenario::editor {
namespace {

bool is_value(const mapped_field& field) {
    return field.role == field_role::number || field.role == field_role::text;
}

}  // namespace

std::uint64_t reading_index::place_key(source_file file, int line, int column) {
    return (static_cast<std::uint64_t>(file) << 56) |
           (static_cast<std::uint64_t>(static_cast<std::uint32_t>(line)) << 24) |
           (static_cast<std::uint64_t>(column) & 0xFFFFFFu);
}

reading_index::reading_index(const reading_map& map) : map_(map) {
    fields_.reserve(map.fields.size());
    for (std::size_t i = 0; i < map.fields.size(); ++i) {
        const mapped_field& field = map.fields[i];
        fields_.emplace(place_key(field.file, field.line, field.column), i);
    }
}

const mapped_field* reading_index::key_of(const mapped_record& record) const {
    const auto found = fields_.find(place_key(record.file, record.line, record.column));
    return found != fields_.end() ? &map_.fields[found->second] : nullptr;
}

std::vector<const mapped_field*> reading_index::values_of(const mapped_record& record) const {
    std::vector<const mapped_field*> values;
    const auto found = fields_.find(place_key(record.file, record.line, record.column));
    if (found == fields_.end()) {
        return values;
    }
    for (std::size_t i = found->second + 1; i < map_.fields.size(); ++i) {
        const mapped_field& field = map_.fields[i];
        if (field.file != record.file || !is_value(field) || field.line > record.last_line ||
            static_cast<int>(values.size()) >= record.kind->values) {
            break;
        }
        values.push_back(&field);
    }
    return values;
}

std::optional<record_at_place> record_at(const reading_map& map, source_file file, int line,
                                         int column) {
    const mapped_field* here = nullptr;
    for (const mapped_field& field : map.fields) {
        if (field.file == file && field.line == line && column >= field.column &&
            column < field.column + field.length) {
            here = &field;
            break;
        }
    }
    if (here == nullptr) {
        return std::nullopt;
    }
    // The record is the last one whose key stands at or before the field.
    const mapped_record* candidate = nullptr;
    for (const mapped_record& record : map.records) {
        const bool at_or_before =
            std::pair{record.line, record.column} <= std::pair{here->line, here->column};
        if (record.file == file && at_or_before &&
            (candidate == nullptr || std::pair{candidate->line, candidate->column} <=
                                         std::pair{record.line, record.column})) {
            candidate = &record;
        }
    }
    record_at_place found{nullptr, here, std::nullopt};
    if (candidate == nullptr) {
        return found;
    }
    if (candidate->line == here->line && candidate->column == here->column) {
        found.record = candidate;
        return found;
    }
    const std::vector<const mapped_field*> values = reading_index(map).values_of(*candidate);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == here) {
            found.record = candidate;
            found.value = static_cast<int>(i);
        }
    }
    return found;
}

}  // namespace scenario::editor
