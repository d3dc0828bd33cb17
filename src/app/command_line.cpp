#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/application_folder.h"
#include "app/build_driver.h"
#include "app/exit_status.h"
#include "app/platform.h"

namespace scenario {
namespace {

constexpr const char* usage_line = "usage: scenario-builder [build --dir DIR] (see --help)";

int run_in_folder(const std::string& folder) {
    const auto desktop = make_platform();
    return run_builtin_build(*desktop, folder);
}

int build_in_application_folder() {
    std::string folder;
    if (const status found = find_application_folder(folder); !found.ok()) {
        std::fprintf(stderr, "scenario-builder: %s\n", found.message().c_str());
        return exit_status::fatal;
    }
    return run_in_folder(folder);
}

int build_in(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "scenario-builder: cannot create folder %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return exit_status::fatal;
    }
    return run_in_folder(folder);
}

}  // namespace

int run_command_line(int argc, char** argv) {
    if (argc <= 1) {
        return build_in_application_folder();
    }

    CLI::App app{
        "Scenario builder: writes and compiles the built-in scenario of the train-driving "
        "simulator.\nWithout arguments it builds the scenario in the program's own folder.",
        "scenario-builder"};
    app.set_version_flag("--version", std::string("scenario-builder ") + SCENARIO_VERSION);
    app.require_subcommand(1);

    std::string build_folder;
    CLI::App* build = app.add_subcommand(
        "build", "Run the built-in build with DIR in place of the program's folder");
    build
        ->add_option("--dir", build_folder,
                     "Folder that receives the scenario (created if missing)")
        ->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        const std::string first = argv[1];
        if (first.empty() || first[0] != '-') {
            if (app.get_subcommands([&](CLI::App* sub) { return sub->get_name() == first; })
                    .empty()) {
                std::fprintf(stderr, "%s: unknown command '%s'\n", usage_line, first.c_str());
                return exit_status::usage;
            }
        }
        std::fprintf(stderr, "%s: %s\n", usage_line, e.what());
        return exit_status::usage;
    }

    if (build->parsed()) {
        return build_in(build_folder);
    }
    std::fprintf(stderr, "%s\n", usage_line);
    return exit_status::usage;
}

}  // namespace scenario
