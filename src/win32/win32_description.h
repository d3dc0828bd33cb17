// A one-line-per-control text description of a window on screen, written for the desktop
// tests (see app/test_seams.h): they cannot read pixels back as text, so the platform says
// what it put in the window, and the test checks it against what the display reports.
#pragma once

#include <windows.h>

#include <string>

namespace scenario::win32 {

// "window title=\"...\" client=WxH modal=yes|no", then for each visible control
// "widget kind=box|button|icon label=\"...\" x=X y=Y w=W h=H font=\"FACE\" weight=N size=S",
// positions in the window's client area and the font's height in pixels.
std::string describe_window(HWND window, bool modal);

}  // namespace scenario::win32
