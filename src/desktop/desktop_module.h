// The desktop platform: the waiting window and the error box as real windows on the X
// display named by DISPLAY. It lives in a module of its own beside the program, which the
// program loads only when DISPLAY names a display: a run without one does not load the
// toolkit and the dozen libraries under it, which would take longer than the whole build.
//
// The module and the program meet only through the plain C table below: numbers, a
// `const char*` that the callee only reads during the call, and a handle that the module
// made and alone frees. The module runs the toolkit on the shared C++ runtime, while the
// program carries a runtime of its own linked in; two runtimes in one process are safe
// only so long as no C++ object, allocation or exception passes from one to the other.
// So the module's functions catch everything inside it, and each side frees only what it
// allocated.
#pragma once

#include <cstdint>

extern "C" {

// What the desktop tests ask of the windows (see app/test_seams.h), read by the program.
struct scenario_desktop_settings {
    std::int64_t window_hold_milliseconds;  // keep the waiting window up this long
    int describe_windows;                   // non-zero: describe each window on standard error
};

// One open display with its windows; only the module knows what is inside.
struct scenario_desktop;

struct scenario_desktop_functions {
    // Opens the display named by DISPLAY, or returns null when there is no display to open
    // (DISPLAY unset or empty, or the server refuses the connection). Prints nothing.
    scenario_desktop* (*open)(const scenario_desktop_settings* settings);
    // Shows the waiting window and paints it at once; the build then runs without
    // returning to the event loop.
    void (*show_window)(scenario_desktop* desktop);
    // Closes the waiting window when the build ends.
    void (*close_window)(scenario_desktop* desktop);
    // Shows `text` in a modal box with one "OK" button; returns when the box is closed.
    void (*show_error_box)(scenario_desktop* desktop, const char* text);
    // Closes the display and frees the desktop.
    void (*close)(scenario_desktop* desktop);
};

// The module's entry point: its table of functions when it was built for `interface_version`,
// otherwise null.
const scenario_desktop_functions* scenario_desktop_module(std::uint32_t interface_version);

}  // extern "C"

namespace scenario {

inline constexpr const char* desktop_module_name = "scenario-desktop.so";
inline constexpr const char* desktop_entry_name = "scenario_desktop_module";
// Changes whenever the table above changes, so that a module left from another build is
// refused rather than called the wrong way.
inline constexpr std::uint32_t desktop_interface_version = 2;

}  // namespace scenario
