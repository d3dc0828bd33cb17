// Texts between the program and the Win32 API. The program's texts and file names are single
// bytes of the system's ANSI code page; the API's own texts are wide. Every crossing goes
// through these two conversions, so that a name reaches the system as the user typed it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace scenario::win32 {

// A text of the ANSI code page as the system's wide text.
std::wstring wide_text(std::string_view ansi);

// A wide text in the ANSI code page, or nothing when a character of it has no place there
// (a name the program could not write back as the system gave it).
std::optional<std::string> ansi_text(std::wstring_view wide);

// The system's own words for an error code, in English where the system has them, without
// the full stop and line end that it puts after them.
std::string system_error_text(DWORD error);

}  // namespace scenario::win32
