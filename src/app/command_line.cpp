#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "app/application_folder.h"
#include "app/build_driver.h"
#include "app/exit_status.h"
#include "app/platform.h"
#include "app/standard_output.h"
#include "app/subcommand.h"
#include "source/visible_text.h"

namespace scenario {
namespace {

constexpr const char* usage_line = "usage: scenario-builder [COMMAND ...] (see --help)";

using add_command = subcommand (*)(CLI::App&);

struct named_command {
    const char* name;
    add_command add;
};

// In the order that the help lists them.
constexpr named_command all_commands[] = {
    {"build", add_build_command},
    {"compile", add_compile_command},
    {"check", add_check_command},
    {"sources", add_sources_command},
    {"documents", add_documents_command},
    {"inspect", add_inspect_command},
    {"plot", add_plot_command},
    {"diff", add_diff_command},
    {"watch", add_watch_command},
    {"view", add_view_command},
    {"lsp", add_lsp_command},
};

constexpr const char* version_text = "scenario-builder " SCENARIO_VERSION;

// Builds the parsers that this command line needs, and no more: each costs more than the
// start of the program. A command line that names a command needs only its parser; anything
// else may need them all, for the list in the help or to tell an unknown word from a command.
std::vector<subcommand> add_commands(CLI::App& app, const char* first) {
    for (const named_command& command : all_commands) {
        if (std::string_view(first) == command.name) {
            return {command.add(app)};
        }
    }
    std::vector<subcommand> commands;
    for (const named_command& command : all_commands) {
        commands.push_back(command.add(app));
    }
    return commands;
}

bool is_command(std::string_view word) {
    for (const named_command& command : all_commands) {
        if (word == command.name) {
            return true;
        }
    }
    return false;
}

// The first argument left over by the parsers that looks like an option; empty for none.
std::string unknown_option(CLI::App& app) {
    for (const std::string& left : app.remaining(/*recurse=*/true)) {
        if (left.size() > 1 && left[0] == '-') {
            return left;
        }
    }
    return "";
}

int build_in_application_folder() {
    std::string folder;
    if (const status found = find_application_folder(folder); !found.ok()) {
        return report_failure("", found);
    }
    const auto desktop = make_platform();
    return run_builtin_build(*desktop, folder);
}

}  // namespace

int run_command_line(int argc, char** argv) {
    // Without arguments the program is the one-shot build it has always been.
    if (argc <= 1) {
        return build_in_application_folder();
    }

    // A lone --version is the whole of its run: it is answered as the parser would answer
    // it, without building one.
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("%s\n", version_text);
        return finish_standard_output("", exit_status::ok);
    }

    CLI::App app{
        "Scenario builder: writes and compiles the built-in scenario of the train-driving "
        "simulator, and compiles and inspects scenarios of your own.\n"
        "Without arguments it runs the built-in build in the program's own folder.",
        "scenario-builder"};
    app.set_version_flag("--version", version_text);
    app.require_subcommand(1);

    const std::vector<subcommand> commands = add_commands(app, argv[1]);

    // A first word that is no command is told as such, whatever follows it: "nosuch --help"
    // asks for the help of a command that does not exist.
    const std::string first = argv[1];
    if (!first.empty() && first[0] != '-' && !is_command(first)) {
        std::fprintf(stderr, "%s: unknown command '%s'\n", usage_line, visible_text(first).c_str());
        return exit_status_of(status_kind::invalid_input);
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return finish_standard_output("", app.exit(e));
    } catch (const CLI::CallForAllHelp& e) {
        return finish_standard_output("", app.exit(e));
    } catch (const CLI::CallForVersion& e) {
        return finish_standard_output("", app.exit(e));
    } catch (const CLI::ParseError& e) {
        // An option that no parser knows is the mistake to tell, before any option that
        // the parser misses because of it.
        if (const std::string unknown = unknown_option(app); !unknown.empty()) {
            std::fprintf(stderr, "%s: unknown option '%s'\n", usage_line,
                         visible_text(unknown).c_str());
        } else {
            std::fprintf(stderr, "%s: %s\n", usage_line, visible_text(e.what()).c_str());
        }
        return exit_status_of(status_kind::invalid_input);
    }

    for (const subcommand& command : commands) {
        if (command.parser->parsed()) {
            const int ended = command.run();
            return finish_standard_output(command.parser->get_name(), ended);
        }
    }
    std::fprintf(stderr, "%s\n", usage_line);
    return exit_status_of(status_kind::invalid_input);
}

}  // namespace scenario
