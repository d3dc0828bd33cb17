// What checking one scenario found, in the form that every report of `check` and `compile`
// prints: where its sources are, how its compile ended, its diagnostics (as a list, and as the
// command line's text with the quoted source lines) and its counts. The report formats
// (scenario_report.h) print these; nothing here knows how.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "compiler/diagnostic_list.h"
#include "source/scenario_files.h"

namespace scenario {

struct checked_scenario {
    std::string folder;
    scenario_identity identity;
    std::string line_source;   // the folder joined with R_linea.txt
    std::string train_source;  // the folder joined with R_T-.txt
    // Set when the compile could not read its inputs (a source or the folder unreadable): the
    // scenario was not compiled, and the run ends with the status of an unreadable path.
    std::string unreadable;
    // Set when the compile stopped before the record was whole (no grid, a stamp in use, a
    // text without a place in the code page): what stopped it.
    std::string stopped;
    std::vector<diagnostic> diagnostics;
    // The diagnostics as `compile` prints them, each with its source line and caret.
    std::string text;
    std::size_t errors = 0;
    std::size_t warnings = 0;
    // Errors, a stop, or warnings counted as errors (--werror).
    bool failed = false;
};

// The counts of a whole run.
struct check_totals {
    std::size_t scenarios = 0;
    std::size_t failed = 0;
    std::size_t with_warnings_only = 0;
    std::size_t errors = 0;
    std::size_t warnings = 0;
    std::size_t unreadable = 0;  // paths and scenarios that could not be read

    void add(const checked_scenario& scenario);
};

// A path named on the command line, or a folder met under one, that could not be read.
struct unreadable_path {
    std::string path;
    std::string message;
};

}  // namespace scenario
