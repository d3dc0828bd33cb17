// Texts between the program and the Win32 API, on Windows only. The program's texts and file
// names are single bytes of the system's ANSI code page; the API's own texts are wide. Every
// crossing goes through these conversions, so that a name reaches the system as the user
// typed it, and the system's words for a failure are said in one way everywhere.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace scenario::windows_text {

// A text of the ANSI code page as the system's wide text.
std::wstring wide_text(std::string_view ansi);

// A wide text in the ANSI code page, or nothing when a character of it has no place there
// (a name the program could not write back as the system gave it).
std::optional<std::string> ansi_text(std::wstring_view wide);

// A wide text in the ANSI code page for a message, where a character without its own byte
// may become its nearest look-alike: the reader sees the name, nothing opens it.
std::string message_text(std::wstring_view wide);

// The system's own words for an error code, in English where the system has them, without
// the full stop and line end that it puts after them.
std::string system_error_text(DWORD error);

}  // namespace scenario::windows_text
