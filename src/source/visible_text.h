// Texts that come from files (a station's name, a board's text, a route read from a compiled
// file) shown on a terminal. Their bytes are the author's, or anyone's who made the file: a
// control character among them would act on the terminal (clear it, retitle it, move the
// cursor) instead of being seen. Here every control character becomes a visible escape.
#pragma once

#include <string>
#include <string_view>

namespace scenario {

// True for the C0 controls (0x00 to 0x1F) and DEL (0x7F).
bool is_control_byte(unsigned char byte);

// The UTF-8 text with each control character written as an escape that shows it: the C0
// controls and DEL as "\x1b", the C1 controls (U+0080 to U+009F, which some terminals obey
// too) as "\u009b". Line breaks stay when `keep_line_breaks` (a listing of many lines), and
// tabs always stay. Every other byte is kept as it is.
std::string visible_text(std::string_view utf8, bool keep_line_breaks = false);

}  // namespace scenario
