// The author's work kept from the built-in commands: before `sources` or `build` writes a
// file of the built-in scenario into a folder, it looks at what the folder holds under that
// name. The same bytes may be written again; other bytes are someone's own (a source edited
// by its author, say), and the command refuses before it writes anything, unless told to
// overwrite them (--force).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "source/status.h"

namespace scenario {

// A file that a command is about to write, and the bytes it will hold.
struct planned_file {
    std::string path;
    std::string bytes;
};

// Success when no planned file exists with other bytes; otherwise a failure of kind
// would_overwrite that names every such file, says that nothing was written and that --force
// overwrites, followed by `force_note` (", and ..." where more follows). A file that cannot be read
// to be compared is refused with the cause; a folder in a file's place is left to the writer, which
// names it.
status refuse_other_content(const std::vector<planned_file>& files, std::string_view force_note);

}  // namespace scenario
