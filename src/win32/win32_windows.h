// The two windows of the desktop on Windows, laid out in pixels: the waiting window with its
// one label, and the fatal error box with its text and its single "OK" button.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace scenario::win32 {

// The waiting window: client area 280 x 179, one label "Attendere" at 64, 64, 177 x 53 in
// bold "MS Sans Serif" of 24 points (32 pixels at 96 dots per inch), titled with the
// application's title. No other control, no menu. Destroyed with the object.
class waiting_window {
  public:
    // Shows the window and has it painted before returning; nothing when the system cannot
    // make a window.
    static std::unique_ptr<waiting_window> open();

    ~waiting_window();
    waiting_window(const waiting_window&) = delete;
    waiting_window& operator=(const waiting_window&) = delete;

    HWND handle() const { return window_; }

  private:
    waiting_window() = default;
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);

    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    bool painted_ = false;
};

// The modal error box: the text as given (a leading blank stays), one "OK" button, no icon,
// titled with the application's title and owned by `owner` when there is one. Returns when
// the box is closed; false when no box could be shown. `on_shown`, when set, receives the
// box once it is made, with its controls in place.
bool show_error_box(HWND owner, const std::string& text, std::function<void(HWND)> on_shown);

}  // namespace scenario::win32
