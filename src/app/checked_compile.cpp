#include "app/checked_compile.h"

#include <string>
#include <utility>

#include "compiler/diagnostics.h"
#include "format/size_limits.h"
#include "source/file_access.h"
#include "source/source_text.h"

namespace scenario {
namespace {

std::string what_stopped(const compile_outcome& outcome) {
    switch (outcome.how) {
        case compile_outcome::end::stamp_in_use:
            return outcome.message + " Errore n. " + outcome.fatal_code;
        case compile_outcome::end::no_grid:
        case compile_outcome::end::text_not_converted:
        case compile_outcome::end::write_failed:
            return outcome.message;
        case compile_outcome::end::compiled:
            break;
    }
    return "";
}

}  // namespace

checked_scenario checked_result(const compile_context& context, const compile_report& report,
                                bool warnings_as_errors) {
    checked_scenario checked;
    checked.folder = context.options.folder;
    checked.identity = context.options.identity;
    checked.line_source = context.line_source_path();
    checked.train_source = context.train_source_path();
    checked.stopped = what_stopped(report.outcome);
    checked.diagnostics = report.diagnostics;
    checked.text = format_diagnostics(report.diagnostics, context.sources);
    checked.errors = report.count(severity::error);
    checked.warnings = report.count(severity::warning);
    // As `compile` counts them for its exit status: a source that yields nothing of its part
    // is an error of the list without a code of the compiled scenario.
    checked.failed = !checked.stopped.empty() || checked.errors > 0 ||
                     context.errors.codice_errore != 0 || context.errors.lost_a_part() ||
                     (warnings_as_errors && checked.warnings > 0);
    return checked;
}

checked_scenario check_scenario(const found_scenario& found, const check_settings& settings) {
    // Each source is checked and read through one open file, and the compile reads the texts
    // read here, as `compile` does.
    source_texts read;
    compile_options options{found.folder, found.identity, /*delete_sources=*/false};
    options.utf8_texts = settings.utf8;
    options.write_compiled_files = false;
    options.texts = &read;
    compile_context context(options);
    for (const std::string& source : {context.line_source_path(), context.train_source_path()}) {
        std::string content;
        if (const status readable =
                read_whole_file(source, content, {largest_source_bytes, "a source file"});
            !readable.ok()) {
            checked_scenario unread;
            unread.folder = found.folder;
            unread.identity = found.identity;
            unread.line_source = context.line_source_path();
            unread.train_source = context.train_source_path();
            unread.unreadable = readable.message();
            unread.failed = true;
            return unread;
        }
        read.keep(source, std::move(content));
    }
    const compile_report report = compile_and_report(context, settings.no_line ? 0 : 1);
    return checked_result(context, report, settings.warnings_as_errors);
}

}  // namespace scenario
