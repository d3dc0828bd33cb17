// The application folder: the folder that holds the program's own executable. Every file
// of a build lies there. It is found from the executable's path, not from the working
// directory, so the build lands beside the program wherever it is started from.
#pragma once

#include <string>

#include "source/status.h"

namespace scenario {

status find_application_folder(std::string& folder);

}  // namespace scenario
