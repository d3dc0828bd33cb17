// The two windows of the desktop platform, laid out in pixels: the waiting window with its
// one label, and the fatal error box with its text and its single "OK" button.
#pragma once

#include <FL/Fl_Window.H>

#include <memory>
#include <string>

namespace scenario {

// A window that remembers whether it has been drawn, so that the caller can wait for the
// first paint instead of guessing how many event rounds it takes.
class painted_window : public Fl_Window {
  public:
    using Fl_Window::Fl_Window;
    bool painted() const { return painted_; }

  protected:
    void draw() override;

  private:
    bool painted_ = false;
};

// The waiting window: client area 280 x 179, one label "Attendere" at 64, 64, 177 x 53 in
// bold sans-serif of 24 points (32 pixels at 96 dots per inch). No other widget, no menu.
// The display must be open.
std::unique_ptr<painted_window> make_waiting_window();

// The modal error box: the text as given (a leading blank stays), one "OK" button that
// closes the box, no icon; titled with the application's title. The display must be open.
std::unique_ptr<painted_window> make_error_box(const std::string& text);

}  // namespace scenario
