// The compile routine `memorizza_percorso`: prepares the scenario record, has both source
// files read, runs the grid pass, stamps the record with its format stamp and scenario
// codes, and writes the three compiled files.
#pragma once

#include <cstdint>
#include <string>

#include "compiler/compile_context.h"

namespace scenario {

struct compile_outcome {
    enum class end {
        compiled,      // the record is complete and, unless the options keep it in memory,
                       // the compiled files were written, whatever the error state holds
        stamp_in_use,  // a stamp slot was not empty: `errore` with fatal_code, nothing written
        no_grid,       // the reading ended before the cell grid existed: nothing written
        text_not_converted,  // a text has a character without a place in the code page
                             // (UTF-8 texts only): nothing written
        write_failed,        // a compiled file could not be written
    };
    end how = end::compiled;
    std::string fatal_code;  // "1250" or "1251" for stamp_in_use
    std::string message;     // what failed, for no_grid, text_not_converted and write_failed
};

// Reads both source files into the record: the line half, then the train half.
void memorizza_dati(compile_context& context);

compile_outcome memorizza_percorso(compile_context& context, std::int32_t j);

// After a compile whose reading stopped before the end of a source file (at an error that
// ends the reading, or with the train file left unread): reads both files again in a scan
// that goes on past every error, on a context of its own, and adds to the compile's error
// state what the scan found beyond the part that the compile read. Nothing compiled changes:
// not a file, not the code, not the position.
void scan_beyond_compiled_part(compile_context& context);

}  // namespace scenario
