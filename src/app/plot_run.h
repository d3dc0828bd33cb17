// The picture of a compiled scenario, for a command that draws after its own work (`watch`).
#pragma once

#include <string>

#include "source/scenario_files.h"
#include "source/status.h"

namespace scenario {

// A picture's name that `plot` can draw into: its ending names the format. A failure is a
// usage error.
status check_plot_output(const std::string& output);

// Draws the compiled files of the scenario in `folder` into `output` (.png, .svg or .pdf),
// as `plot` does; returns its exit status, messages starting with "scenario-builder COMMAND:".
int plot_into_file(const std::string& command, const std::string& folder,
                   const scenario_identity& identity, const std::string& output);

}  // namespace scenario
