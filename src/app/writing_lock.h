// The folder's lock (source/folder_lock.h) as a command that writes into the folder takes it:
// held from before the first file is looked at until the command ends, with a word on
// standard error when another run makes it wait.
#pragma once

#include <string>
#include <string_view>

#include "source/folder_lock.h"
#include "source/status.h"

namespace scenario {

// Takes the lock of the folder for the command (empty for the built-in build), waiting for
// another run that holds it.
status lock_for_writing(std::string_view command, const std::string& folder, folder_lock& lock);

}  // namespace scenario
