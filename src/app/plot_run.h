// The picture of a compiled scenario, for a command that draws after its own work (`watch`).
#pragma once

#include <string>

#include "source/scenario_files.h"

namespace scenario {

// Draws the compiled files of the scenario in `folder` into `output` (.png, .svg or .pdf),
// as `plot` does; returns its exit status, messages starting with "scenario-builder COMMAND:".
int plot_into_file(const std::string& command, const std::string& folder,
                   const scenario_identity& identity, const std::string& output);

}  // namespace scenario
