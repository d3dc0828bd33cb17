#include "win32/win32_windows.h"

#include <utility>

#include "app/platform.h"
#include "app/waiting_window_layout.h"
#include "source/windows_text.h"

namespace scenario::win32 {
namespace {

using windows_text::wide_text;

constexpr const wchar_t* label_font_face = L"MS Sans Serif";

constexpr const wchar_t* window_class_name = L"ScenarioBuilderForm1";
// A fixed size: no frame to pull, no maximise button.
constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// Long enough for any system to show and paint a small window; the build goes on anyway
// after it, painted or not.
constexpr DWORD longest_paint_wait_ms = 5000;

bool register_window_class(WNDPROC procedure) {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, window_class_name, &existing) != 0) {
        return true;
    }
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = instance;
    window_class.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    window_class.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    window_class.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = window_class_name;
    return ::RegisterClassExW(&window_class) != 0;
}

// The outer rectangle that gives the client area its size, in the middle of the work area.
RECT centred_frame() {
    RECT frame{0, 0, waiting_layout::width, waiting_layout::height};
    ::AdjustWindowRectEx(&frame, window_style, FALSE, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

// Handles what is waiting in the queue, then waits a little for more, until `done` holds or
// the time is up. The build itself never returns to the queue.
void pump_messages_until(const bool& done, DWORD longest_ms) {
    const ULONGLONG give_up = ::GetTickCount64() + longest_ms;
    MSG message;
    while (true) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (done || ::GetTickCount64() >= give_up) {
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// The box being shown and who wants to see it; the hook lives only while the box is made.
struct box_watch {
    HHOOK hook = nullptr;
    std::function<void(HWND)> on_shown;
};
box_watch* current_watch = nullptr;

LRESULT CALLBACK watch_box(int code, WPARAM w, LPARAM l) {
    // The box lays out its controls and hides the ones it does not use while it handles
    // WM_INITDIALOG; once that is done, it is as it will be shown.
    const auto* handled = reinterpret_cast<const CWPRETSTRUCT*>(l);
    if (code == HC_ACTION && handled->message == WM_INITDIALOG && current_watch != nullptr &&
        current_watch->on_shown) {
        const auto on_shown = std::exchange(current_watch->on_shown, nullptr);
        on_shown(handled->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, w, l);
}

}  // namespace

LRESULT CALLBACK waiting_window::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(l);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<waiting_window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (self != nullptr) {
                self->painted_ = true;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            // The label stands on the window's own face colour.
            const auto device = reinterpret_cast<HDC>(w);
            ::SetTextColor(device, ::GetSysColor(COLOR_BTNTEXT));
            ::SetBkColor(device, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_CLOSE:
            // The build cannot stop half-way: the window closes when the build ends.
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, w, l);
}

std::unique_ptr<waiting_window> waiting_window::open() {
    if (!register_window_class(procedure)) {
        return nullptr;
    }
    std::unique_ptr<waiting_window> opened(new waiting_window());
    const RECT frame = centred_frame();
    opened->window_ =
        ::CreateWindowExW(0, window_class_name, wide_text(application_title).c_str(), window_style,
                          frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                          nullptr, nullptr, ::GetModuleHandleW(nullptr), opened.get());
    if (opened->window_ == nullptr) {
        return nullptr;
    }
    opened->font_ =
        ::CreateFontW(-waiting_layout::label_font_pixels, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                      DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                      VARIABLE_PITCH | FF_SWISS, label_font_face);
    const HWND label = ::CreateWindowExW(
        0, L"STATIC", wide_text(window_label).c_str(),
        WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, waiting_layout::label_left,
        waiting_layout::label_top, waiting_layout::label_width, waiting_layout::label_height,
        opened->window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (label != nullptr && opened->font_ != nullptr) {
        ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(opened->font_), FALSE);
    }
    ::ShowWindow(opened->window_, SW_SHOWNORMAL);
    // Painted at once, the label with it, so that the word is there while the build runs.
    ::RedrawWindow(opened->window_, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump_messages_until(opened->painted_, longest_paint_wait_ms);
    ::GdiFlush();
    return opened;
}

waiting_window::~waiting_window() {
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
    if (font_ != nullptr) {
        ::DeleteObject(font_);
    }
}

bool show_error_box(HWND owner, const std::string& text, std::function<void(HWND)> on_shown) {
    box_watch watch;
    watch.on_shown = std::move(on_shown);
    if (watch.on_shown) {
        watch.hook =
            ::SetWindowsHookExW(WH_CALLWNDPROCRET, watch_box, nullptr, ::GetCurrentThreadId());
        current_watch = &watch;
    }
    // MB_OK alone: one button and no icon. Without an owner the box still holds every
    // window of the program.
    const UINT style = MB_OK | MB_SETFOREGROUND | (owner == nullptr ? MB_TASKMODAL : 0);
    const int pressed =
        ::MessageBoxW(owner, wide_text(text).c_str(), wide_text(application_title).c_str(), style);
    if (watch.hook != nullptr) {
        ::UnhookWindowsHookEx(watch.hook);
    }
    current_watch = nullptr;
    return pressed != 0;
}

}  // namespace scenario::win32
