// The record that stands at a place of a source, as the compile read it: the record whose key
// or values are there, and which of its values, from the map of the reading. The index finds
// a record's key and values without a search through every field, so that a line of a
// million metres is outlined as quickly as a short one.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "compiler/reading_map.h"

namespace scenario::editor {

class reading_index {
  public:
    explicit reading_index(const reading_map& map);

    // The field that is the record's key; null when the key was an empty field.
    const mapped_field* key_of(const mapped_record& record) const;
    // The record's value fields, in order.
    std::vector<const mapped_field*> values_of(const mapped_record& record) const;

  private:
    static std::uint64_t place_key(source_file file, int line, int column);

    const reading_map& map_;
    std::unordered_map<std::uint64_t, std::size_t> fields_;  // by place
};

struct record_at_place {
    const mapped_record* record = nullptr;
    const mapped_field* field = nullptr;  // the field at the place
    // Which value of the record the field is, from 0; none for its key.
    std::optional<int> value;
};

// The field at the place (columns in bytes, from 1) and the record it belongs to; no record
// for a field that belongs to none (a comment, a field passed over).
std::optional<record_at_place> record_at(const reading_map& map, source_file file, int line,
                                         int column);

}  // namespace scenario::editor
