// What the build needs from the desktop: a waiting window shown and painted once before the
// build, and a modal error box with a single "OK" button. The headless implementation
// shows nothing and writes the error text to standard error; a desktop implementation
// shows real windows. The build driver receives one and never asks which it has.
#pragma once

#include <memory>
#include <string>

namespace scenario {

class platform {
  public:
    virtual ~platform() = default;

    // Shows the window with its one label and paints it at once; the build then runs
    // without returning to the event loop.
    virtual void show_window() = 0;
    // Closes the window when the build ends.
    virtual void close_window() = 0;
    // Shows the fatal error text in a modal box and returns when the box is closed.
    virtual void show_error_box(const std::string& text) = 0;
};

inline constexpr const char* application_title = "Scenario builder";
inline constexpr const char* window_label = "Attendere";

std::unique_ptr<platform> make_headless_platform();
// The desktop when a display can be opened, otherwise the headless platform. On Windows it
// is always the Win32 desktop, which goes on without windows where none can be made.
std::unique_ptr<platform> make_platform();

}  // namespace scenario
