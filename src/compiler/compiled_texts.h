// The texts that go into a compiled file: station names and the texts of indicator boards.
// The simulator reads them as single bytes of its code page, Windows-1252, so a byte beyond
// 7-bit ASCII shows as that code page's character, whatever the author's editor showed. The
// author is told what the simulator will show; with UTF-8 texts (compile --utf8) a text of
// valid UTF-8 is converted to the code page instead, and a character that has no place there
// is an error: the compile then writes nothing, so that no file holds a text half converted.
#pragma once

#include <string>
#include <string_view>

#include "compiler/source_reading.h"

namespace scenario {

// Stores the text just read (`riga`) into `target`, as the author asked; `what` names it in
// messages ("the name", "the text").
void store_text(source_reading& reading, std::string& target, field_location text_place,
                std::string_view what);

}  // namespace scenario
