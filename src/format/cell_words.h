// The cell kinds in words, named once for every text that mentions one: the messages of the
// readers ("cell 21 already holds a signal") and the views of compiled files ("signal").
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// The kind's name, for tables and summaries: "signal", "end of a slowdown", ...
std::string cell_kind_name(std::uint8_t tipo);

// The object that a cell of this kind holds, for messages: "a signal", "the end of a
// slowdown", ... The two kinds of "abbattimento" point are one object, with or without a
// value.
std::string describe_cell_object(std::uint8_t tipo);

}  // namespace scenario
