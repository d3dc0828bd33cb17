// What each error code of the compiler means, in plain English for scenario authors, and
// which codes carry a position.
#pragma once

#include <cstdint>
#include <string>

namespace scenario {

std::string error_code_meaning(std::int32_t codice);
bool error_code_has_position(std::int32_t codice);

}  // namespace scenario
