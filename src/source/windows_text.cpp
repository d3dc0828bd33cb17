#include "source/windows_text.h"

namespace scenario::windows_text {

std::wstring wide_text(std::string_view ansi) {
    if (ansi.empty()) {
        return {};
    }
    const int length = static_cast<int>(ansi.size());
    const int size = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
    return wide;
}

std::optional<std::string> ansi_text(std::wstring_view wide) {
    if (wide.empty()) {
        return std::string();
    }
    const int length = static_cast<int>(wide.size());
    // No "best fit": a character without its own byte must not become a look-alike, which
    // would name another file.
    constexpr DWORD flags = WC_NO_BEST_FIT_CHARS;
    // A system whose ANSI code page is UTF-8 has a byte sequence for every character, and
    // refuses to be asked whether one was replaced.
    BOOL replaced = FALSE;
    BOOL* const replaced_flag = ::GetACP() == CP_UTF8 ? nullptr : &replaced;
    const DWORD used_flags = replaced_flag == nullptr ? 0 : flags;
    const int size = ::WideCharToMultiByte(CP_ACP, used_flags, wide.data(), length, nullptr, 0,
                                           nullptr, replaced_flag);
    if (size == 0 || replaced) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, used_flags, wide.data(), length, ansi.data(), size, nullptr,
                          nullptr);
    return ansi;
}

std::string message_text(std::wstring_view wide) {
    if (wide.empty()) {
        return {};
    }
    const int length = static_cast<int>(wide.size());
    const int size =
        ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, text.data(), size, nullptr, nullptr);
    return text;
}

std::string system_error_text(DWORD error) {
    char* buffer = nullptr;
    constexpr DWORD flags =
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD length =
        ::FormatMessageA(flags, nullptr, error, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT),
                         reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0) {
        length = ::FormatMessageA(flags, nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0,
                                  nullptr);
    }
    std::string text = length == 0 ? "error " + std::to_string(error) : std::string(buffer, length);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' ||
                             text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

}  // namespace scenario::windows_text
