// `compile`: one compile of the sources in a folder (app/compile_run.h) into the compiled
// files; `check --dir` runs the same compile and writes nothing (check_command.cpp).
#include <memory>

#include "app/compile_run.h"
#include "app/format_option.h"
#include "app/subcommand.h"

namespace scenario {
namespace {

// The options that name the scenario and say how to read it.
void add_scenario_options(CLI::App* parser, compile_request& request) {
    parser->add_option("--dir", request.folder, "Folder of the sources and the compiled files")
        ->required();
    parser->add_option("--route", request.route, "Route identifier R (prefix of every file name)")
        ->required();
    parser->add_option("--train", request.train, "Train number T")->required();
    parser->add_flag("--no-line", request.no_line,
                     "Do not build the plan of the line nor write R_linea.dat");
    parser->add_flag("--werror", request.warnings_as_errors,
                     "Count warnings as errors (exit status 1)");
    parser->add_flag("--utf8", request.utf8,
                     "Take station names and board texts as UTF-8 and convert them to "
                     "Windows-1252, the simulator's code page; a character without a place "
                     "there is an error and nothing is written (exit status 2)");
    add_format_option(parser, request.format);
}

}  // namespace

subcommand add_compile_command(CLI::App& app) {
    auto request = std::make_shared<compile_request>();
    CLI::App* parser = app.add_subcommand(
        "compile",
        "Compile DIR/R_linea.txt and DIR/R_T-.txt into the compiled files in DIR, reporting "
        "every error and warning with its file and line; the sources are only read");
    add_scenario_options(parser, *request);
    parser->footer(
        "Exit status: 0 no error; 1 errors (or, with --werror, warnings) and the compiled "
        "files were written; 2 the build stopped before writing them; 64 usage error.");
    return {parser, [request] { return compile_scenario(*request, "compile"); }};
}

}  // namespace scenario
