// The route and the train as every command takes them (--route, --train): both become part of
// the names of files in the scenario's folder, so each must stay a plain part of a file name,
// and together they must not give the grid file the compiled line file's name. One check for
// every command, so that no command reads or writes outside its folder where another refuses.
#pragma once

#include <string>

#include "source/status.h"

namespace scenario {

// Both names given, as a compile needs them.
status check_scenario_names(const std::string& route, const std::string& train);

// Either name may be left out (a command that finds the scenario in its folder); each one
// given is checked as for a compile.
status check_given_scenario_names(const std::string& route, const std::string& train);

// A folder given as an empty text names no folder at all.
status check_folder_name(const std::string& option, const std::string& folder);

}  // namespace scenario
