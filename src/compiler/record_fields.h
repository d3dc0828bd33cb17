// Every setting and record kind of the two source formats as an author looks it up: the key
// as the built-in files write it, what the record is, and each of its fields in file order,
// under the name that the authors' guide (docs/source-formats.md) gives it, with what it
// means. The one table of the fields: the summary of a compiled scenario names the values
// that a record wrote by it, an editor shows it on a key and offers it when a record is
// begun, and a test holds the guide to it.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "compiler/keywords.h"

namespace scenario {

struct field_reference {
    std::string_view name;
    std::string_view meaning;
};

struct record_reference {
    const keyword* kind;
    std::string_view written;  // the key as the built-in files write it
    std::string_view what;     // "a signal", in a few words
    source_part part;          // where it is read
    std::span<const field_reference> fields;
};

// Every kind, in the order in which the formats list them.
std::span<const record_reference> record_references();

// The reference of a kind; null for a kind that has none.
const record_reference* reference_of(const keyword* kind);

// The name of field `index` (from 0, in file order) of a kind that has a reference.
std::string_view field_name(const keyword& kind, std::size_t index);

}  // namespace scenario
