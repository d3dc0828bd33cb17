// The application folder on Windows: the folder of the program's own module, as the system
// names it, in the ANSI code page that every path of the program is written in.
#include "app/application_folder.h"

#include <windows.h>

#include "source/windows_text.h"

namespace scenario {

status find_application_folder(std::string& folder) {
    // The longest path the system can give; a shorter buffer is tried first.
    constexpr std::size_t longest_path = 32768;
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return status::not_found("cannot find the program's own folder: " +
                                     windows_text::system_error_text(::GetLastError()));
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= longest_path) {
            return status::not_found("cannot find the program's own folder: its path is too long");
        }
        path.resize(path.size() * 2);
    }
    const std::size_t last_separator = path.find_last_of(L"\\/");
    const std::wstring folder_path =
        last_separator == std::wstring::npos ? L"." : path.substr(0, last_separator);
    const std::optional<std::string> ansi = windows_text::ansi_text(folder_path);
    if (!ansi) {
        return status::not_found(
            "the program's folder has a name that the system's ANSI code page cannot write: "
            "move the program to a folder whose name uses only the characters of that code "
            "page");
    }
    folder = *ansi;
    return status::success();
}

}  // namespace scenario
