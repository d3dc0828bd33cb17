#include "app/compile_run.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "app/checked_compile.h"
#include "app/compile_inputs.h"
#include "app/exit_status.h"
#include "app/scenario_names.h"
#include "compiler/compile_report.h"
#include "compiler/diagnostics.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

std::string counted(std::size_t count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

// After many errors, one line that counts them and gives the error state that the compiled
// files hold: the last error's code and position, which is what the simulator sees.
void tell_many_errors(std::string_view command, const compile_report& report,
                      const error_state& errors, bool written) {
    const std::size_t error_count = report.count(severity::error);
    if (error_count < 2) {
        return;
    }
    tell_failure(
        command,
        counted(error_count, "error") + " and " +
            counted(report.count(severity::warning) + errors.warnings_not_kept(), "warning") +
            "; the " + (written ? "compiled files hold" : "compiled files would hold") +
            " error code " + std::to_string(errors.codice_errore) + " and position " +
            std::to_string(errors.posizione_errore) + " m");
}

}  // namespace

status check_compile_request(const compile_request& request) {
    if (const status folder = check_folder_name("--dir", request.folder); !folder.ok()) {
        return folder;
    }
    return check_scenario_names(request.route, request.train);
}

int compile_scenario(compile_request request, std::string_view command, compile_tally* tally) {
    if (const status valid = check_compile_request(request); !valid.ok()) {
        return report_failure(command, valid);
    }
    const scenario_identity identity{request.route, request.train};
    while (request.folder.size() > 1 && request.folder.back() == '/') {
        request.folder.pop_back();
    }
    compile_options options{request.folder, identity, /*delete_sources=*/false};
    options.utf8_texts = request.utf8;
    options.write_compiled_files = request.write_compiled_files;
    // The sources as the check read them: the compile reads these, never the files again.
    source_texts sources_read;
    options.texts = &sources_read;
    compile_context context(options);
    folder_lock lock;
    if (const status ready = request.write_compiled_files
                                 ? prepare_compile(context.options, lock, sources_read)
                                 : check_compile_inputs(context.options, sources_read);
        !ready.ok()) {
        return report_failure(command, ready);
    }
    const compile_report report = compile_and_report(context, request.no_line ? 0 : 1);
    const compile_outcome& outcome = report.outcome;
    const std::size_t warnings_not_kept = context.errors.warnings_not_kept();
    if (request.format == report_format::text) {
        print_diagnostics(stderr, report.diagnostics, context.sources);
        if (warnings_not_kept > 0) {
            tell_failure(command, counted(warnings_not_kept, "more warning") +
                                      " not shown: only the first " +
                                      std::to_string(most_warnings_kept) + " are told");
        }
    }

    switch (outcome.how) {
        case compile_outcome::end::stamp_in_use:
            // The message of the fatal error box, after the reason in plain words.
            tell_failure(command, "nothing was written: " + outcome.message);
            std::fprintf(stderr, " Errore n. %s\n", outcome.fatal_code.c_str());
            break;
        case compile_outcome::end::no_grid:
        case compile_outcome::end::text_not_converted:
            tell_failure(command, "nothing was written: " + outcome.message);
            break;
        case compile_outcome::end::write_failed:
            tell_failure(command, outcome.message);
            break;
        case compile_outcome::end::compiled:
            break;
    }
    if (outcome.how == compile_outcome::end::compiled) {
        tell_many_errors(command, report, context.errors, request.write_compiled_files);
    }
    if (request.after) {
        request.after(context, report);
    }
    if (tally != nullptr) {
        *tally = {true, report.count(severity::error),
                  report.count(severity::warning) + warnings_not_kept};
    }
    // A source that yields nothing of its part is an error of the list without a code of the
    // compiled scenario: the files are written as always, and the exit status says so.
    const bool errors_count = context.errors.codice_errore != 0 || context.errors.lost_a_part() ||
                              (request.warnings_as_errors && !context.errors.warnings().empty());
    const int exit_status = exit_status_of(outcome.how, errors_count);
    if (request.format != report_format::text) {
        const checked_scenario checked =
            checked_result(context, report, request.warnings_as_errors);
        check_totals totals;
        totals.add(checked);
        const auto shown = make_report(request.format, stdout, {SCENARIO_VERSION, false});
        shown->add(checked);
        shown->finish(totals, exit_status);
    }
    return exit_status;
}

}  // namespace scenario
