// The train sheet: the driver's fixed-pitch document with the train's header boxes and its
// ruled timetable.
#pragma once

#include <string>

#include "source/line_table_writer.h"
#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

const line_table& train_sheet_table();
status dati_scheda(const std::string& folder, const scenario_identity& identity);

}  // namespace scenario
