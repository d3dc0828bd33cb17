// The desktop platform on Windows: the waiting window and the modal error box as real
// windows of the Win32 API. Where no window can be made (a service without a desktop, Wine
// without a display), the build goes on without the waiting window and the error text goes
// to standard error, as on a machine without a display.
#pragma once

#include <chrono>
#include <memory>

#include "app/platform.h"

namespace scenario::win32 {

// What the desktop tests ask of the windows (see app/test_seams.h).
struct win32_settings {
    std::chrono::milliseconds window_hold{0};
    bool describe_windows = false;
};

std::unique_ptr<platform> make_win32_platform(const win32_settings& settings);

}  // namespace scenario::win32
