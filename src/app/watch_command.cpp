// `watch`: compile a scenario, then again after every change of either source, until Ctrl-C.
// Each compile prints a line with the time and its outcome, then its errors and warnings as
// `compile` prints them; with --plot the picture is drawn again after each compile that wrote
// the compiled files; with --serve the page of `view` is served on 127.0.0.1 and every compile
// is pushed to the pages open there.
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/compile_run.h"
#include "app/exit_status.h"
#include "app/page_server.h"
#include "app/plot_run.h"
#include "app/source_watcher.h"
#include "app/subcommand.h"
#include "app/view_page.h"
#include "source/scenario_files.h"
#include "source/visible_text.h"
#include "view/compile_view.h"
#include "view/page.h"

namespace scenario {
namespace {

struct watch_request {
    compile_request compile;
    std::string plot;  // the picture to draw again
    bool plot_given = false;
    bool serve = false;
    std::vector<int> serve_port;  // none: the default port
};

// The port of --serve without a number: one that few other programs take.
constexpr int default_serve_port = 8284;

constexpr const char* command = "watch";

std::string time_of_day() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

std::string plural(std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

// One compile and, when asked and the files were written, the picture; when serving, the page
// of this compile for the open pages.
void compile_and_draw(const watch_request& request, page_server* server, std::string& shown) {
    compile_tally tally;
    // The folder is the user's path, which may hold any byte: shown, never obeyed.
    std::fprintf(stderr, "[%s] compiling %s in %s\n", time_of_day().c_str(),
                 request.compile.route.c_str(), visible_text(request.compile.folder).c_str());
    int compiled = 0;
    if (server != nullptr) {
        view_page page;
        compiled = compile_view_page(request.compile, command, page, &tally);
        if (!page.data_json.empty()) {
            shown = page.data_json;
            server->publish(view::assemble_page(page.title, page.data_json), page.data_json);
        } else if (!page.unusable.empty() && !shown.empty()) {
            // The open pages keep the last line they drew, marked as no longer the scenario's,
            // with this compile's errors.
            const std::string stale =
                view::stale_view_data(shown, page.diagnostics_json, page.unusable);
            server->publish(view::assemble_page(page.title, stale), stale);
        }
    } else {
        compiled = compile_scenario(request.compile, command, &tally);
    }
    if (tally.ran) {
        std::fprintf(stderr, "[%s] %s, %s, exit status %d\n", time_of_day().c_str(),
                     plural(tally.errors, "error", "errors").c_str(),
                     plural(tally.warnings, "warning", "warnings").c_str(), compiled);
    } else {
        std::fprintf(stderr, "[%s] not compiled (see above), exit status %d\n",
                     time_of_day().c_str(), compiled);
    }
    if (request.plot_given && compiled <= exit_status::errors_recorded) {
        std::fflush(stderr);
        plot_into_file(command, request.compile.folder,
                       {request.compile.route, request.compile.train}, request.plot);
        std::fflush(stdout);
    }
    std::fflush(stderr);
}

int watch(const watch_request& request) {
    // The command line is refused as `compile` refuses it, before anything is watched.
    if (const status valid = check_compile_request(request.compile); !valid.ok()) {
        return report_failure(command, valid);
    }
    if (request.plot_given) {
        if (const status valid = check_plot_output(request.plot); !valid.ok()) {
            return report_failure(command, valid);
        }
    }
    const scenario_identity identity{request.compile.route, request.compile.train};
    source_watcher watcher;
    if (const status opened = watcher.open(
            request.compile.folder, {line_source_name(identity), train_source_name(identity)});
        !opened.ok()) {
        return report_failure(command, opened);
    }
    // Stopped, its threads joined, when the watch ends by any way.
    std::unique_ptr<page_server> server;
    if (request.serve) {
        server = std::make_unique<page_server>();
        const int port = request.serve_port.empty() ? default_serve_port : request.serve_port[0];
        if (const status started = server->start(port); !started.ok()) {
            return report_failure(command, started);
        }
    }
    // The data of the last page served, which a compile without a line marks as stale.
    std::string shown;
    compile_and_draw(request, server.get(), shown);
    if (server) {
        std::fprintf(stderr, "[%s] serving the page at %s: open it in a browser\n",
                     time_of_day().c_str(), server->address().c_str());
    }
    std::fprintf(stderr, "[%s] watching %s and %s; Ctrl-C ends\n", time_of_day().c_str(),
                 line_source_name(identity).c_str(), train_source_name(identity).c_str());
    std::fflush(stderr);
    for (;;) {
        switch (watcher.wait()) {
            case source_watcher::event::changed:
                compile_and_draw(request, server.get(), shown);
                break;
            case source_watcher::event::stop:
                std::fprintf(stderr, "[%s] stopped\n", time_of_day().c_str());
                return exit_status::ok;
            case source_watcher::event::folder_gone:
                return report_failure(
                    command, status::not_found(request.compile.folder +
                                               " was removed or moved away: the watch ends, "
                                               "start it again on the folder's new path"));
        }
    }
}

}  // namespace

subcommand add_watch_command(CLI::App& app) {
    auto request = std::make_shared<watch_request>();
    CLI::App* parser = app.add_subcommand(
        "watch",
        "Compile DIR/R_linea.txt and DIR/R_T-.txt as `compile` does, then again each time "
        "either changes, printing the time and every error and warning of each compile; "
        "Ctrl-C ends it");
    parser
        ->add_option("--dir", request->compile.folder,
                     "Folder of the sources and the compiled files")
        ->required();
    parser->add_option("--route", request->compile.route, "Route identifier R")->required();
    parser->add_option("--train", request->compile.train, "Train number T")->required();
    parser->add_flag("--no-line", request->compile.no_line,
                     "Do not build the plan of the line nor write R_linea.dat");
    parser->add_flag("--werror", request->compile.warnings_as_errors,
                     "Count warnings as errors in each compile's exit status");
    parser->add_flag("--utf8", request->compile.utf8,
                     "Take station names and board texts as UTF-8, as `compile --utf8` does");
    CLI::Option* plot =
        parser->add_option("--plot", request->plot,
                           "Draw FILE.png, FILE.svg or FILE.pdf again after each compile that "
                           "wrote the compiled files");
    CLI::Option* serve =
        parser
            ->add_option("--serve", request->serve_port,
                         "Serve the page of `view` at http://127.0.0.1:PORT/ (" +
                             std::to_string(default_serve_port) +
                             " without PORT, any free port with 0); every open page redraws "
                             "with each compile, keeping its zoom")
            ->expected(0, 1)
            ->check(CLI::Range(0, 65535));
    parser->footer(
        "Exit status: 0 when ended by Ctrl-C (SIGINT) or SIGTERM; 2 when DIR cannot be "
        "watched or is removed or moved away, or the port of --serve is in use; 64 usage error "
        "(checked as `compile` checks it, before watching). A compile's own exit status is "
        "printed after it.");
    return {parser, [request, serve, plot] {
                request->serve = serve->count() > 0;
                request->plot_given = plot->count() > 0;
                return watch(*request);
            }};
}

}  // namespace scenario
