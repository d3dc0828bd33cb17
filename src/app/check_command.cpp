// `check`: compile without writing anything. Over a collection, `check PATH...` finds every
// scenario under the folders named and checks them all on every core (app/check_collection.h);
// `check --dir DIR --route R --train T` checks one scenario exactly as `compile` would compile
// it (app/compile_run.h).
#include <memory>
#include <string>
#include <vector>

#include "app/check_collection.h"
#include "app/compile_run.h"
#include "app/exit_status.h"
#include "app/format_option.h"
#include "app/subcommand.h"
#include "check/check_pool.h"

namespace scenario {
namespace {

struct check_request {
    std::vector<std::string> paths;
    compile_request one;
    unsigned jobs = all_cores();
};

int run_check(check_request& request) {
    compile_request& one = request.one;
    const bool names_one = !one.folder.empty() || !one.route.empty() || !one.train.empty();
    if (names_one) {
        if (!request.paths.empty()) {
            return report_failure(
                "check", status::invalid_input("name folders to search (PATH...) or one scenario "
                                               "(--dir DIR --route R --train T), not both"));
        }
        if (one.folder.empty() || one.route.empty() || one.train.empty()) {
            return report_failure(
                "check", status::invalid_input("one scenario takes all three of --dir, --route "
                                               "and --train"));
        }
        return compile_scenario(one, "check");
    }
    if (request.paths.empty()) {
        return report_failure(
            "check", status::invalid_input("name at least one folder to search (PATH...), or one "
                                           "scenario with --dir DIR --route R --train T"));
    }
    return check_collection(request.paths, {one.no_line, one.warnings_as_errors, one.utf8},
                            one.format, request.jobs);
}

}  // namespace

subcommand add_check_command(CLI::App& app) {
    auto request = std::make_shared<check_request>();
    request->one.write_compiled_files = false;
    compile_request& one = request->one;
    CLI::App* parser = app.add_subcommand(
        "check",
        "Find every scenario (a train source R_T-.txt with its line source R_linea.txt beside "
        "it) in the folders named, recursively, compile each as `compile` does, writing "
        "nothing, and report every error and warning, a line per scenario and a total; or "
        "check the one scenario of --dir, --route and --train");
    parser->add_option("PATH", request->paths,
                       "Folders to search (or source files of the scenarios to check)");
    parser->add_option("--dir", one.folder, "With --route and --train: the folder of one scenario");
    parser->add_option("--route", one.route, "With --dir: the route identifier R");
    parser->add_option("--train", one.train, "With --dir: the train number T");
    parser->add_flag("--no-line", one.no_line, "Do not build the plan of the line");
    parser->add_flag("--werror", one.warnings_as_errors,
                     "Count warnings as errors (exit status 1)");
    parser->add_flag("--utf8", one.utf8,
                     "Take station names and board texts as UTF-8, as `compile --utf8` does");
    add_format_option(parser, one.format);
    parser->add_option("--jobs", request->jobs, "Scenarios checked at once (all cores without it)")
        ->check(CLI::Range(1U, 1024U))
        ->type_name("N");
    parser->footer(
        "Exit status: 0 no error; 1 errors (or, with --werror, warnings); 2 a path or a source "
        "that cannot be read (with --dir: also a missing source, or a line file that gives no "
        "grid); 64 usage error.");
    return {parser, [request] { return run_check(*request); }};
}

}  // namespace scenario
