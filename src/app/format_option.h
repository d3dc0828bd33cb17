// The option `--format text|json|sarif|github` of `compile` and `check`.
#pragma once

#include <CLI/CLI.hpp>

#include "check/scenario_report.h"

namespace scenario {

void add_format_option(CLI::App* parser, report_format& format);

}  // namespace scenario
