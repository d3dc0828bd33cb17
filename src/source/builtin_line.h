// The built-in line: the scenario's line source file, 121 fixed lines describing the
// 82000 m line from VALDORA S.M.N. to ROVA C.le.
#pragma once

#include <string>

#include "source/line_table_writer.h"
#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

// The lines of the built-in line source file, followed by the end marker.
const line_table& builtin_line_table();

// Writes the line source file into the folder.
status dati_linea(const std::string& folder, const scenario_identity& identity);

}  // namespace scenario
