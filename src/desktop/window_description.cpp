#include "desktop/window_description.h"

#include <FL/Fl_Button.H>
#include <FL/x.H>

#include <cstdio>

namespace scenario {
namespace {

std::string quoted(const char* text) {
    return std::string("\"") + (text == nullptr ? "" : text) + "\"";
}

std::string describe_widget(const Fl_Widget& widget) {
    const char* kind = dynamic_cast<const Fl_Button*>(&widget) != nullptr ? "button" : "box";
    char geometry[160];
    std::snprintf(geometry, sizeof geometry, " x=%d y=%d w=%d h=%d font=%d size=%d", widget.x(),
                  widget.y(), widget.w(), widget.h(), static_cast<int>(widget.labelfont()),
                  static_cast<int>(widget.labelsize()));
    return std::string("widget kind=") + kind + " label=" + quoted(widget.label()) + geometry;
}

}  // namespace

std::string describe_window(const Fl_Window& window) {
    char head[96];
    std::snprintf(head, sizeof head, "window xid=0x%lx",
                  static_cast<unsigned long>(fl_xid(&window)));
    std::string text = std::string(head) + " title=" + quoted(window.label()) +
                       " client=" + std::to_string(window.w()) + "x" + std::to_string(window.h()) +
                       " modal=" + (window.modal() ? "yes" : "no") + "\n";
    for (int i = 0; i < window.children(); ++i) {
        text += describe_widget(*window.child(i)) + "\n";
    }
    return text;
}

}  // namespace scenario
