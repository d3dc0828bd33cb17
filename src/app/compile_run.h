// One compile of the two sources in a folder, as `compile` runs it, `watch` repeats it and
// `check` runs it without writing: the names checked, the folder locked (when the compile
// writes), every error and warning printed on standard error with its file and line, and the
// outcome turned into an exit status.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "check/scenario_report.h"
#include "compiler/compile_report.h"
#include "source/status.h"

namespace scenario {

struct compile_request {
    std::string folder;
    std::string route;
    std::string train;
    bool no_line = false;
    bool warnings_as_errors = false;
    bool utf8 = false;
    // False for `check`: the compile writes nothing and takes no lock.
    bool write_compiled_files = true;
    // Text prints the diagnostics on standard error as they have always been printed; the other
    // formats print their report on standard output (check/scenario_report.h).
    report_format format = report_format::text;
    // Called with the compile that ran, before the folder's lock is released: a command that
    // shows the compile (the page of `view` and `watch --serve`) reads its record, origins and
    // diagnostics here.
    std::function<void(const compile_context&, const compile_report&)> after;
};

// How many errors and warnings a compile reported.
struct compile_tally {
    bool ran =
        false;  // false when the compile stopped before reading (a usage error, a source missing)
    std::size_t errors = 0;
    std::size_t warnings = 0;
};

// The command line of a compile, checked before anything is read: the folder named, the route
// and the train plain parts of file names. A failure is a usage error.
status check_compile_request(const compile_request& request);

// Returns the exit status of `compile`; messages start with "scenario-builder COMMAND:".
// `tally`, when given, receives the counts of the compile that ran.
int compile_scenario(compile_request request, std::string_view command,
                     compile_tally* tally = nullptr);

}  // namespace scenario
