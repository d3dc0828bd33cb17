// A subcommand of the command line: registered on the parser, run when it was chosen.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>

namespace scenario {

struct subcommand {
    CLI::App* parser = nullptr;
    std::function<int()> run;  // returns the program's exit status
};

subcommand add_build_command(CLI::App& app);
subcommand add_sources_command(CLI::App& app);
subcommand add_documents_command(CLI::App& app);
subcommand add_inspect_command(CLI::App& app);
subcommand add_compile_command(CLI::App& app);
subcommand add_check_command(CLI::App& app);
subcommand add_plot_command(CLI::App& app);
subcommand add_diff_command(CLI::App& app);
subcommand add_watch_command(CLI::App& app);
subcommand add_lsp_command(CLI::App& app);
subcommand add_view_command(CLI::App& app);

}  // namespace scenario
