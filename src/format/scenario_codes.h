// The two scenario codes stamped into the compiled files, computed from the identity as the
// item table holds it: the train number followed by the route identifier, in lower case,
// padded with a fixed fill text and cut to 25 characters.
#pragma once

#include <array>
#include <cstdint>

#include "format/scenario_record.h"

namespace scenario {

std::int16_t codice_gara_og(const std::array<voce, numero_voci>& voci);  // plain sum
std::int32_t codice_gara_st(const std::array<voce, numero_voci>& voci);  // position-weighted

}  // namespace scenario
