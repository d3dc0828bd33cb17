// The folder a command writes into: created when missing, with a message when it cannot be.
#pragma once

#include <string>

namespace scenario {

// True when the folder exists or was created; otherwise the reason is on standard error.
bool make_output_folder(const std::string& folder);

}  // namespace scenario
