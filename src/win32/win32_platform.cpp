#include "win32/win32_platform.h"

#include <windows.h>

#include <cstdio>

#include "win32/win32_description.h"
#include "win32/win32_windows.h"

namespace scenario::win32 {
namespace {

void describe(HWND window, bool modal) {
    std::fputs(describe_window(window, modal).c_str(), stderr);
    std::fflush(stderr);
}

class win32_platform final : public platform {
  public:
    explicit win32_platform(const win32_settings& settings) : settings_(settings) {}

    void show_window() override {
        window_ = waiting_window::open();
        if (window_ == nullptr) {
            return;
        }
        if (settings_.describe_windows) {
            describe(window_->handle(), false);
        }
        // The build does not pump messages from here on; a test may ask for the window to
        // stay up long enough to be found.
        ::Sleep(static_cast<DWORD>(settings_.window_hold.count()));
    }

    void close_window() override { window_.reset(); }

    void show_error_box(const std::string& text) override {
        std::function<void(HWND)> on_shown;
        if (settings_.describe_windows) {
            on_shown = [](HWND box) { describe(box, true); };
        }
        const HWND owner = window_ == nullptr ? nullptr : window_->handle();
        if (!win32::show_error_box(owner, text, on_shown)) {
            // No box could be shown: the text is not lost.
            std::fprintf(stderr, "%s\n", text.c_str());
            std::fflush(stderr);
        }
    }

  private:
    win32_settings settings_;
    std::unique_ptr<waiting_window> window_;
};

}  // namespace

std::unique_ptr<platform> make_win32_platform(const win32_settings& settings) {
    return std::make_unique<win32_platform>(settings);
}

}  // namespace scenario::win32
