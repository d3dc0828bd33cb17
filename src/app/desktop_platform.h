// The desktop platform: the waiting window and the error box as real windows on the X
// display named by DISPLAY.
#pragma once

#include <memory>

#include "app/platform.h"

namespace scenario {

// Opens the display and returns the desktop platform, or nothing when there is no display to
// open (DISPLAY unset or empty, or the server refuses the connection). Prints nothing.
std::unique_ptr<platform> make_desktop_platform();

}  // namespace scenario
