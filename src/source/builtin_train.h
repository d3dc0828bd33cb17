// The built-in train: the scenario's train source file, 114 fixed lines for train 5284 on
// the VALDORA S.M.N. to ROVA C.le line.
#pragma once

#include <string>

#include "source/line_table_writer.h"
#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

const line_table& builtin_train_table();

// Writes the train source file into the folder.
status dati_treno(const std::string& folder, const scenario_identity& identity);

}  // namespace scenario
