// `view`: the page of a scenario, compiled from its two sources, written as one HTML file that
// any browser opens without a network: the plan and the panels on the distance axis, zoom and
// pan, a card for every cell with its objects and their source lines, and the compile's errors
// and warnings on the axis.
#include <memory>
#include <string>

#include "app/exit_status.h"
#include "app/subcommand.h"
#include "app/view_page.h"
#include "source/file_access.h"
#include "view/page.h"

namespace scenario {
namespace {

struct view_request {
    compile_request compile;
    std::string output;
};

constexpr const char* command = "view";

int write_view(const view_request& request) {
    view_page page;
    const int compiled = compile_view_page(request.compile, command, page);
    if (page.data_json.empty()) {
        return compiled;
    }
    if (const status written =
            replace_file(request.output, view::assemble_page(page.title, page.data_json));
        !written.ok()) {
        return report_failure(command, written);
    }
    return compiled;
}

}  // namespace

subcommand add_view_command(CLI::App& app) {
    auto request = std::make_shared<view_request>();
    CLI::App* parser = app.add_subcommand(
        "view",
        "Compile DIR/R_linea.txt and DIR/R_T-.txt in memory, as `check` does, and write the "
        "scenario as "
        "one HTML page to explore in a browser: the plan, the gradient, the speed limit and "
        "the objects on one distance axis, each object with its source line, and every error "
        "and warning on the axis");
    // The page is made from a compile in memory: the folder is only read.
    request->compile.write_compiled_files = false;
    parser->add_option("--dir", request->compile.folder, "Folder of the sources")->required();
    parser->add_option("--route", request->compile.route, "Route identifier R")->required();
    parser->add_option("--train", request->compile.train, "Train number T")->required();
    parser->add_option("--out", request->output, "The page to write, FILE.html")->required();
    parser->add_flag("--no-line", request->compile.no_line, "Compile without the plan of the line");
    parser->add_flag("--werror", request->compile.warnings_as_errors,
                     "Count warnings as errors in the exit status");
    parser->add_flag("--utf8", request->compile.utf8,
                     "Take station names and board texts as UTF-8, as `compile --utf8` does");
    parser->footer(
        "Exit status: 0 the page was written and the compile found no error; 1 it was written "
        "and the compile found errors (or, with --werror, warnings); 2 nothing was written "
        "(the compile made no line, or the page could not be written); 64 usage error.");
    return {parser, [request] { return write_view(*request); }};
}

}  // namespace scenario
