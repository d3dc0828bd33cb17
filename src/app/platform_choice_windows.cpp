// The platform on Windows: the Win32 windows, linked into the program. There is no module to
// load and no display to ask for; where the system cannot make a window, the Win32 platform
// goes on without one by itself.
#include <windows.h>

#include "app/platform.h"
#include "app/test_seams.h"
#include "win32/win32_platform.h"

namespace scenario {
namespace {

// A program started from the desktop gets a console of its own, which would stand empty
// beside the waiting window while the build runs; it is hidden. A console shared with the
// command prompt that started the program stays as it is.
void hide_own_console() {
    const HWND console = ::GetConsoleWindow();
    DWORD processes[2] = {};
    if (console != nullptr && ::GetConsoleProcessList(processes, 2) == 1) {
        ::ShowWindow(console, SW_HIDE);
    }
}

}  // namespace

std::unique_ptr<platform> make_platform() {
    hide_own_console();
    return win32::make_win32_platform({test_seams::window_hold(), test_seams::describe_windows()});
}

}  // namespace scenario
