#include "desktop/desktop_windows.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "app/platform.h"
#include "app/waiting_window_layout.h"

namespace scenario {
namespace {

constexpr int box_margin = 20;
constexpr int box_font_pixels = 14;
constexpr int box_least_width = 220;
constexpr int button_width = 88;
constexpr int button_height = 28;

void center_on_screen(Fl_Window& window) {
    window.position((Fl::w() - window.w()) / 2, (Fl::h() - window.h()) / 2);
}

void close_owning_window(Fl_Widget* button, void*) {
    button->window()->hide();
}

}  // namespace

void painted_window::draw() {
    Fl_Window::draw();
    painted_ = true;
}

std::unique_ptr<painted_window> make_waiting_window() {
    auto window = std::make_unique<painted_window>(waiting_layout::width, waiting_layout::height);
    window->label(application_title);
    auto* label =
        new Fl_Box(waiting_layout::label_left, waiting_layout::label_top,
                   waiting_layout::label_width, waiting_layout::label_height, window_label);
    label->box(FL_NO_BOX);
    label->labelfont(FL_HELVETICA_BOLD);
    // The toolkit sizes fonts in pixels.
    label->labelsize(waiting_layout::label_font_pixels);
    label->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
    window->end();
    center_on_screen(*window);
    return window;
}

std::unique_ptr<painted_window> make_error_box(const std::string& text) {
    fl_font(FL_HELVETICA, box_font_pixels);
    int text_width = 0;
    int text_height = 0;
    fl_measure(text.c_str(), text_width, text_height, 0);

    const int width = std::max(box_least_width, text_width + 2 * box_margin);
    const int button_top = box_margin + text_height + box_margin;
    const int height = button_top + button_height + box_margin / 2;

    auto box = std::make_unique<painted_window>(width, height);
    box->label(application_title);
    auto* message = new Fl_Box(box_margin, box_margin, width - 2 * box_margin, text_height);
    message->copy_label(text.c_str());
    message->box(FL_NO_BOX);
    message->labelfont(FL_HELVETICA);
    message->labelsize(box_font_pixels);
    message->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    auto* ok =
        new Fl_Button((width - button_width) / 2, button_top, button_width, button_height, "OK");
    ok->shortcut(FL_Enter);
    ok->callback(close_owning_window);
    box->end();
    box->set_modal();
    center_on_screen(*box);
    return box;
}

}  // namespace scenario
