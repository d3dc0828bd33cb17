// The folder a command writes into: created when missing.
#pragma once

#include <string>

#include "source/status.h"

namespace scenario {

// Success when the folder exists or was created; otherwise a failure that names the folder
// and the cause.
status make_output_folder(const std::string& folder);

}  // namespace scenario
