// What occupies a cell, in words for the messages of both readers ("a signal", ...).
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

std::string describe_cell_object(std::uint8_t tipo);

}  // namespace scenario
