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

void describe_if_asked(const desktop_settings& settings, const Fl_Window& window) {
    if (settings.describe_windows) {
        std::fputs(describe_window(window).c_str(), stderr);
        std::fflush(stderr);
    }
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

class desktop_platform final : public platform {
  public:
    explicit desktop_platform(const desktop_settings& settings) : settings_(settings) {}
    desktop_platform(const desktop_platform&) = delete;
    desktop_platform& operator=(const desktop_platform&) = delete;

    ~desktop_platform() override {
        window_.reset();
        fl_close_display();
    }

    void show_window() override {
        window_ = make_waiting_window();
        window_->show();
        paint_once(*window_);
        describe_if_asked(settings_, *window_);
        // The build does not pump events from here on; a test may ask for the window to
        // stay up long enough to be found.
        std::this_thread::sleep_for(settings_.window_hold);
    }

    void close_window() override {
        if (window_) {
            window_->hide();
            XSync(fl_display, False);
        }
    }

    void show_error_box(const std::string& text) override {
        const auto box = make_error_box(text);
        box->show();
        paint_once(*box);
        describe_if_asked(settings_, *box);
        while (box->shown()) {
            Fl::wait();
        }
    }

  private:
    desktop_settings settings_;
    std::unique_ptr<painted_window> window_;
};

}  // namespace

}  // namespace scenario

scenario::platform* scenario_open_desktop(const scenario::desktop_settings* settings) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        return nullptr;
    }
    const scenario::probe_connection probe(name);
    if (!probe.accepted()) {
        return nullptr;
    }
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        return nullptr;
    }
    fl_open_display(display);
    return new scenario::desktop_platform(*settings);
}
