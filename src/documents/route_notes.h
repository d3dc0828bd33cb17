// The route notes: a short text for the user on how the scenario differs from the real
// service.
#pragma once

#include <string>

#include "source/line_table_writer.h"
#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

const line_table& route_notes_table();
status dati_note(const std::string& folder, const scenario_identity& identity);

}  // namespace scenario
