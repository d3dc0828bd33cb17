// `diff`: what changed from one compiled scenario to another, in the terms of their source
// files. Each side is a folder (with --route and --train, or holding one scenario) or one of
// a scenario's compiled files. Like diff, it prints nothing and ends with 0 when the two are
// the same, and ends with 1 when they differ.
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "app/exit_status.h"
#include "app/scenario_names.h"
#include "app/subcommand.h"
#include "inspect/author_views.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_difference.h"
#include "source/visible_text.h"

namespace scenario {
namespace {

struct diff_request {
    std::string old_side;
    std::string new_side;
    std::string route;
    std::string train;
    bool json = false;
};

constexpr std::string_view command = "diff";

status read_side(const diff_request& request, const std::string& side, compiled_tables& tables) {
    compiled_scenario_files files;
    const status found = is_folder(side)
                             ? find_compiled_files_in(side, request.route, request.train, files)
                             : find_compiled_files(side, request.train, files);
    if (!found.ok()) {
        return found;
    }
    return read_compiled_tables(files, tables);
}

int compare(const diff_request& request) {
    if (const status names = check_given_scenario_names(request.route, request.train);
        !names.ok()) {
        return report_failure(command, names);
    }
    compiled_tables old_tables;
    if (const status read = read_side(request, request.old_side, old_tables); !read.ok()) {
        return report_failure(command, read);
    }
    compiled_tables new_tables;
    if (const status read = read_side(request, request.new_side, new_tables); !read.ok()) {
        return report_failure(command, read);
    }
    const scenario_difference difference = compare_scenarios(old_tables, new_tables);
    if (difference.empty()) {
        return exit_status::ok;
    }
    std::ios::sync_with_stdio(false);
    if (request.json) {
        print_difference_json(std::cout, difference);
    } else {
        // Names and texts from the files are shown, never obeyed, by a terminal.
        std::ostringstream text;
        print_difference_text(text, difference);
        std::cout << visible_text(text.str(), /*keep_line_breaks=*/true);
    }
    std::cout.flush();
    return exit_status::scenarios_differ;
}

}  // namespace

subcommand add_diff_command(CLI::App& app) {
    auto request = std::make_shared<diff_request>();
    CLI::App* parser = app.add_subcommand(
        "diff",
        "Compare two compiled scenarios in the terms of their sources: general values, objects "
        "added, removed, moved or changed, series, and where the plans of the lines part");
    parser
        ->add_option("A", request->old_side,
                     "The first scenario: a folder, or one of its compiled files")
        ->required();
    parser->add_option("B", request->new_side, "The second scenario, the same way")->required();
    parser->add_option("--route", request->route, "Route identifier R of the scenarios in folders");
    parser->add_option("--train", request->train, "Train number T of the scenarios in folders");
    parser->add_flag("--json", request->json, "The changes as JSON");
    parser->footer(
        "Exit status: 0 the same (nothing is printed); 1 they differ; 2 a scenario missing or "
        "not compiled files; 64 usage error.");
    return {parser, [request] { return compare(*request); }};
}

}  // namespace scenario
