// `watch` in the Windows build: it has no watcher of folders yet. The command stays on the
// command line, so that --help and scripts find it, and says at once that this build cannot
// watch.
#include <cstdio>

#include "app/exit_status.h"
#include "app/subcommand.h"

namespace scenario {

subcommand add_watch_command(CLI::App& app) {
    CLI::App* parser = app.add_subcommand(
        "watch", "Compile again after every change of a source (not available in this build)");
    parser->allow_extras();
    return {parser, [] {
                std::fprintf(stderr,
                             "scenario-builder watch: not available in this build: run "
                             "compile after each change, or watch with the Linux build\n");
                return exit_status::unavailable;
            }};
}

}  // namespace scenario
