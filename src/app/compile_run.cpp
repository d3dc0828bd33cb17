#include "app/compile_run.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "app/checked_compile.h"
#include "app/compile_inputs.h"
#include "app/exit_status.h"
#include "compiler/compile_report.h"
#include "compiler/diagnostics.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

// A route or train name becomes part of a file name in the folder: it must stay a plain
// name there.
std::string name_problem(const std::string& name) {
    if (name.empty()) {
        return "is empty";
    }
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) {
        return "contains a path separator";
    }
    if (name.find("..") != std::string::npos) {
        return "contains \"..\"";
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return "contains a control character";
        }
    }
    return "";
}

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
    tell_failure(command, counted(error_count, "error") + " and " +
                              counted(report.count(severity::warning), "warning") + "; the " +
                              (written ? "compiled files hold" : "compiled files would hold") +
                              " error code " + std::to_string(errors.codice_errore) +
                              " and position " + std::to_string(errors.posizione_errore) + " m");
}

}  // namespace

int compile_scenario(compile_request request, std::string_view command, compile_tally* tally) {
    for (const auto& [option, value] :
         {std::pair{"--route", request.route}, std::pair{"--train", request.train}}) {
        if (const std::string problem = name_problem(value); !problem.empty()) {
            return report_failure(
                command, status::invalid_input(std::string(option) + " " + problem +
                                               ": the route and the train name files in DIR, so "
                                               "each must be a plain part of a file name"));
        }
    }
    const scenario_identity identity{request.route, request.train};
    // Train "linea" would give the grid file the name of the compiled line file.
    if (grid_file_name(identity) == compiled_line_name(identity)) {
        return report_failure(
            command, status::invalid_input("--train " + request.train + ": the grid file " +
                                           grid_file_name(identity) +
                                           " would take the name of the compiled line file"));
    }
    while (request.folder.size() > 1 && request.folder.back() == '/') {
        request.folder.pop_back();
    }
    compile_options options{request.folder, identity, /*delete_sources=*/false};
    options.utf8_texts = request.utf8;
    options.write_compiled_files = request.write_compiled_files;
    compile_context context(options);
    folder_lock lock;
    if (const status ready = request.write_compiled_files ? prepare_compile(context.options, lock)
                                                          : check_compile_inputs(context.options);
        !ready.ok()) {
        return report_failure(command, ready);
    }
    const compile_report report = compile_and_report(context, request.no_line ? 0 : 1);
    const compile_outcome& outcome = report.outcome;
    if (request.format == report_format::text) {
        print_diagnostics(stderr, report.diagnostics, context.sources);
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
        *tally = {report.count(severity::error), report.count(severity::warning)};
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
