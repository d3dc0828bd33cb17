// One whole compile as every front end runs it: the compile routine, the scan past the point
// where its reading stopped, and the diagnostics of both as one list. The command line prints
// the list and writes the files; an editor or a page runs it on the texts it holds
// (compile_options::texts) without writing anything (compile_options::write_compiled_files) and
// shows the same list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compiler/compile_context.h"
#include "compiler/compile_routine.h"
#include "compiler/diagnostic_list.h"

namespace scenario {

struct compile_report {
    compile_outcome outcome;
    std::vector<diagnostic> diagnostics;

    std::size_t count(severity level) const;
};

// Compiles with `j` as `memorizza_percorso` takes it (0: without the plan of the line); the
// context keeps the record, where each object came from and the texts read.
compile_report compile_and_report(compile_context& context, std::int32_t j);

}  // namespace scenario
