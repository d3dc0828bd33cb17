// The desktop platform: the waiting window and the error box as real windows on the X
// display named by DISPLAY. It lives in a module of its own beside the program, which the
// program loads only when DISPLAY names a display: a run without one does not load the
// toolkit and the dozen libraries under it, which would take longer than the whole build.
#pragma once

#include <chrono>

#include "app/platform.h"

namespace scenario {

inline constexpr const char* desktop_module_name = "scenario-desktop.so";
inline constexpr const char* desktop_entry_name = "scenario_open_desktop";

// What the desktop tests ask of the windows (see test_seams.h), read by the program.
struct desktop_settings {
    std::chrono::milliseconds window_hold{0};
    bool describe_windows = false;
};

}  // namespace scenario

// The module's entry point: opens the display named by DISPLAY and returns the desktop
// platform, or nullptr when there is no display to open (DISPLAY unset or empty, or the
// server refuses the connection). Prints nothing. The caller owns the platform.
extern "C" scenario::platform* scenario_open_desktop(const scenario::desktop_settings* settings);
