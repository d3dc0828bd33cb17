#include "win32/win32_description.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "source/windows_text.h"

namespace scenario::win32 {
namespace {

using windows_text::ansi_text;

std::string quoted(std::wstring_view text) {
    return "\"" + ansi_text(text).value_or("?") + "\"";
}

std::wstring window_text(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string kind_of(HWND control) {
    wchar_t class_name[64] = {};
    ::GetClassNameW(control, class_name, 64);
    if (::lstrcmpiW(class_name, L"Button") == 0) {
        return "button";
    }
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
    if (::lstrcmpiW(class_name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        return "icon";
    }
    return "box";
}

std::string describe_font(HWND control) {
    auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (font == nullptr) {
        font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    }
    LOGFONTW description{};
    ::GetObjectW(font, sizeof description, &description);
    return " font=" + quoted(description.lfFaceName) +
           " weight=" + std::to_string(description.lfWeight) +
           " size=" + std::to_string(std::abs(description.lfHeight));
}

std::string describe_control(HWND window, HWND control) {
    RECT area{};
    ::GetWindowRect(control, &area);
    ::MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&area), 2);
    char geometry[96];
    std::snprintf(geometry, sizeof geometry, " x=%ld y=%ld w=%ld h=%ld", area.left, area.top,
                  area.right - area.left, area.bottom - area.top);
    return "widget kind=" + kind_of(control) + " label=" + quoted(window_text(control)) + geometry +
           describe_font(control);
}

// A box keeps the controls it does not use, hidden, and may keep an icon control that
// holds no icon.
bool shows_something(HWND control) {
    if ((::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) == 0) {
        return false;
    }
    return kind_of(control) != "icon" || ::SendMessageW(control, STM_GETICON, 0, 0) != 0;
}

BOOL CALLBACK collect_control(HWND control, LPARAM l) {
    reinterpret_cast<std::vector<HWND>*>(l)->push_back(control);
    return TRUE;
}

}  // namespace

std::string describe_window(HWND window, bool modal) {
    RECT client{};
    ::GetClientRect(window, &client);
    std::string text = "window title=" + quoted(window_text(window)) +
                       " client=" + std::to_string(client.right) + "x" +
                       std::to_string(client.bottom) + " modal=" + (modal ? "yes" : "no") + "\n";
    std::vector<HWND> controls;
    ::EnumChildWindows(window, collect_control, reinterpret_cast<LPARAM>(&controls));
    for (const HWND control : controls) {
        if (shows_something(control)) {
            text += describe_control(window, control) + "\n";
        }
    }
    return text;
}

}  // namespace scenario::win32
