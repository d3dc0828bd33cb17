#include "compiler/compile_report.h"

#include <algorithm>

namespace scenario {

std::size_t compile_report::count(severity level) const {
    return static_cast<std::size_t>(
        std::count_if(diagnostics.begin(), diagnostics.end(),
                      [level](const diagnostic& told) { return told.level == level; }));
}

compile_report compile_and_report(compile_context& context, std::int32_t j) {
    compile_report report;
    report.outcome = memorizza_percorso(context, j);
    // A reading that stopped early leaves the rest of the sources unread: it is checked for
    // further mistakes, which change nothing that was compiled.
    scan_beyond_compiled_part(context);
    report.diagnostics = list_diagnostics(context.errors, context.sources);
    return report;
}

}  // namespace scenario
