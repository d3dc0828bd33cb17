// The slowdown order ("ORDINE DI RALLENTAMENTO"): the form that tells the driver which
// slowdowns to observe.
#pragma once

#include <string>

#include "source/line_table_writer.h"
#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

const line_table& slowdown_order_table();
status dati_rallentamenti(const std::string& folder, const scenario_identity& identity);

}  // namespace scenario
