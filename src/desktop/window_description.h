// A one-line-per-widget text description of a window on screen, written for the desktop
// tests (see test_seams.h): they cannot read pixels back as text, so the platform says
// what it put in the window, and the test checks it against what the X server reports.
#pragma once

#include <FL/Fl_Window.H>

#include <string>

namespace scenario {

// "window xid=0x... title=\"...\" client=WxH modal=yes|no", then for each child
// "widget kind=box|button label=\"...\" x=X y=Y w=W h=H font=F size=S".
std::string describe_window(const Fl_Window& window);

}  // namespace scenario
