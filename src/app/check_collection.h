// `check PATH...`: every scenario under the folders named, compiled in memory on several
// threads (check/check_pool.h), reported in the order of their paths in the format asked for,
// on standard output. Nothing is written into the folders.
#pragma once

#include <string>
#include <vector>

#include "app/checked_compile.h"
#include "check/scenario_report.h"

namespace scenario {

// Returns the exit status: 0 when every scenario is clean (warnings allowed), 1 when one has
// errors (or warnings, with --werror), 2 when a path, a folder under it or a source cannot be
// read.
int check_collection(const std::vector<std::string>& paths, const check_settings& settings,
                     report_format format, unsigned jobs);

}  // namespace scenario
