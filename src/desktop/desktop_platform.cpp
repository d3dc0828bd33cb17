#include "desktop/desktop_module.h"

#include <FL/Fl.H>
#include <FL/x.H>
#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "desktop/desktop_windows.h"
#include "desktop/window_description.h"

namespace scenario {
namespace {

// Long enough for any server to map and expose a small window; the build goes on anyway
// after it, painted or not, rather than hang on a display that never answers.
constexpr std::chrono::seconds longest_paint_wait{5};

// Runs the event loop until the window has been drawn once, then makes sure the drawing
// has reached the server before the caller stops pumping events.
void paint_once(painted_window& window) {
    const auto give_up = std::chrono::steady_clock::now() + longest_paint_wait;
    while (!window.painted() && std::chrono::steady_clock::now() < give_up) {
        Fl::wait(0.05);
    }
    Fl::flush();
    XSync(fl_display, False);
}

// Keeps standard error pointed at /dev/null for its lifetime.
class muted_standard_error {
  public:
    muted_standard_error() : saved_(dup(STDERR_FILENO)) {
        const int null_device = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null_device >= 0) {
            dup2(null_device, STDERR_FILENO);
            close(null_device);
        }
    }
    ~muted_standard_error() {
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    muted_standard_error(const muted_standard_error&) = delete;
    muted_standard_error& operator=(const muted_standard_error&) = delete;

  private:
    int saved_;
};

// A run without a usable display must stay silent, but the X libraries write a refusing
// server's reason straight to standard error. So a bare connection asks first, muted, and
// the toolkit only connects to a server that has already said yes. The bare connection
// stays open until the toolkit's is made: a server that resets when its last client leaves
// would otherwise refuse the toolkit during the reset.
class probe_connection {
  public:
    explicit probe_connection(const char* display_name) {
        const muted_standard_error muted;
        connection_ = xcb_connect(display_name, nullptr);
    }
    ~probe_connection() { xcb_disconnect(connection_); }
    probe_connection(const probe_connection&) = delete;
    probe_connection& operator=(const probe_connection&) = delete;

    bool accepted() const { return xcb_connection_has_error(connection_) == 0; }

  private:
    xcb_connection_t* connection_;
};

class desktop_platform {
  public:
    explicit desktop_platform(const scenario_desktop_settings& settings)
        : window_hold_(settings.window_hold_milliseconds),
          describe_windows_(settings.describe_windows != 0) {}
    desktop_platform(const desktop_platform&) = delete;
    desktop_platform& operator=(const desktop_platform&) = delete;

    ~desktop_platform() {
        window_.reset();
        fl_close_display();
    }

    void show_window() {
        window_ = make_waiting_window();
        window_->show();
        paint_once(*window_);
        describe_if_asked(*window_);
        // The build does not pump events from here on; a test may ask for the window to
        // stay up long enough to be found.
        std::this_thread::sleep_for(window_hold_);
    }

    void close_window() {
        if (window_) {
            window_->hide();
            XSync(fl_display, False);
        }
    }

    void show_error_box(const std::string& text) {
        const auto box = make_error_box(text);
        box->show();
        paint_once(*box);
        describe_if_asked(*box);
        while (box->shown()) {
            Fl::wait();
        }
    }

  private:
    void describe_if_asked(const Fl_Window& window) const {
        if (describe_windows_) {
            std::fputs(describe_window(window).c_str(), stderr);
            std::fflush(stderr);
        }
    }

    std::chrono::milliseconds window_hold_;
    bool describe_windows_;
    std::unique_ptr<painted_window> window_;
};

// Connects the toolkit to the display named by DISPLAY, if there is one to open.
bool open_display() {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return false;
    }
    const probe_connection probe(name);
    if (!probe.accepted()) {
        return false;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return false;
    }
    fl_open_display(display);
    return true;
}

}  // namespace
}  // namespace scenario

// The table that the program calls. Each function stops every exception here, at the edge
// of the module: the program runs on another copy of the C++ runtime, which could not catch
// it. A window that cannot be made leaves the build without it, as a display that cannot
// be opened does; an error box that cannot be shown leaves the message unseen, and the
// program still ends with the error's exit status.
struct scenario_desktop {
    scenario::desktop_platform platform;
};

namespace {

scenario_desktop* open_desktop(const scenario_desktop_settings* settings) noexcept {
    try {
        if (!scenario::open_display()) {
            return nullptr;
        }
        return new scenario_desktop{scenario::desktop_platform(*settings)};
    } catch (...) {
        return nullptr;
    }
}

void show_window(scenario_desktop* desktop) noexcept {
    try {
        desktop->platform.show_window();
    } catch (...) {
    }
}

void close_window(scenario_desktop* desktop) noexcept {
    try {
        desktop->platform.close_window();
    } catch (...) {
    }
}

void show_error_box(scenario_desktop* desktop, const char* text) noexcept {
    try {
        desktop->platform.show_error_box(text);
    } catch (...) {
    }
}

void close_desktop(scenario_desktop* desktop) noexcept {
    delete desktop;
}

constexpr scenario_desktop_functions desktop_functions{
    open_desktop, show_window, close_window, show_error_box, close_desktop,
};

}  // namespace

const scenario_desktop_functions* scenario_desktop_module(std::uint32_t interface_version) {
    return interface_version == scenario::desktop_interface_version ? &desktop_functions : nullptr;
}
