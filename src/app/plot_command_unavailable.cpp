// `plot` in a build without a drawing library (the Windows build). The command stays on the
// command line, so that --help and scripts find it, and says at once that this build cannot
// draw, before it looks at any argument or file. A later command that draws joins it here.
#include <cstdio>
#include <string>

#include "app/exit_status.h"
#include "app/subcommand.h"

namespace scenario {
namespace {

subcommand add_unavailable_drawing_command(CLI::App& app, const std::string& name,
                                           const std::string& description) {
    CLI::App* parser =
        app.add_subcommand(name, description + " (not available in this build, which cannot draw)");
    parser->allow_extras();
    return {parser, [name] {
                std::fprintf(stderr,
                             "scenario-builder %s: not available in this build: it has no "
                             "drawing library; run %s with the Linux build, on the same "
                             "compiled files\n",
                             name.c_str(), name.c_str());
                return exit_status::unavailable;
            }};
}

}  // namespace

subcommand add_plot_command(CLI::App& app) {
    return add_unavailable_drawing_command(
        app, "plot",
        "Draw a compiled scenario on one sheet: plan, gradient, speed limit, "
        "slowdowns, stations and mountain side along the line");
}

}  // namespace scenario
