// Reading compiled files back into the scenario record: the inverse of the encoders, for
// looking inside compiled files. A file whose size does not fit its layout is refused with a
// message that says where it stops fitting.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "format/scenario_record.h"
#include "source/status.h"

namespace scenario {

status decode_item_file(std::string_view bytes, std::array<voce, numero_voci>& voci);
status decode_grid_file(std::string_view bytes, std::vector<cella>& celle);
// The plan's last row (limite_profilo) follows from the number of elements in the file.
status decode_line_file(std::string_view bytes, std::optional<profilo_linea>& profilo);

}  // namespace scenario
