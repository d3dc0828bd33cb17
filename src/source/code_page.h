// The texts of the source and compiled files are single bytes of the system's code page.
// Output that must be valid UTF-8 (JSON, pictures) shows them through this conversion.
#pragma once

#include <string>

namespace scenario {

// A text of the single-byte code page as UTF-8.
std::string single_byte_to_utf8(const std::string& text);

}  // namespace scenario
