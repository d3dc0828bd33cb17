// `plot`: a picture of a compiled scenario, read from its compiled files in a folder. It
// compiles nothing; a folder compiled without the line file gets a sheet without the plan.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <regex>
#include <string>
#include <string_view>

#include "app/exit_status.h"
#include "app/module_loader.h"
#include "app/plot_run.h"
#include "app/scenario_names.h"
#include "app/subcommand.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_description.h"
#include "plot/drawing_module.h"
#include "plot/model.h"
#include "plot/render.h"
#include "source/file_access.h"
#include "source/scenario_files.h"

namespace scenario {
namespace {

struct plot_request {
    std::string folder;
    scenario_identity identity;
    std::string output;
    plot::plot_options options;
};

// The drawing module that this process has loaded, if any.
const scenario_drawing_functions*& loaded_drawing_module() {
    static const scenario_drawing_functions* loaded = nullptr;
    return loaded;
}

// The drawing libraries keep their fonts and caches for the life of the process, and `watch
// --plot` draws again after each compile: they are let go of once, when the process ends.
void release_drawing_caches() {
    loaded_drawing_module()->release_caches();
}

// Kilometres as an author writes them: decimal digits with a point. The number parser alone
// would also take "0x10" (16), "1e3" or "inf".
CLI::Validator decimal_kilometres() {
    return CLI::Validator(
        [](const std::string& text) -> std::string {
            static const std::regex decimal(R"(\d{1,7}(\.\d{1,6})?)");
            return std::regex_match(text, decimal)
                       ? std::string()
                       : "give kilometres as a decimal number such as 12.5, not " + text;
        },
        "KM");
}

// The drawing module beside the program: only this command loads cairo and the libraries
// under it.
status load_drawing_module(const scenario_drawing_functions*& drawing) {
    if (loaded_drawing_module() != nullptr) {
        drawing = loaded_drawing_module();
        return status::success();
    }
    void* entry = nullptr;
    if (const status loaded =
            load_module_entry(plot::drawing_module_name, plot::drawing_entry_name, entry);
        !loaded.ok()) {
        return status::failure(loaded.kind(),
                               "cannot draw without the drawing module: " + loaded.message());
    }
    const auto module_functions = reinterpret_cast<decltype(&scenario_drawing_module)>(entry);
    drawing = module_functions(plot::drawing_interface_version);
    if (drawing == nullptr) {
        return status::corrupt_file(std::string("cannot draw: the drawing module ") +
                                    plot::drawing_module_name +
                                    " beside the program comes from another build of it");
    }
    loaded_drawing_module() = drawing;
    std::atexit(release_drawing_caches);
    return status::success();
}

// The compiled files read as `inspect --summary` reads them; the line file may be missing (a
// compile without the line).
status read_record(const plot_request& request, plot::compiled_scenario& record) {
    compiled_scenario_files files;
    if (const status found = find_compiled_files_in(request.folder, request.identity.nome_percorso,
                                                    request.identity.numero_treno, files);
        !found.ok()) {
        return found;
    }
    const std::string& grid = files.grid;
    if (const status read = read_compiled_tables(files, record); !read.ok()) {
        return read;
    }
    if (record.celle.size() < 2) {
        return status::corrupt_file(grid + ": a grid of one cell has no length to draw");
    }
    return status::success();
}

}  // namespace

status check_plot_output(const std::string& output) {
    if (output.empty()) {
        return status::invalid_input(
            "--plot is empty: name the picture FILE.png, FILE.svg or "
            "FILE.pdf");
    }
    if (!plot::format_from_path(output)) {
        return status::invalid_input("cannot tell the picture's format from " + output +
                                     ": name it .png, .svg or .pdf");
    }
    return status::success();
}

namespace {

int plot_scenario(const plot_request& request, std::string_view command) {
    if (const status folder = check_folder_name("--dir", request.folder); !folder.ok()) {
        return report_failure(command, folder);
    }
    if (const status names =
            check_scenario_names(request.identity.nome_percorso, request.identity.numero_treno);
        !names.ok()) {
        return report_failure(command, names);
    }
    const std::string output =
        request.output.empty()
            ? join_path(request.folder, request.identity.nome_percorso + "_" +
                                            request.identity.numero_treno + ".png")
            : request.output;
    const auto format = plot::format_from_path(output);
    if (!format) {
        return report_failure(
            command, status::invalid_input("cannot tell the picture's format from " + output +
                                           ": name it .png, .svg or .pdf"));
    }
    const scenario_drawing_functions* drawing = nullptr;
    if (const status loaded = load_drawing_module(drawing); !loaded.ok()) {
        return report_failure(command, loaded);
    }
    plot::compiled_scenario record;
    if (const status read = read_record(request, record); !read.ok()) {
        return report_failure(command, read);
    }
    const plot::sheet_layout sheet;
    plot::plot_model model;
    if (const status built = plot::build_plot_model(describe_scenario(record), record.profilo,
                                                    request.options, sheet, model);
        !built.ok()) {
        return report_failure(command, built);
    }
    const status drawn = plot::render_plot(*drawing, model, sheet, *format, output);
    if (!drawn.ok()) {
        return report_failure(command, drawn);
    }
    std::printf("wrote %s\n", output.c_str());
    return exit_status::ok;
}

}  // namespace

int plot_into_file(const std::string& command, const std::string& folder,
                   const scenario_identity& identity, const std::string& output) {
    return plot_scenario({folder, identity, output, {}}, command);
}

subcommand add_plot_command(CLI::App& app) {
    auto request = std::make_shared<plot_request>();
    CLI::App* parser = app.add_subcommand(
        "plot",
        "Draw a compiled scenario on one sheet: the plan of the line with its kilometres, "
        "stations and signals, and below it gradient, speed limit, slowdowns, station areas "
        "and mountain side along the line. Reads the compiled files in DIR; compiles nothing");
    parser->add_option("--dir", request->folder, "Folder that holds the compiled files")
        ->required();
    parser->add_option("--route", request->identity.nome_percorso, "Route identifier")->required();
    parser->add_option("--train", request->identity.numero_treno, "Train number")->required();
    parser->add_option("--out", request->output,
                       "The picture: FILE.png, FILE.svg or FILE.pdf (default DIR/ROUTE_TRAIN.png)");
    parser->add_option("--from", request->options.from_km, "Draw from this kilometre on")
        ->check(decimal_kilometres());
    parser->add_option("--to", request->options.to_km, "Draw up to this kilometre")
        ->check(decimal_kilometres());
    return {parser, [request] { return plot_scenario(*request, "plot"); }};
}

}  // namespace scenario
